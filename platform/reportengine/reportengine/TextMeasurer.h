#pragma once

#include <vector>

#include <QFont>
#include <QString>

#include "reportengine/PageModel.h"

namespace tb {

// Measures and breaks text on one fixed 1200-dpi device with hinting off, so that preview, PDF and
// paper break lines and pages the same way. All results are in points.
class TextMeasurer {
public:
    struct Line {
        QString text;
        double widthPt = 0;
    };
    struct Metrics {
        double ascentPt = 0;
        double descentPt = 0;
        double lineSpacingPt = 0;
    };

    static const TextMeasurer &instance();

    // The font as every device uses it (no hinting, outlines).
    static QFont qfont(const RunFont &font);
    Metrics metrics(const RunFont &font) const;
    double width(const QString &text, const RunFont &font) const;
    // Lines of the text: breaks at CR LF / LF always, and between words (at spaces, after a hyphen
    // inside a word) when `wrap` is set. A word is never split: a line wider than the width is cut
    // where it will be clipped, `clipPt` from its start (the width when that is less), keeping the
    // characters that show at least in part. Tabs are expanded (to a space where the text wraps).
    // `cut`, when given, tells whether any line was cut so.
    std::vector<Line> breakLines(const QString &text, const RunFont &font, double widthPt, bool wrap,
                                 double clipPt = 0, bool *cut = nullptr) const;
    // The longest start of `text` that fits the width.
    QString fitted(const QString &text, const RunFont &font, double widthPt) const;
    // The start of `text` whose characters begin before `clipPt`: what shows, wholly or in part, of
    // text clipped there.
    QString visible(const QString &text, const RunFont &font, double clipPt) const;

private:
    TextMeasurer();
};

} // namespace tb
