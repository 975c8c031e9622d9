// What the board tells a pointer resting where no caption tells anything: over a jumper pin, the
// block's position and what grey, white and pin 1 mean; over the caption that asks the user to
// rest the pointer on the captions, how to open the settings panel.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class Board;

/// A hint and the box it holds for: the pointer leaving the box hides it.
struct BoardHint {
    QString text;
    QRect box;
};

/// The hint for a pixel of the board where no caption with a tool tip lies. Over a pin of JP3 to
/// JP11: the block, its position now, that grey pins are covered by the cap and white ones are
/// open, and which end is pin 1 (for JP3, which position is A). Over the caption that asks the
/// user to rest the pointer on the captions: how to open the panel. Over a pin of a described
/// board's block: its position, what the colours mean, and its notes and warnings. Elsewhere none
/// (empty).
BoardHint boardHintAt(const Board &board, QPoint pixel);

/// How to open the settings panel, as the board tells it.
extern const char *const PanelHint;
