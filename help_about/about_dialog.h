// CAboutDialog: the About box - the product's emblem, name, version and notices.
#pragma once
#include "controls.h"
#include "dialog.h"
#include "pages/picture.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Sets the texts; the template's placeholders are never shown.
    BOOL OnInitDialog() override;
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    Picture m_picture;  // loaded for each opening, freed when the box is destroyed
    CStatic m_trademark;
    CStatic m_placeholder;
    CStatic m_version;
    CStatic m_productName;
    CStatic m_copyright;
};
