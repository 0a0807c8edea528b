#include "ui/ParagraphIndents.h"

#include <cmath>
#include <limits>

namespace ui {

namespace {

constexpr double kTwipsPerPoint = 20;

int roundedTwips(double points)
{
    const double twips = std::round(points * kTwipsPerPoint);
    if (!(twips > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (!(twips < std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(twips);
}

} // namespace

ParagraphIndents indentsOf(const QTextBlockFormat &format)
{
    const double margin = format.leftMargin() / kPixelsPerPoint;
    const double textIndent = format.textIndent() / kPixelsPerPoint;
    return {margin + textIndent, -textIndent, format.rightMargin() / kPixelsPerPoint};
}

void setIndents(QTextBlockFormat &format, const ParagraphIndents &indents)
{
    format.setLeftMargin((indents.first + indents.left) * kPixelsPerPoint);
    format.setTextIndent(-indents.left * kPixelsPerPoint);
    format.setRightMargin(indents.right * kPixelsPerPoint);
}

TwipIndents toTwips(const ParagraphIndents &indents)
{
    return {roundedTwips(-indents.left), roundedTwips(indents.first + indents.left),
            roundedTwips(indents.right)};
}

ParagraphIndents fromTwips(const TwipIndents &twips)
{
    const double first = (double(twips.left) + double(twips.firstLine)) / kTwipsPerPoint;
    return {first, -double(twips.firstLine) / kTwipsPerPoint, double(twips.right) / kTwipsPerPoint};
}

} // namespace ui
