// The rows of a board's jumper knowledge: its blocks and their pins, the lists the owner picks
// from with the positions each entry sets, what groups of blocks stand for, and the figures worked
// out from them.
#pragma once

#include <cstdint>
#include <span>

enum class BlockKind { TwoPin, ThreePin, Header, Dip };

/// A position of a block as the pins it shows grey, bit i for pin i + 1: 1-2 of a three-pin block
/// is 0b011, pair B of a header closed 0b1100, the first switch of a dip block on 0b1. A header
/// has at most 32 pairs, so every block's pins fit.
using PinSet = std::uint64_t;

/// A jumper block: its name as printed on the board, its kind and its pins' element names, pin 1
/// first (a header's pair by pair, first pin first); a header's pair names; the notes and warnings
/// shown with it, a line each, a warning's starting "Warning: " (empty for none).
struct BlockRow {
    const char *name;
    BlockKind kind;
    std::span<const char *const> pins;
    std::span<const char *const> pairs = {};
    const char *notes = "";
};

/// One entry of a list: the text shown, the item code the list keeps with it, the word that names
/// it on the command line and in the guide page's address (null for none), and the position of each
/// of the list's blocks.
struct EntryRow {
    const char *text;
    std::int32_t itemCode;
    const char *word;
    std::span<const PinSet> positions;
};

/// A list the owner picks from: its element name, its heading in the guide, its command-line
/// option (null for none), its blocks (indexes among the board's blocks, in the order their pins
/// are written), its entries and the one selected at start.
struct ListRow {
    const char *name;
    const char *title;
    const char *option;
    std::span<const int> blocks;
    std::span<const EntryRow> entries;
    int defaultPosition;
};

/// One value a group of blocks stands for: the value, what a person reads, the exact figure where
/// the value is rounded (else the value), and the position of each block of the group.
struct ValueRow {
    double value;
    const char *text;
    double amount;
    std::span<const PinSet> positions;
};

/// What a group of blocks stands for: its name, its label, its option (null for none), its
/// blocks and its values in the order given.
struct MeaningRow {
    const char *name;
    const char *label;
    const char *option;
    std::span<const int> blocks;
    std::span<const ValueRow> values;
};

/// A figure worked out from meanings: the product of their amounts (indexes among the meanings).
struct ReadingRow {
    const char *label;
    std::span<const int> product;
    const char *unit;
};
