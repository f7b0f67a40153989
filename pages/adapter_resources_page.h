// CAdapterResourcesDialog: the "Adapter Resources" page - I/O base address, interrupt,
// voice and ring pattern.
#pragma once
#include "propsheet.h"

class CAdapterResourcesDialog : public CPropertyPage {
public:
    CAdapterResourcesDialog();
    ~CAdapterResourcesDialog() override;

    static const CRuntimeClass classCAdapterResourcesDialog;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCAdapterResourcesDialog; }

    BOOL OnSetActive() override;
    // Captures the page into the settings record; this page is never refused.
    BOOL OnKillActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Loads the controls from the registry.
    BOOL OnInitDialog() override;
    void OnPaint();
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};
