// Jumper positions read back: the text a person copies from a board or from the guide, and what
// the positions it gives stand for.
#pragma once

#include "cpusettings.h"

#include <QString>

#include <optional>

/// Jumper positions as a text gives them; a block the text leaves out holds none.
struct JumperReading {
    CpuBlockReading cpu;
    std::optional<Position> power; ///< JP11
    std::optional<Position> sdram; ///< JP10
};

/// The positions a text gives, or a one-line reason why it gives none.
struct ParsedReading {
    std::optional<JumperReading> reading;
    QString error;
};

/// Reads the sentence the board's accessible description uses ("JP7 1-2, JP8 1-2, JP9 1-2, JP4
/// 1-2, JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 2-3") and a short
/// form ("JP7=1-2 ... JP3=B JP11=1-2 JP10=2-3"), in which JP3 names its closed positions
/// ("B", "ACD", "A,C,D") or "none". Blanks, commas and "=" separate; block names, letters, open
/// and closed may be in any case. Blocks may be left out, in any order, but none twice; the long
/// form of JP3 may leave out positions too, and what the sentence reads "not set" counts as left
/// out. A text naming no block is malformed.
ParsedReading parseJumperReading(const QString &text);

/// What the positions stand for: a line each for the bus clock, multiplier, CPU clock, core
/// voltage, power supply, SDRAM clock and the matching CPU entries with their list positions.
/// A group left out, wholly or in part, reads "not given"; a group given in full whose positions
/// no table documents is named, e.g. "JP3 A closed, B closed, C open, D open: not a documented
/// voltage setting", and makes the identification undocumented.
struct Identification {
    QString report;
    bool documented = true;
};
Identification identifyJumpers(const JumperReading &reading);
