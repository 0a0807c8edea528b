#include "reportengine/TextMeasurer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

namespace tb {

namespace {

constexpr double kDpi = 1200;
constexpr double kPxToPt = 72.0 / kDpi;

const QImage &device()
{
    static const QImage image = [] {
        QImage i(1, 1, QImage::Format_ARGB32);
        i.setDotsPerMeterX(int(kDpi / 0.0254 + 0.5));
        i.setDotsPerMeterY(int(kDpi / 0.0254 + 0.5));
        return i;
    }();
    return image;
}

} // namespace

TextMeasurer::TextMeasurer() = default;

const TextMeasurer &TextMeasurer::instance()
{
    static const TextMeasurer measurer;
    return measurer;
}

QFont TextMeasurer::qfont(const RunFont &font)
{
    QFont f(font.family);
    f.setPointSizeF(font.sizePt > 0 ? font.sizePt : 9);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::ForceOutline | QFont::PreferQuality));
    return f;
}

TextMeasurer::Metrics TextMeasurer::metrics(const RunFont &font) const
{
    const QFontMetricsF fm(qfont(font), &device());
    return {fm.ascent() * kPxToPt, fm.descent() * kPxToPt, fm.lineSpacing() * kPxToPt};
}

double TextMeasurer::width(const QString &text, const RunFont &font) const
{
    const QFontMetricsF fm(qfont(font), &device());
    return fm.horizontalAdvance(text) * kPxToPt;
}

std::vector<TextMeasurer::Line> TextMeasurer::breakLines(const QString &text, const RunFont &font,
                                                         double widthPt, bool wrap) const
{
    std::vector<Line> lines;
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    const QStringList paragraphs = normal.split(u'\n');
    const QFont f = qfont(font);
    for (const QString &paragraph : paragraphs) {
        if (!wrap || paragraph.isEmpty()) {
            lines.push_back({paragraph, width(paragraph, font)});
            continue;
        }
        QTextLayout layout(paragraph, f, &device());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (;;) {
            QTextLine line = layout.createLine();
            if (!line.isValid())
                break;
            line.setLineWidth(std::max(1.0, widthPt / kPxToPt));
            QString part = paragraph.mid(line.textStart(), line.textLength());
            while (part.endsWith(u' '))
                part.chop(1);
            lines.push_back({part, width(part, font)});
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace tb
