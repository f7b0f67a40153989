// Run-time class records and the kind test.
#include "runtime_class.h"

#include <stdlib.h>

const CRuntimeClass CObject::classCObject = { "CObject", nullptr, nullptr };

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->m_pBaseClass)
        if (pClass == pBaseClass)
            return TRUE;
    return FALSE;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void* CObject::operator new(size_t size) noexcept
{
    return malloc(size);
}

void CObject::operator delete(void* p) noexcept
{
    free(p);
}
