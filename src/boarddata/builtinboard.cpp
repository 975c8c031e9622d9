#include "builtinboard.h"

#include <QFile>

QByteArray builtinBoardDescription()
{
    QFile file(QStringLiteral(":/boards/p5velmor.toml"));
    // A resource compiled into the program always opens.
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
