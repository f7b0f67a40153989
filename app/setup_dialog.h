// CSetupDialog: the hidden host dialog that owns the adapter parameter key for the run and
// runs the configuration sheet from its initialisation.
#pragma once
#include "dialog.h"

class CSetupDialog : public CDialog {
public:
    explicit CSetupDialog(CWnd* pParent = nullptr);
    // Tells the help viewer it is no longer needed and closes the adapter parameter key.
    ~CSetupDialog() override;

protected:
    // Opens (or creates) the key, runs the sheet, commits on OK and ends the dialog before
    // it is ever shown. Ends with IDOK, IDCANCEL, or IDABORT when the save failed.
    BOOL OnInitDialog() override;
};
