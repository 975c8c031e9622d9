// The guide page's pictures: the board's picture and each pin's fill region, from the
// program's own drawing.
#pragma once

#include <QJsonArray>
#include <QString>

class MainWindow;

/// The board's picture at 1x and 2x, and each pin's fill region at both, as the page draws them.
struct Pictures {
    QString uri[2];
    QJsonArray pins;
};

Pictures drawPictures(const MainWindow &window);
