#pragma once

#include <QTextBlockFormat>

namespace ui {

// Screen pixels per point at 96 dpi: the unit of a text document's margins.
constexpr double kPixelsPerPoint = 4.0 / 3.0;

// A paragraph's indents in points as the editor's ruler shows them: the first
// line starts at `first`, every other line at `first + left`; `right` is kept
// free at the right edge.
struct ParagraphIndents {
    double first = 0;
    double left = 0;
    double right = 0;
    bool operator==(const ParagraphIndents &) const = default;
};

// The same indents as the rich-text format stores them, in twips (1/20 pt):
// "\li" for every line, "\fi" for the first line relative to it, "\ri".
struct TwipIndents {
    int firstLine = 0;
    int left = 0;
    int right = 0;
    bool operator==(const TwipIndents &) const = default;
};

// In a text document: left margin = first + left, text indent = -left.
ParagraphIndents indentsOf(const QTextBlockFormat &format);
void setIndents(QTextBlockFormat &format, const ParagraphIndents &indents);

TwipIndents toTwips(const ParagraphIndents &indents);
ParagraphIndents fromTwips(const TwipIndents &twips);

} // namespace ui
