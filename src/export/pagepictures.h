// The guide page's pictures: the board's picture and each pin's fill region, from the
// program's own drawing.
#pragma once

#include <QJsonArray>
#include <QString>

class Board;

/// The board's picture at 1x and 2x, and each pin's fill region at both, as the page draws them.
struct Pictures {
    QString uri[2];
    QJsonArray pins;
};

/// Draws the board with the fills it shows now.
Pictures drawPictures(const Board &shown);
