// CConfigDialog: the configuration sheet, with OK and Cancel in the places of Cancel and
// Apply, and no Apply button.
#pragma once
#include "propsheet.h"

class CConfigDialog : public CPropertySheet {
public:
    CConfigDialog(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    static const CRuntimeClass classCConfigDialog;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCConfigDialog; }

    BOOL OnInitDialog() override;
};
