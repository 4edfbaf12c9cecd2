// Pictures in the formats Windows reads itself (BMP, JPEG, GIF): decoded by
// the Windows Imaging Component where the system has it, by OLE's picture
// object otherwise; no decoder of our own. And a bitmap written as a .bmp
// file.
#pragma once

#include <windows.h>

#include <string>

namespace corvanta {

// A 32-bit top-down DIB section of the picture, owned by the caller; null
// when the file cannot be read as a picture. With `fit`, a picture larger
// than that box comes scaled down to fit inside it, keeping its proportions:
// a preview of a photograph need not hold every pixel of it. `width` and
// `height` are the bitmap's.
HBITMAP decodePicture(const std::string& path, int& width, int& height, SIZE fit = {});
// The largest size of a `width` by `height` picture that fits inside `box`
// with its proportions kept, larger or smaller than its own.
SIZE scaledToFit(int width, int height, SIZE box);
// Writes the bitmap as a 24-bit Windows bitmap file, replacing any file
// there. 0, or the failure's status.
long saveBitmapFile(HBITMAP bitmap, const std::string& path);

}  // namespace corvanta
