// The settings record and the commit.
#include "settings.h"

#include "adapter_params.h"

AdapterSettings g_settings;
int g_nISDNPageShown = 0;

BOOL CommitSettings()
{
    const AdapterSettings& s = g_settings;
    bool allWritten = true;
    auto note = [&allWritten](LONG result) { allWritten = allWritten && result == ERROR_SUCCESS; };

    note(WriteIOBaseAddress(s.IOBaseAddress));
    note(WriteRingPattern(s.RingPattern));
    note(WriteInterruptNumber(s.InterruptNumber));
    note(WriteVoiceEnabled(s.VoiceEnabled));
    if (g_nISDNPageShown) {
        note(WriteSwitchType(s.SwitchType));
        note(WriteNumPhoneNumbers(s.NumPhoneNumbers));
        note(WritePhoneNumber(0, s.PhoneNumber1));
        note(WritePhoneNumber(1, s.PhoneNumber2));
        note(WriteSPID(0, s.SPID1));
        note(WriteSPID(1, s.SPID2));
    }
    return allWritten;
}
