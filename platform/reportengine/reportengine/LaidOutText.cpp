#include "reportengine/LaidOutText.h"

#include <deque>

#include <QFont>
#include <QHash>
#include <QPaintDevice>
#include <QTextLayout>

namespace tb {

namespace {

struct Laid {
    QFont font;
    int dpiX = 0, dpiY = 0;
    QHash<QString, QList<QGlyphRun>> texts;
};

QList<QGlyphRun> layOut(const QString &text, const QFont &font, QPaintDevice *device)
{
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return {};
    QList<QGlyphRun> runs = layout.glyphRuns();
    // From the top of the line to its baseline, as the painter draws text from its baseline.
    for (QGlyphRun &run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF &p : positions)
            p.ry() -= line.ascent();
        run.setPositions(positions);
    }
    return runs;
}

} // namespace

const QList<QGlyphRun> &laidOutText(const QString &text, const QFont &font, QPaintDevice *device)
{
    // Per thread, as Qt keeps its fonts, and never destroyed, so that no glyph run outlives the
    // application's font cache at exit. A report uses a handful of fonts; beyond the bounds the
    // oldest font goes, and a font's texts are dropped when they become many.
    constexpr size_t kFonts = 32;
    constexpr qsizetype kTexts = 8192;
    thread_local auto *const kept = new std::deque<Laid>();
    const int dpiX = device->logicalDpiX(), dpiY = device->logicalDpiY();
    Laid *laid = nullptr;
    for (Laid &entry : *kept)
        if (entry.dpiX == dpiX && entry.dpiY == dpiY && entry.font == font) {
            laid = &entry;
            break;
        }
    if (!laid) {
        if (kept->size() >= kFonts)
            kept->pop_front();
        kept->push_back({font, dpiX, dpiY, {}});
        laid = &kept->back();
    }
    const auto it = laid->texts.constFind(text);
    if (it != laid->texts.cend())
        return *it;
    if (laid->texts.size() >= kTexts)
        laid->texts.clear();
    return *laid->texts.insert(text, layOut(text, font, device));
}

} // namespace tb
