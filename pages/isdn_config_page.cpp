// The ISDN Parameters page.
#include "isdn_config_page.h"

#include <string.h>

#include "app/product.h"
#include "ddx.h"
#include "help_about/help_file.h"
#include "pages/page_commands.h"
#include "pages/page_globals.h"
#include "resource.h"
#include "store/adapter_params.h"
#include "store/settings.h"

namespace {

const char kPhoneNumberChars[] = "0123456789- ";
const char kSPIDChars[] = "0123456789 ";
// Only the start of a field is checked.
const int kCheckedChars = 15;

BOOL HasOnlyAllowedChars(const CEdit& field, const char* pszAllowed)
{
    CString text;
    field.GetWindowText(text);
    const char* psz = text;
    for (int i = 0; i < kCheckedChars && psz[i]; ++i)
        if (!strchr(pszAllowed, psz[i]))
            return FALSE;
    return TRUE;
}

BOOL RefuseToLeave(const char* pszMessage, const CEdit& fieldToFix)
{
    MessageBoxA(nullptr, pszMessage, kMessageCaption, MB_OK);
    SetFocus(fieldToFix.m_hWnd);
    return FALSE;
}

}  // namespace

const CRuntimeClass CISDNConfigDialog::classCISDNConfigDialog = {
    "CISDNConfigDialog", CreateObjectOf<CISDNConfigDialog>, &CPropertyPage::classCPropertyPage };

BEGIN_MESSAGE_MAP(CISDNConfigDialog, CPropertyPage)
    ON_BN_CLICKED_SHARED(IDC_ABOUT_BUTTON, OnAbout)
    ON_BN_CLICKED_SHARED(IDC_DEFAULTS, OnDefaults)
    ON_BN_CLICKED_SHARED(IDC_WINMSD, OnWinMSD)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_HELP_BUTTON, OnHelp)
    ON_CBN_SELCHANGE_SHARED(IDC_NUM_NUMBERS, UpdateSecondNumberControls)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CISDNConfigDialog::CISDNConfigDialog() : CPropertyPage(IDD_ISDN_PARAMETERS)
{
    if (!g_isdnPicture.bitmap.GetSafeHandle())
        LoadPicture(g_isdnPicture, IDB_ISDN_LINE);
}

CISDNConfigDialog::~CISDNConfigDialog()
{
    g_isdnPicture.bitmap.DeleteObject();
}

void CISDNConfigDialog::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NUM_NUMBERS_LABEL, g_lblNumPhoneNumbers);
    DDX_Control(pDX, IDC_NUM_NUMBERS, g_cboNumPhoneNumbers);
    DDX_Control(pDX, IDC_SPID2_LABEL, g_lblSPID2);
    DDX_Control(pDX, IDC_SPID2, g_edtSPID2);
    DDX_Control(pDX, IDC_PHONE2, g_edtPhone2);
    DDX_Control(pDX, IDC_PHONE2_LABEL, g_lblPhone2);
    DDX_Control(pDX, IDC_SWITCH_LABEL, g_lblSwitchType);
    DDX_Control(pDX, IDC_SWITCH_TYPE, g_cboSwitchType);
    DDX_Control(pDX, IDC_ISDN_PICTURE, g_picISDNPlaceholder);
    DDX_Control(pDX, IDC_SPID1_LABEL, g_lblSPID1);
    DDX_Control(pDX, IDC_SPID1, g_edtSPID1);
    DDX_Control(pDX, IDC_PHONE1_LABEL, g_lblPhone1);
    DDX_Control(pDX, IDC_PHONE1, g_edtPhone1);
}

BOOL CISDNConfigDialog::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    g_nISDNPageShown = 0;

    const char* pszPhone1 = ReadPhoneNumber(0);
    const char* pszPhone2 = ReadPhoneNumber(1);
    const char* pszSPID1 = ReadSPID(0);
    const char* pszSPID2 = ReadSPID(1);
    int switchType = ReadSwitchType();
    int numbers = ReadNumPhoneNumbers();

    g_cboSwitchType.SendMessage(CB_SETCURSEL, switchType);  // outside the list: no selection
    g_cboNumPhoneNumbers.SendMessage(CB_SETCURSEL, numbers);
    g_edtPhone1.SetWindowText(pszPhone1);
    g_edtPhone2.SetWindowText(pszPhone2);
    g_edtSPID1.SetWindowText(pszSPID1);
    g_edtSPID2.SetWindowText(pszSPID2);
    // What the registry value holds, so nothing typed is cut off unseen at the save.
    const CEdit* fields[] = { &g_edtPhone1, &g_edtPhone2, &g_edtSPID1, &g_edtSPID2 };
    for (const CEdit* pField : fields)
        pField->SendMessage(EM_LIMITTEXT, kMaxValueText);

    // A list the user leaves without a selection keeps what was loaded here.
    g_loadedListValues.SwitchType = switchType;
    ChoiceValue(g_phoneCountTable, numbers, &g_loadedListValues.NumPhoneNumbers);

    UpdateSecondNumberControls();  // not active yet: OnSetActive does the enabling
    return FALSE;
}

BOOL CISDNConfigDialog::OnSetActive()
{
    g_nActivePage = kISDNParametersPage;
    UpdateSecondNumberControls();
    return CPropertyPage::OnSetActive();
}

void CISDNConfigDialog::OnShowWindow(BOOL, UINT)
{
    // Once shown, the page is captured whenever it is left, so the commit may write its values.
    g_nISDNPageShown = 1;
}

BOOL CISDNConfigDialog::IsPhoneNumberValid(int nIndex)
{
    return HasOnlyAllowedChars(nIndex == 0 ? g_edtPhone1 : g_edtPhone2, kPhoneNumberChars);
}

BOOL CISDNConfigDialog::IsSPIDValid(int nIndex)
{
    return HasOnlyAllowedChars(nIndex == 0 ? g_edtSPID1 : g_edtSPID2, kSPIDChars);
}

BOOL CISDNConfigDialog::OnKillActive()
{
    // The second number's fields are checked even while disabled: they are saved all the same.
    if (!IsPhoneNumberValid(0) || !IsPhoneNumberValid(1))
        return RefuseToLeave("Invalid phone number! (Use 0-9)", g_edtPhone1);
    if (!IsSPIDValid(0) || !IsSPIDValid(1))
        return RefuseToLeave("Invalid SPID! (Use 0-9)", g_edtSPID1);

    // A list without a selection (text typed into it) keeps the value the page loaded.
    int switchType = CurSel(g_cboSwitchType);
    g_settings.SwitchType = switchType != CB_ERR ? switchType : g_loadedListValues.SwitchType;
    if (!ChoiceValue(g_phoneCountTable, CurSel(g_cboNumPhoneNumbers), &g_settings.NumPhoneNumbers))
        g_settings.NumPhoneNumbers = g_loadedListValues.NumPhoneNumbers;
    g_edtPhone1.GetWindowText(g_settings.PhoneNumber1);
    g_edtPhone2.GetWindowText(g_settings.PhoneNumber2);
    g_edtSPID2.GetWindowText(g_settings.SPID2);
    g_edtSPID1.GetWindowText(g_settings.SPID1);
    return CPropertyPage::OnKillActive();
}

void CISDNConfigDialog::OnPaint()
{
    PaintPicture(this, g_picISDNPlaceholder, g_isdnPicture);
}

void CISDNConfigDialog::OnHelp()
{
    ShowHelp(m_hWnd);
}
