// CString: a text value with copy semantics, convertible to a C string.
#pragma once
#include <windows.h>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_text(psz ? psz : "") {}

    operator const char*() const { return m_text.c_str(); }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }

private:
    std::string m_text;
};
