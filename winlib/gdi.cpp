// Bitmaps and device contexts.
#include "gdi.h"

#include "wnd.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    DeleteObject();
    m_hObject = ::LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDResource));
    return m_hObject != nullptr;
}

int CBitmap::GetBitmap(BITMAP* pBitmap) const
{
    return GetObjectA(m_hObject, sizeof(BITMAP), pBitmap);
}

void CBitmap::DeleteObject()
{
    if (m_hObject) {
        ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
}

BOOL CDC::CreateCompatibleDC(const CDC* pDC)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return ::SelectObject(m_hDC, hObject);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, const CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->m_hDC, xSrc, ySrc, dwRop);
}

void CDC::DeleteDC()
{
    if (m_bOwned)
        ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_bOwned = FALSE;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    m_hDC = BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}
