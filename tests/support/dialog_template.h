// A dialog template read straight from the program's file (loaded as data, nothing of it
// runs): what the live dialog is compared with, such as the placeholder texts it replaces.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hvntest {

// A dialog template as the resource holds it (DIALOG or DIALOGEX).
struct DialogItemTemplate {
    int id = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring className;   // "#<n>" for a predefined class given by number
    std::wstring text;        // "#<n>" for a resource given by number
};
struct DialogTemplate {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    WORD pointSize = 0;       // with DS_SETFONT
    WORD weight = 0;          // DIALOGEX only
    std::wstring typeface;
    std::vector<DialogItemTemplate> items;
    const DialogItemTemplate* Item(int id) const;
};

// Reads dialog template `id` of the module file at modulePath.
testing::AssertionResult LoadDialogTemplate(const std::wstring& modulePath, int id,
                                            DialogTemplate* dialog);

}  // namespace hvntest
