// The built-in pictures as the build made them: pixels ready to draw, by the name the board's
// rows give each picture.
#pragma once

#include <span>

/// One picture: width x height pixels of 32 bits, 0xffRRGGBB in the machine's byte order, row
/// after row with no padding.
struct PicturePixels {
    const char *name;
    int width;
    int height;
    const char *pixels;
};

/// Every built-in picture; written at build time by tools/picturepixels.
std::span<const PicturePixels> builtInPictures();
