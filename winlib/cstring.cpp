// Text values on the process heap (no C++ runtime containers, to keep the program small).
#include "cstring.h"

#include <stdlib.h>
#include <string.h>

CString::CString(const char* psz)
{
    if (psz && *psz) {
        size_t size = strlen(psz) + 1;
        m_pszText = static_cast<char*>(malloc(size));
        if (m_pszText)
            memcpy(m_pszText, psz, size);
    }
}

CString& CString::operator=(const CString& other)
{
    if (this != &other) {
        CString copy(other);
        char* pszOld = m_pszText;
        m_pszText = copy.m_pszText;
        copy.m_pszText = pszOld;
    }
    return *this;
}

CString::~CString()
{
    free(m_pszText);
}

int CString::GetLength() const
{
    return m_pszText ? static_cast<int>(strlen(m_pszText)) : 0;
}
