#include "support/screen.h"

#include <cstdio>

namespace hvntest {
namespace {

Pixels BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height) {
    Pixels pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bgrx(static_cast<size_t>(width) * height);
    if (GetDIBits(dc, bitmap, 0, height, bgrx.data(), &info, DIB_RGB_COLORS) != height)
        return pixels;
    pixels.width = width;
    pixels.height = height;
    for (uint32_t value : bgrx) pixels.rgb.push_back(value & 0xFFFFFF);  // BI_RGB: 0x00RRGGBB
    return pixels;
}

}  // namespace

Pixels CaptureScreen(int left, int top, int width, int height) {
    Pixels pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const BOOL copied = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    SelectObject(memory, previous);
    if (copied) pixels = BitmapPixels(screen, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

Pixels BitmapResource(const std::wstring& path, int id) {
    Pixels pixels;
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return pixels;
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id));
    BITMAP description{};
    if (bitmap && GetObjectW(bitmap, sizeof description, &description)) {
        HDC screen = GetDC(nullptr);
        pixels = BitmapPixels(screen, bitmap, description.bmWidth, description.bmHeight);
        ReleaseDC(nullptr, screen);
    }
    if (bitmap) DeleteObject(bitmap);
    FreeLibrary(module);
    return pixels;
}

std::string Difference(const Pixels& expected, const Pixels& actual) {
    char text[128];
    if (expected.width != actual.width || expected.height != actual.height) {
        std::snprintf(text, sizeof text, "size %dx%d, expected %dx%d", actual.width, actual.height,
                      expected.width, expected.height);
        return text;
    }
    std::string first;
    int differing = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (expected.At(x, y) != actual.At(x, y) && ++differing <= 5) {
                std::snprintf(text, sizeof text, " (%d,%d) %06x not %06x;", x, y,
                              (unsigned)actual.At(x, y), (unsigned)expected.At(x, y));
                first += text;
            }
    if (!differing) return std::string();
    return std::to_string(differing) + " of " + std::to_string(expected.width * expected.height) +
           " pixels differ, first:" + first;
}

}  // namespace hvntest
