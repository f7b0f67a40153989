// CString: a text value with copy semantics, convertible to a C string.
#pragma once
#include <windows.h>

class CString {
public:
    CString() = default;
    CString(const char* psz);
    CString(const CString& other) : CString(other.m_pszText) {}
    CString& operator=(const CString& other);
    ~CString();

    operator const char*() const { return m_pszText ? m_pszText : ""; }
    int GetLength() const;
    BOOL IsEmpty() const { return GetLength() == 0; }

private:
    char* m_pszText = nullptr;  // null for the empty text
};
