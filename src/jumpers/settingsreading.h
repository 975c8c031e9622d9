// What the board's jumpers read as settings: the documented bus clock, multiplier and core
// voltage, the CPU clock, the CPU entries and the power-supply and SDRAM-clock choices, each with
// the words the settings panel and the guide page show.
#pragma once

#include "blockfills.h"

#include <QString>

#include <optional>

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
