// Printing the window's image on paper.
#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;

/// Paints image on the printer's page, scaled to fit the printable area and centred. Returns an
/// empty string on success, or the reason the page could not be made.
QString printImage(QPrinter &printer, const QImage &image);

/// Paints image on the painter's page as printImage() does: scaled to fit the painter's viewport,
/// centred, and without blurring.
void paintPage(QPainter &painter, const QImage &image);

/// Prints image on the default printer without any dialog. When there is no printer, or the
/// printer fails, it tells the user in a message box over parent and returns; the guide goes on.
void printOnDefaultPrinter(const QImage &image, QWidget *parent);
