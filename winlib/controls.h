// Control objects: typed CWnd objects for the standard controls a dialog binds. They are
// driven with the controls' own window messages through their handles.
#pragma once
#include "wnd.h"

class CStatic : public CWnd {};
class CButton : public CWnd {};
class CEdit : public CWnd {};
class CComboBox : public CWnd {};
