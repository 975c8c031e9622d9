// The words for jumper positions, each written once: a position, the positions of a group of
// blocks, the sentence the board reads to a screen reader, and what the jumpers read as settings
// (the documented bus clock, multiplier and core voltage, the CPU clock, the CPU entries and the
// power-supply and SDRAM-clock choices) in the words of the settings panel and the guide page.
#pragma once

#include "jumperblocks.h"
#include "jumperpositions.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

struct BoardJumper;
struct CpuBlockReading;

/// A position as the guide writes it: "1-2" or "2-3"; "closed" or "open"; none reads "not set".
QString positionText(Position p);
QString contactText(Contact c);
QString positionText(std::optional<Position> p);
QString contactText(std::optional<Contact> c);

/// "JP7 1-2, JP8 1-2, JP9 1-2"; a block that shows no position reads "not set".
QString blocksText(std::span<const ThreePinBlock> blocks, std::span<const std::optional<Position>> positions);

/// "JP3 A open, B closed, C open, D open"; a position that shows neither reads "not set".
QString jp3Text(const std::array<std::optional<Contact>, 4> &contacts);

/// A block's position as the sentence names it: "JP7 1-2", "JP2 closed", "JP3 A open B closed C
/// open D open", "SW1 1 on 2 off 3 off 4 on"; a block, pair or switch whose pins show no position
/// of its kind reads "not set".
QString blockPositionText(const PinColors &pins, const BlockRow &block);

/// The position of each block the pins show now, in the order the sentence below names them:
/// "JP7 1-2", "JP8 1-2", ..., "JP3 A open B closed C open D open", "JP11 1-2", "JP10 2-3".
QStringList blockPositionTexts(const PinColors &pins);

/// A meaning's value as the command line and the page's address write it: a plain decimal without
/// trailing zeros, never an exponent ("66", "4.5", "1250000").
QString valueWord(double value);

/// The value of a meaning whose positions the pins show, or none.
const ValueRow *meaningValueShown(const PinColors &pins, const MeaningRow &meaning);

/// A meaning's blocks as the sentence names them, "JP1 1-2, JP5 2-3", ending ": not a documented
/// bus clock setting" where every block shows a position but no value gives them.
QString meaningPositionsText(const PinColors &pins, const MeaningRow &meaning);

/// A reading's figure from the values the pins show, "66 MHz", or "not known" while a meaning of
/// its product shows none.
QString readingFigureText(const PinColors &pins, const ReadingRow &reading);

/// The blocks whose positions differ from one reading of blockPositionTexts() to the next, as the
/// sentence names them ("JP4 2-3, JP6 2-3"); empty when none changed.
QString changedPositionsText(const QStringList &before, const QStringList &after);

/// The positions the pins show now, e.g. "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2,
/// JP3 A open B closed C open D open, JP11 1-2, JP10 2-3". A block whose pins show neither
/// position reads "not set".
QString jumperPositionsText(const PinColors &pins);

/// The texts of the CPU entries whose jumpers are exactly these, without their blanks, one a line;
/// "no listed CPU" when there is none.
QString cpuEntriesText(const CpuBlockReading &reading);

/// The CPU clock that the bus clock and multiplier give, in words that never contradict the
/// listed CPUs the blocks match: "300 MHz"; where each of them names no multiplier of its own,
/// "210 MHz if the CPU takes 3.5x from JP4 to JP6; the listed CPU names no multiplier"; where
/// one is named for another clock, "333 MHz (66 MHz x 5.0x), not the 366 MHz of the CPU's name".
QString cpuClockText(int busMegahertz, int multiplierTenths, const QList<int> &matchingEntries);

/// The entry a power-supply or SDRAM-clock block gives with its position, e.g. "AT Power Supply
/// (JP11 1-2)", or "JP11 not set".
QString boardJumperText(const PinColors &pins, const BoardJumper &jumper);

/// One reading of the pins. A value is none where the positions document no setting; its words
/// then say so ("JP7 2-3, JP8 1-2, JP9 2-3: not a documented bus clock setting").
struct SettingsReading {
    std::optional<int> megahertz;  ///< the bus clock
    std::optional<int> tenths;     ///< the multiplier
    std::optional<int> centivolts; ///< the core voltage
    QString busClockPins;          ///< "JP7 1-2, JP8 1-2, JP9 1-2"
    QString multiplierPins;        ///< "JP4 1-2, JP5 2-3, JP6 1-2"
    QString voltagePins;           ///< "JP3 A open, B closed, C open, D open"
    QString cpuClock;              ///< "300 MHz", or "not documented for these jumpers"
    QString cpuEntries;            ///< the matching CPU entries, one a line, or "no listed CPU"
    QString powerSupply;           ///< "AT Power Supply (JP11 1-2)", or "JP11 not set"
    QString sdramClock;            ///< "PC100 SDRAM(Same as CPU) (JP10 2-3)", or "JP10 not set"
};

/// Reads the 32 pins of JP3 to JP11.
SettingsReading readSettings(const PinColors &pins);
