// Pixels of the screen and of bitmaps, for checking what a program painted: a capture of a
// screen rectangle through the screen's device context, and a bitmap resource of another
// module, both as 0xRRGGBB values row by row from the top.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace hvntest {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
    uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// What the screen shows in the rectangle of this size at (left, top), in screen coordinates.
Pixels CaptureScreen(int left, int top, int width, int height);
// Bitmap resource id of the module file at path (loaded as data, never run); empty when it
// cannot be loaded.
Pixels BitmapResource(const std::wstring& path, int id);

// How two pictures of one size differ: empty when they are equal, otherwise the count of
// differing pixels and the first few of them.
std::string Difference(const Pixels& expected, const Pixels& actual);

}  // namespace hvntest
