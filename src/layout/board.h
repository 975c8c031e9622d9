// The element model of the board: every caption, shape, line and picture at its stacking rank.
#pragma once

#include "boarddata/catalogues.h"

#include <QRect>
#include <QString>

#include <functional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

/// The pixel coordinate of a twips coordinate (to the nearer pixel).
constexpr int twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

/// The pixel box of a twips box: its edges rounded, so neighbouring boxes stay flush.
QRect pixelBox(int left, int top, int width, int height);

/// One element of the board drawing. Exactly one of the row pointers is set, by kind.
struct BoardElement {
    ElementKind kind;
    int rank;
    const LabelRow *label = nullptr;
    const ShapeRow *shape = nullptr;
    const LineRow *line = nullptr;
    const ImageRow *image = nullptr;
    QRect bounds;        ///< every pixel the element may paint
    Color fillColor = 0; ///< a shape's current fill; the only attribute that changes

    const char *name() const;
    int index() const;
};

/// The drawn elements of the window, painted from the highest rank to the lowest.
class Board
{
public:
    /// The whole board in use, from its rows.
    Board();
    /// A board of the given rows only (for small drawings and tests).
    Board(std::span<const LabelRow> labels, std::span<const ShapeRow> shapes, std::span<const LineRow> lines,
          std::span<const ImageRow> images);

    /// All elements, in ascending rank.
    const std::vector<BoardElement> &elements() const { return m_elements; }

    /// The element of that name (and index, for the names two elements share), or null.
    const BoardElement *find(std::string_view name, int index = -1) const;

    /// Stores a shape's new fill color and asks for its box to be repainted, if the color
    /// differs from the one it has.
    /// Throws ElementError when there is no such element or it is not a shape.
    void setFillColor(std::string_view name, Color color, int index = -1);

    /// A shape's current fill color. Throws ElementError like setFillColor().
    Color fillColor(std::string_view name, int index = -1) const;

    /// The caption with the lowest rank whose box holds the point, or null.
    const BoardElement *labelAt(QPoint pixel) const;

    /// Called with the pixel area that needs repainting after a change.
    void setRepaintRequest(std::function<void(const QRect &)> request) { m_repaint = std::move(request); }

private:
    void addLabels(std::span<const LabelRow> rows);
    void addShapes(std::span<const ShapeRow> rows);
    void addLines(std::span<const LineRow> rows);
    void addImages(std::span<const ImageRow> rows);
    void buildIndex();
    std::size_t shapePosition(std::string_view name, int index, const char *operation) const;

    std::vector<BoardElement> m_elements;
    std::unordered_map<std::string, std::size_t> m_byName;
    std::function<void(const QRect &)> m_repaint;
};
