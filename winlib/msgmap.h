// Message maps: each window class lists the messages it handles and the handler each one
// calls. A class's map names its base class's map, and a lookup walks that chain.
#pragma once
#include <windows.h>

class CWnd;

// What kind of handler an entry calls; CWnd's dispatcher unpacks wParam/lParam for each kind.
enum class AfxSig {
    Command,        // void Handler()                  WM_COMMAND from one control
    SharedCommand,  // void Handler() (no object)      WM_COMMAND from one control
    Paint,          // void OnPaint()                  WM_PAINT
    ShowWindow,     // void OnShowWindow(BOOL, UINT)   WM_SHOWWINDOW
};

typedef void (CWnd::*AFX_PMSG)();
typedef void (CWnd::*AFX_PMSG_SHOWWINDOW)(BOOL bShow, UINT nStatus);
typedef void (*AFX_PFN_SHARED)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                     // 0 ends the map
    UINT nCode;                        // notification code (WM_COMMAND only)
    UINT nID;                          // control id (WM_COMMAND only)
    AfxSig nSig;
    AFX_PMSG pfn;                      // for Command and Paint
    AFX_PMSG_SHOWWINDOW pfnShowWindow; // for ShowWindow
    AFX_PFN_SHARED pfnShared;          // for SharedCommand
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for CWnd, the end of the chain
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                  \
protected:                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                              \
    const AFX_MSGMAP* theClass::GetMessageMap() const                       \
    {                                                                       \
        return GetThisMessageMap();                                         \
    }                                                                       \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                         \
    {                                                                       \
        using ThisClass [[maybe_unused]] = theClass;                        \
        using TheBaseClass = baseClass;                                     \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                   \
            { 0, 0, 0, AfxSig::Command, nullptr, nullptr, nullptr }         \
        };                                                                  \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &map;                                                        \
    }

#define ON_CONTROL(code, id, memberFxn) \
    { WM_COMMAND, (code), (id), AfxSig::Command, static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr, nullptr },
#define ON_CONTROL_SHARED(code, id, fn) \
    { WM_COMMAND, (code), (id), AfxSig::SharedCommand, nullptr, nullptr, &fn },

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
// Commands handled by a function shared between windows rather than by a member.
#define ON_BN_CLICKED_SHARED(id, fn) ON_CONTROL_SHARED(BN_CLICKED, id, fn)
#define ON_CBN_SELCHANGE_SHARED(id, fn) ON_CONTROL_SHARED(CBN_SELCHANGE, id, fn)

#define ON_WM_PAINT() \
    { WM_PAINT, 0, 0, AfxSig::Paint, static_cast<AFX_PMSG>(&ThisClass::OnPaint), nullptr, nullptr },
#define ON_WM_SHOWWINDOW() \
    { WM_SHOWWINDOW, 0, 0, AfxSig::ShowWindow, nullptr, \
      static_cast<AFX_PMSG_SHOWWINDOW>(&ThisClass::OnShowWindow), nullptr },
