// A page or About box picture: a bitmap resource and its size, painted at the top-left
// corner of an invisible placeholder item at the picture's own size.
#pragma once
#include "controls.h"
#include "gdi.h"

struct Picture {
    CBitmap bitmap;
    int width = 0;   // in pixels, taken when the bitmap is loaded
    int height = 0;
};

// Loads bitmap resource nIDResource into the picture and takes its size.
void LoadPicture(Picture& picture, UINT nIDResource);
// WM_PAINT of pWnd: copies the picture opaquely, unscaled, to the placeholder's top-left
// corner; it may reach beyond the placeholder.
void PaintPicture(CWnd* pWnd, const CStatic& placeholder, const Picture& picture);
