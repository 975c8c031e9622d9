// The board's own description file, carried by the program as it stands in boards/.
#pragma once

#include <QByteArray>

/// The bytes of boards/p5velmor.toml.
QByteArray builtinBoardDescription();

/// The name the description goes by in messages about it.
inline constexpr char BuiltinBoardFileName[] = "p5velmor.toml";
