// GDI helpers: CBitmap owns a bitmap handle; CDC owns a device context; CPaintDC pairs
// BeginPaint with EndPaint for the lifetime of the object.
#pragma once
#include <windows.h>

class CWnd;

class CBitmap {
public:
    CBitmap() = default;
    ~CBitmap() { DeleteObject(); }
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // Loads bitmap resource nIDResource of the program; FALSE when there is none.
    BOOL LoadBitmap(UINT nIDResource);
    // Fills *pBitmap with the bitmap's description (size, colours).
    int GetBitmap(BITMAP* pBitmap) const;
    // Frees the bitmap, if any; the object is empty afterwards.
    void DeleteObject();

    HBITMAP GetSafeHandle() const { return m_hObject; }

private:
    HBITMAP m_hObject = nullptr;
};

class CDC {
public:
    CDC() = default;
    ~CDC() { DeleteDC(); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Creates a memory device context compatible with pDC.
    BOOL CreateCompatibleDC(const CDC* pDC);
    // Selects a bitmap into the device context; returns the one selected before.
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    // Deletes a device context this object created.
    void DeleteDC();

    HDC m_hDC = nullptr;

protected:
    BOOL m_bOwned = FALSE;  // created here, so deleted here
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};
