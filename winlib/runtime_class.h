// Run-time class information: a class record names the class and its base, can create an
// object of a class that allows it, and answers whether an object is of a given kind.
#pragma once
#include <windows.h>

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();    // null when the class cannot be created by name
    const CRuntimeClass* m_pBaseClass;  // null only for CObject

    // Creates a new object of the class; null when the class has no creator.
    CObject* CreateObject() const;
    // TRUE when the class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

// The creator a class record names when its class can be created by name.
template <class T>
CObject* CreateObjectOf()
{
    return new T;
}

// The root of the classes that carry run-time class information.
class CObject {
public:
    virtual ~CObject() = default;

    // Objects live on the C heap: a failed allocation yields null rather than an exception.
    static void* operator new(size_t size) noexcept;
    static void operator delete(void* p) noexcept;

    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &classCObject; }

    // TRUE when this object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
};
