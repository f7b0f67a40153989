// The product's names as the user sees them.
#pragma once

// The adapter this program configures: in the sheet's title and the About box.
inline constexpr char kProductName[] = "Kestrin 128K BRI";
// Caption of the program's own message boxes.
inline constexpr char kMessageCaption[] = "Halvorn BRI ISDN";
