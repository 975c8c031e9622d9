// Reading picture files for the decoders: bounds-checked little-endian numbers, the checks every
// header needs, and the decoders' outcomes.
#pragma once

#include "picturedecoders.h"

#include <QtEndian>

#include <cassert>
#include <optional>
#include <string>

/// A picture file's bytes. Every read names a position that holds() has vouched for.
class PictureBytes
{
public:
    explicit PictureBytes(QByteArrayView data)
        : m_data(data)
    {
    }

    /// Whether the count bytes from at lie inside the data; false for any negative value, and
    /// for values that would overflow once added.
    bool holds(qint64 at, qint64 count) const
    {
        return at >= 0 && count >= 0 && at <= m_data.size() && count <= m_data.size() - at;
    }

    const uchar *at(qint64 at) const
    {
        assert(holds(at, 0) && "a position checked with holds()");
        return reinterpret_cast<const uchar *>(m_data.data()) + at;
    }

    uchar byte(qint64 at) const
    {
        assert(holds(at, 1) && "a position checked with holds()");
        return *this->at(at);
    }

    quint16 word(qint64 at) const
    {
        assert(holds(at, 2) && "a position checked with holds()");
        return qFromLittleEndian<quint16>(this->at(at));
    }

    quint32 dword(qint64 at) const
    {
        assert(holds(at, 4) && "a position checked with holds()");
        return qFromLittleEndian<quint32>(this->at(at));
    }

    qint32 signedDword(qint64 at) const { return qint32(dword(at)); }

private:
    QByteArrayView m_data;
};

inline PictureDecoding brokenPicture(std::string why)
{
    return {PictureDecoding::Broken, QImage(), std::move(why)};
}

inline PictureDecoding unsupportedPicture()
{
    return {PictureDecoding::Unsupported, QImage(), {}};
}

inline const char *const EndsEarly = "the data ends early";

/// Why a header's size cannot be a picture's: none or more than MaxPictureSide on a side.
inline std::optional<std::string> sizeProblem(qint64 width, qint64 height)
{
    if (width > 0 && height > 0 && width <= MaxPictureSide && height <= MaxPictureSide)
        return std::nullopt;
    return "the header gives a size of " + std::to_string(width) + " x " + std::to_string(height)
        + " pixels, not between 1 and " + std::to_string(MaxPictureSide) + " on a side";
}

/// A picture of the size a header gave, its pixels not set yet; a null image when there is no
/// memory for it (sizeProblem() has bounded it already).
inline QImage newPicture(qint64 width, qint64 height, QImage::Format format)
{
    assert(!sizeProblem(width, height) && "a size checked with sizeProblem()");
    return QImage(int(width), int(height), format);
}

inline const char *const NoMemory = "there is no memory for a picture of its size";
