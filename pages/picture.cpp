// Loading and painting pictures.
#include "picture.h"

void LoadPicture(Picture& picture, UINT nIDResource)
{
    picture.bitmap.LoadBitmap(nIDResource);
    BITMAP description = {};
    picture.bitmap.GetBitmap(&description);
    picture.width = description.bmWidth;
    picture.height = description.bmHeight;
}

void PaintPicture(CWnd* pWnd, const CStatic& placeholder, const Picture& picture)
{
    CPaintDC dc(pWnd);
    RECT corner;
    placeholder.GetWindowRect(&corner);
    pWnd->ScreenToClient(&corner);

    CDC memoryDC;
    memoryDC.CreateCompatibleDC(&dc);
    HGDIOBJ hPrevious = memoryDC.SelectObject(picture.bitmap.GetSafeHandle());
    dc.BitBlt(corner.left, corner.top, picture.width, picture.height, &memoryDC, 0, 0, SRCCOPY);
    memoryDC.SelectObject(hPrevious);  // the bitmap outlives this device context
}
