// The element model: lookup by name, the fill color write, and which caption lies under a point.
#include "board.h"

#include "boardrows/elementerror.h"

#include <algorithm>
#include <string>

namespace {

std::string key(std::string_view name, int index)
{
    std::string k(name);
    if (index >= 0)
        k += '(' + std::to_string(index) + ')';
    return k;
}

// An element's name as the user reads it in a message: Shape11(1) for an indexed one.
std::string displayName(std::string_view name, int index)
{
    return key(name, index);
}

QRect shapeBounds(const ShapeRow &s)
{
    // A border wider than one pixel is centred on the figure's edge and reaches outside the box.
    const int outside = s.borderWidth / 2;
    return pixelBox(s.left, s.top, s.width, s.height).adjusted(-outside, -outside, outside, outside);
}

QRect lineBounds(const LineRow &l)
{
    // Both end pixels are drawn, whichever way the line runs (QRect::normalized() would drop
    // them for a line running up or to the left), and the pen's square cap may reach one pixel
    // past an end of a slanting line.
    const int x1 = twipsToPixels(l.x1);
    const int y1 = twipsToPixels(l.y1);
    const int x2 = twipsToPixels(l.x2);
    const int y2 = twipsToPixels(l.y2);
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
        .adjusted(-1, -1, 1, 1);
}

} // namespace

QRect pixelBox(int left, int top, int width, int height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

const char *BoardElement::name() const
{
    switch (kind) {
    case ElementKind::Label:
        return label->name;
    case ElementKind::Shape:
        return shape->name;
    case ElementKind::Line:
        return line->name;
    case ElementKind::Image:
        return image->name;
    }
    return "";
}

int BoardElement::index() const
{
    if (shape)
        return shape->index;
    if (line)
        return line->index;
    return -1;
}

Board::Board()
{
    addLabels(labelCatalogue());
    addShapes(pinCatalogue());
    addShapes(outlineShapeCatalogue());
    addLines(lineCatalogue());
    addImages(imageCatalogue());
    buildIndex();
}

Board::Board(std::span<const LabelRow> labels, std::span<const ShapeRow> shapes, std::span<const LineRow> lines,
             std::span<const ImageRow> images)
{
    addLabels(labels);
    addShapes(shapes);
    addLines(lines);
    addImages(images);
    buildIndex();
}

void Board::addLabels(std::span<const LabelRow> rows)
{
    for (const LabelRow &l : rows)
        m_elements.push_back({.kind = ElementKind::Label,
                              .rank = l.rank,
                              .label = &l,
                              .bounds = pixelBox(l.left, l.top, l.width, l.height)});
}

void Board::addShapes(std::span<const ShapeRow> rows)
{
    for (const ShapeRow &s : rows)
        m_elements.push_back({.kind = ElementKind::Shape,
                              .rank = s.rank,
                              .shape = &s,
                              .bounds = shapeBounds(s),
                              .fillColor = s.fillColor});
}

void Board::addLines(std::span<const LineRow> rows)
{
    for (const LineRow &l : rows)
        m_elements.push_back({.kind = ElementKind::Line, .rank = l.rank, .line = &l, .bounds = lineBounds(l)});
}

void Board::addImages(std::span<const ImageRow> rows)
{
    for (const ImageRow &i : rows)
        m_elements.push_back({.kind = ElementKind::Image,
                              .rank = i.rank,
                              .image = &i,
                              .bounds = pixelBox(i.left, i.top, i.width, i.height)});
}

void Board::buildIndex()
{
    std::sort(m_elements.begin(), m_elements.end(),
              [](const BoardElement &a, const BoardElement &b) { return a.rank < b.rank; });
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_byName.emplace(key(m_elements[i].name(), m_elements[i].index()), i);
}

const BoardElement *Board::find(std::string_view name, int index) const
{
    const auto it = m_byName.find(key(name, index));
    return it == m_byName.end() ? nullptr : &m_elements[it->second];
}

std::size_t Board::shapePosition(std::string_view name, int index, const char *operation) const
{
    const auto it = m_byName.find(key(name, index));
    if (it == m_byName.end())
        throw ElementError(displayName(name, index), operation, "the window has no element of that name");
    if (m_elements[it->second].kind != ElementKind::Shape)
        throw ElementError(displayName(name, index), operation, "the element is not a shape");
    return it->second;
}

void Board::setFillColor(std::string_view name, Color color, int index)
{
    BoardElement &e = m_elements[shapePosition(name, index, "setting the fill color")];
    // The jumper procedures write every pin of their blocks; only a pin that changes needs
    // drawing again.
    if (e.fillColor == color)
        return;
    e.fillColor = color;
    if (m_repaint)
        m_repaint(e.bounds);
}

Color Board::fillColor(std::string_view name, int index) const
{
    return m_elements[shapePosition(name, index, "reading the fill color")].fillColor;
}

const BoardElement *Board::labelAt(QPoint pixel) const
{
    // Ascending rank: the first caption found is the one on top.
    for (const BoardElement &e : m_elements) {
        if (e.kind == ElementKind::Label && e.bounds.contains(pixel))
            return &e;
    }
    return nullptr;
}
