// State the two pages share: their control objects, pictures, the voice exchange variable
// and which page is on top. The pages keep no members of their own.
#pragma once
#include "controls.h"
#include "pages/picture.h"

// Which page is active: written by the pages' OnSetActive, read by the shared commands.
enum { kAdapterResourcesPage = 0, kISDNParametersPage = 1 };
extern int g_nActivePage;

// Pictures of the Adapter Resources and ISDN Parameters pages, held while a page object lives.
extern Picture g_adapterPicture;
extern Picture g_isdnPicture;

// Carries the "Enabled voice" check box state between the Adapter page's data exchanges.
extern int g_nVoiceExchange;

// The values the pages loaded into their lists from the registry. A list the user leaves
// without a selection (text typed into it) keeps its loaded value, whatever was chosen and
// captured in between, so the registry keeps what it held and never gets a value outside
// the list's encoding.
struct LoadedListValues {
    int IOBaseAddress = 0;
    int InterruptNumber = 0;
    int RingPattern = 0;
    int SwitchType = 0;
    int NumPhoneNumbers = 0;
};
extern LoadedListValues g_loadedListValues;

// ISDN Parameters page
extern CStatic g_lblNumPhoneNumbers;     // 1026
extern CComboBox g_cboNumPhoneNumbers;   // 1010
extern CStatic g_lblSPID2;               // 1025
extern CEdit g_edtSPID2;                 // 1023
extern CEdit g_edtPhone2;                // 1022
extern CStatic g_lblPhone2;              // 1024
extern CStatic g_lblSwitchType;          // 1012
extern CComboBox g_cboSwitchType;        // 1013
extern CStatic g_picISDNPlaceholder;     // 1001
extern CStatic g_lblSPID1;               // 1019
extern CEdit g_edtSPID1;                 // 1020
extern CStatic g_lblPhone1;              // 1014
extern CEdit g_edtPhone1;                // 1018

// Adapter Resources page
extern CButton g_chkVoiceEnabled;        // 1016
extern CStatic g_lblRingPattern;         // 1015
extern CComboBox g_cboRingPattern;       // 1017
extern CStatic g_lblInterrupt;           // 1005
extern CComboBox g_cboInterrupt;         // 1007
extern CComboBox g_cboIOBase;            // 1006
extern CStatic g_lblIOBase;              // 1004
extern CStatic g_picAdapterPlaceholder;  // 1000

// The list position selected in a combo box, CB_ERR without a selection.
inline int CurSel(const CComboBox& combo)
{
    return static_cast<int>(combo.SendMessage(CB_GETCURSEL));
}
