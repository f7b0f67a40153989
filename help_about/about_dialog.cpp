// The About box.
#include "about_dialog.h"

#include "app/product.h"
#include "ddx.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUT)
{
    LoadPicture(m_picture, IDB_ABOUT_EMBLEM);
}

void CAboutDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_TRADEMARK, m_trademark);
    DDX_Control(pDX, IDC_ABOUT_PICTURE, m_placeholder);
    DDX_Control(pDX, IDC_ABOUT_VERSION, m_version);
    DDX_Control(pDX, IDC_ABOUT_PRODUCT, m_productName);
    DDX_Control(pDX, IDC_ABOUT_COPYRIGHT, m_copyright);
}

BOOL CAboutDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_productName.SetWindowText(kProductName);
    m_version.SetWindowText("Version: 5.1.11");
    m_copyright.SetWindowText("Copyright \xA9 1996-1998 Halvorn Systems");
    m_trademark.SetWindowText("Kestrin is a trademark of Halvorn Systems.");
    return TRUE;
}

void CAboutDialog::OnPaint()
{
    PaintPicture(this, m_placeholder, m_picture);
}
