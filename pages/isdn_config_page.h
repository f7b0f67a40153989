// CISDNConfigDialog: the "ISDN Parameters" page - switch type, number of directory numbers,
// and each number's phone number and SPID.
#pragma once
#include "propsheet.h"

class CISDNConfigDialog : public CPropertyPage {
public:
    CISDNConfigDialog();
    ~CISDNConfigDialog() override;

    static const CRuntimeClass classCISDNConfigDialog;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCISDNConfigDialog; }

    BOOL OnSetActive() override;
    // Refuses to be left while a phone number or SPID holds a character outside its set;
    // otherwise captures the page into the settings record.
    BOOL OnKillActive() override;

    // Whether phone number nIndex (0 or 1) holds only digits, hyphens and spaces.
    static BOOL IsPhoneNumberValid(int nIndex);
    // Whether SPID nIndex (0 or 1) holds only digits and spaces.
    static BOOL IsSPIDValid(int nIndex);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Loads the controls from the registry.
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnPaint();
    void OnHelp();

    DECLARE_MESSAGE_MAP()
};
