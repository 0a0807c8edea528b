#include "reportengine/TextFit.h"

#include <cmath>

#include <QRegularExpression>

namespace tb {

FittedText fitToWidth(const QString &text, const RunFont &font, double widthPt, bool wrap, double clipPt)
{
    const auto &measurer = TextMeasurer::instance();
    FittedText fitted{font, {}, false};
    fitted.lines = measurer.breakLines(text, font, widthPt, wrap, clipPt, &fitted.cut);
    if (!fitted.cut || font.sizePt <= kMinFitPt)
        return fitted;
    // Half-point steps from just below the font's size; most texts need one or two.
    for (double size = std::ceil(font.sizePt * 2 - 1) / 2; size >= kMinFitPt - 0.001; size -= 0.5) {
        RunFont smaller = font;
        smaller.sizePt = std::max(size, kMinFitPt);
        bool cut = false;
        auto lines = measurer.breakLines(text, smaller, widthPt, wrap, clipPt, &cut);
        fitted = {smaller, std::move(lines), cut};
        if (!cut)
            break;
    }
    return fitted;
}

bool isNumberText(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?\\d{1,3}(\\.?\\d)*(,\\d+)?$"));
    return number.match(text.trimmed()).hasMatch();
}

} // namespace tb
