// The background picture's size and the boxes its lettering is drawn in, in pixels; the
// picture's test checks the stored file against the same boxes.
#pragma once

#include "edgebox.h"

constexpr int BackgroundWidth = 582;
constexpr int BackgroundHeight = 563;

// Nothing is drawn outside these boxes except the one-pixel frame around the picture.
constexpr QRect NameBox = edgeBox(467, 486, 149, 439);  // the model name, down the right-hand side
constexpr QRect BannerBox = edgeBox(29, 434, 439, 460); // the embossed banner on its white strip
constexpr QRect TitleBox = edgeBox(63, 430, 468, 485);  // the title line with version and date
