// Decoders of our own for the formats the built-in pictures are stored in: GIF, 24-bit bitmaps
// and 4-bit icons. Each handles the forms the picture generator writes and a little around them;
// data in any other form is left to the toolkit's decoders.
#pragma once

#include <QByteArrayView>
#include <QImage>

#include <string>

/// The most pixels a decoded picture may have on a side; a header claiming more is broken, so
/// no header can make a decoder allocate more than this squared.
inline constexpr int MaxPictureSide = 8192;

/// What a decoder made of its data.
struct PictureDecoding {
    enum Outcome {
        Decoded,     ///< image holds the picture
        Unsupported, ///< valid perhaps, but in a form this decoder leaves to the toolkit
        Broken,      ///< the data cannot hold a picture: error says why
    };
    Outcome outcome = Unsupported;
    QImage image;
    std::string error; ///< a clause such as "the data ends early"
};

/// The first image of a GIF87a or GIF89a file, as Format_RGB32. Unsupported: a transparent
/// color, no color table, an image that does not cover the whole logical screen, or pixel codes
/// that reach past its color table. Broken: no GIF signature, a zero or huge size, data ending
/// early, an invalid code size or code, or more or fewer pixels than the image holds.
PictureDecoding decodeGif(QByteArrayView data);

/// A bitmap file with a 40-byte information header, 24 bits per pixel and no compression, rows
/// bottom-up or top-down, as Format_RGB32. Unsupported: any other header, depth or compression.
/// Broken: no "BM" signature, a zero or huge size, or pixel rows reaching past the data.
PictureDecoding decodeBmp(QByteArrayView data);

/// The one image of an icon file, a 4-bit bitmap with 16 colors and its mask, as
/// Format_ARGB32: a pixel set in the mask is transparent black, any other opaque. Unsupported:
/// several images, a cursor, a PNG or any other depth or header, a size differing from the
/// directory's. Broken: no icon directory, no image, a zero or huge size, or data ending early.
PictureDecoding decodeIco(QByteArrayView data);
