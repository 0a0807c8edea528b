#pragma once

#include <vector>

#include <QString>

#include "reportengine/TextMeasurer.h"

namespace tb {

// Text laid out so that a reader loses none of it: at its own size where it fits, else in a smaller
// font, down to kMinFitPt.
constexpr double kMinFitPt = 6;

struct FittedText {
    RunFont font;
    std::vector<TextMeasurer::Line> lines;
    bool cut = false; // even the smallest font leaves part of the text outside its width
};

// The lines of `text` in `font` or the largest smaller size (in half points, not below kMinFitPt)
// where no line is cut at `widthPt`; at the smallest size the lines are cut as breakLines cuts them.
FittedText fitToWidth(const QString &text, const RunFont &font, double widthPt, bool wrap, double clipPt);

// Whether a text is one number or date as the reports print them ("-1.234.567,89", "31.12.2024"): such
// a text must show whole or not at all.
bool isNumberText(const QString &text);

// What a cell shows of a number that does not fit even at the smallest size.
inline QString overflowMark()
{
    return QStringLiteral("###");
}

} // namespace tb
