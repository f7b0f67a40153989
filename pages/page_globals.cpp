// The pages' shared objects, in the order they are constructed (and, reversed, destroyed).
#include "page_globals.h"

Picture g_adapterPicture;
Picture g_isdnPicture;
CStatic g_lblNumPhoneNumbers;
CComboBox g_cboNumPhoneNumbers;
CStatic g_lblSPID2;
CEdit g_edtSPID2;
CEdit g_edtPhone2;
CStatic g_lblPhone2;
CButton g_chkVoiceEnabled;
CStatic g_lblSwitchType;
CComboBox g_cboSwitchType;
CStatic g_picISDNPlaceholder;
CStatic g_lblSPID1;
CEdit g_edtSPID1;
CStatic g_lblRingPattern;
CComboBox g_cboRingPattern;
CStatic g_lblPhone1;
CEdit g_edtPhone1;
CStatic g_lblInterrupt;
CComboBox g_cboInterrupt;
CComboBox g_cboIOBase;
CStatic g_lblIOBase;
CStatic g_picAdapterPlaceholder;

int g_nActivePage = kAdapterResourcesPage;
int g_nVoiceExchange = 0;
LoadedListValues g_loadedListValues;
