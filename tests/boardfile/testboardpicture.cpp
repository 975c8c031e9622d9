// Draws tests/boards/testboard.png, the picture of the made-up test board: a green card with a
// socket, a chip, an edge connector and dark seats where its jumper blocks stand. Regenerate it
// with: cmake --build build --target velmor-testboard-picture && build/tests/boardfile/velmor-testboard-picture
// tests/boards/testboard.png
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmor-testboard-picture OUTPUT.png\n");
        return 2;
    }
    // An indexed picture of a few flat colours keeps the file small; no smoothing, no text, so
    // the same bytes come out on every machine.
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(QColor(0xff, 0xff, 0xff));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x6b, 0x3a)); // the card
    p.drawRect(4, 4, 312, 136);
    p.setBrush(QColor(0xc8, 0xa0, 0x3c)); // the edge connector's contacts
    for (int x = 40; x < 280; x += 8)
        p.drawRect(x, 140, 5, 10);
    p.setBrush(QColor(0xe6, 0xe6, 0xdc)); // the socket
    p.drawRect(236, 60, 60, 60);
    p.setBrush(QColor(0x20, 0x20, 0x20)); // a chip, and the seats of the jumper blocks
    p.drawRect(160, 90, 50, 24);
    p.drawRect(56, 36, 14, 26);
    p.drawRect(96, 36, 22, 14);
    p.drawRect(136, 36, 22, 26);
    p.drawRect(196, 36, 38, 14);
    p.drawRect(16, 76, 14, 26);
    p.end();
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    indexed.setText(QStringLiteral("Comment"),
                    QStringLiteral("Drawn by tests/boardfile/testboardpicture.cpp (target velmor-testboard-picture)"));
    return indexed.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
