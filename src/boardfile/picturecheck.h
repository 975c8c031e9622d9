// Whether a picture a description names can be drawn: a built-in one, or a PNG, BMP or GIF file
// beside the description within the size limits.
#pragma once

#include "boarddescription.h"

#include <QDir>
#include <QString>

#include <optional>

/// The most bytes a picture file may have.
inline constexpr qint64 MaxPictureBytes = 16 * 1024 * 1024;
/// The most pixels a picture may have across and down.
inline constexpr int MaxPictureSide = 4096;

/// A picture reference, or why the name given does not make one.
struct PictureCheck {
    std::optional<PictureReference> picture;
    QString problem; ///< "... does not exist: ..." to follow the picture's name in a message
};

/// Checks the picture written (a path relative to folder, or "builtin:NAME"): the file is there,
/// is a regular file, is a PNG, BMP or GIF of at most MaxPictureBytes and MaxPictureSide pixels a
/// side, and decodes. The size is read from the picture's header before anything is decoded, and
/// decoding runs under an allocation limit that fits the largest picture allowed.
PictureCheck checkPicture(const QString &written, const QDir &folder);
