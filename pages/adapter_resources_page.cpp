// The Adapter Resources page.
#include "adapter_resources_page.h"

#include "ddx.h"
#include "help_about/help_file.h"
#include "pages/page_commands.h"
#include "pages/page_globals.h"
#include "resource.h"
#include "store/adapter_params.h"
#include "store/settings.h"

const CRuntimeClass CAdapterResourcesDialog::classCAdapterResourcesDialog = {
    "CAdapterResourcesDialog", CreateObjectOf<CAdapterResourcesDialog>,
    &CPropertyPage::classCPropertyPage };

BEGIN_MESSAGE_MAP(CAdapterResourcesDialog, CPropertyPage)
    ON_BN_CLICKED_SHARED(IDC_ABOUT_BUTTON, OnAbout)
    ON_BN_CLICKED_SHARED(IDC_DEFAULTS, OnDefaults)
    ON_BN_CLICKED_SHARED(IDC_WINMSD, OnWinMSD)
    ON_WM_PAINT()
    ON_BN_CLICKED(IDC_HELP_BUTTON, OnHelp)
END_MESSAGE_MAP()

CAdapterResourcesDialog::CAdapterResourcesDialog() : CPropertyPage(IDD_ADAPTER_RESOURCES)
{
    if (!g_adapterPicture.bitmap.GetSafeHandle())
        LoadPicture(g_adapterPicture, IDB_ADAPTER_CARD);
}

CAdapterResourcesDialog::~CAdapterResourcesDialog()
{
    g_adapterPicture.bitmap.DeleteObject();
}

void CAdapterResourcesDialog::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VOICE_ENABLED, g_chkVoiceEnabled);
    DDX_Control(pDX, IDC_RING_PATTERN_LABEL, g_lblRingPattern);
    DDX_Control(pDX, IDC_RING_PATTERN, g_cboRingPattern);
    DDX_Control(pDX, IDC_INTERRUPT_LABEL, g_lblInterrupt);
    DDX_Control(pDX, IDC_INTERRUPT, g_cboInterrupt);
    DDX_Control(pDX, IDC_IOBASE, g_cboIOBase);
    DDX_Control(pDX, IDC_IOBASE_LABEL, g_lblIOBase);
    DDX_Control(pDX, IDC_ADAPTER_PICTURE, g_picAdapterPlaceholder);
    DDX_Check(pDX, IDC_VOICE_ENABLED, g_nVoiceExchange);
}

BOOL CAdapterResourcesDialog::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    int ringPattern = ReadRingPattern();
    int interrupt = ReadInterruptNumber();
    int ioBase = ReadIOBaseAddress();
    // Every activation loads the check box from this variable, so it must hold the value.
    g_nVoiceExchange = ReadVoiceEnabled();

    g_cboIOBase.SendMessage(CB_SETCURSEL, ioBase);
    g_cboRingPattern.SendMessage(CB_SETCURSEL, ringPattern);  // outside the list: no selection
    g_cboInterrupt.SendMessage(CB_SETCURSEL, interrupt);
    g_chkVoiceEnabled.SendMessage(BM_SETCHECK, g_nVoiceExchange);

    // A list the user leaves without a selection keeps what was loaded here.
    ChoiceValue(g_ioBaseTable, ioBase, &g_loadedListValues.IOBaseAddress);
    ChoiceValue(g_interruptTable, interrupt, &g_loadedListValues.InterruptNumber);
    g_loadedListValues.RingPattern = ringPattern;

    UpdateSecondNumberControls();
    return TRUE;
}

BOOL CAdapterResourcesDialog::OnSetActive()
{
    g_nActivePage = kAdapterResourcesPage;
    return CPropertyPage::OnSetActive();
}

BOOL CAdapterResourcesDialog::OnKillActive()
{
    // A list without a selection (text typed into it) keeps the value the page loaded.
    if (!ChoiceValue(g_ioBaseTable, CurSel(g_cboIOBase), &g_settings.IOBaseAddress))
        g_settings.IOBaseAddress = g_loadedListValues.IOBaseAddress;
    int ringPattern = CurSel(g_cboRingPattern);
    g_settings.RingPattern = ringPattern != CB_ERR ? ringPattern : g_loadedListValues.RingPattern;
    if (!ChoiceValue(g_interruptTable, CurSel(g_cboInterrupt), &g_settings.InterruptNumber))
        g_settings.InterruptNumber = g_loadedListValues.InterruptNumber;
    g_settings.VoiceEnabled = static_cast<int>(g_chkVoiceEnabled.SendMessage(BM_GETCHECK));
    return CPropertyPage::OnKillActive();
}

void CAdapterResourcesDialog::OnPaint()
{
    PaintPicture(this, g_picAdapterPlaceholder, g_adapterPicture);
}

void CAdapterResourcesDialog::OnHelp()
{
    ShowHelp(m_hWnd);
}
