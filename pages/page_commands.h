// Commands behind the button row both pages carry, and the second number's enabling.
// They act on the shared control objects, never on the page that received the command.
#pragma once

// Defaults: puts the active page's lists back to their factory positions.
void OnDefaults();
// WinMSD: starts the system's diagnostics program, or says it could not.
void OnWinMSD();
// About: shows the About box.
void OnAbout();
// Enables the second number's fields and labels while "2" numbers are chosen; only while
// the ISDN Parameters page is active.
void UpdateSecondNumberControls();
