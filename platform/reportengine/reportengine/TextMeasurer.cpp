#include "reportengine/TextMeasurer.h"

#include <deque>

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

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

namespace {

QFont makeFont(const RunFont &font)
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

// A font and its measures on the measuring device, resolved once: a fresh QFont looks its glyphs'
// engine up again for every text it measures or paints. Copies share what was resolved.
struct ResolvedFont {
    RunFont font;
    QFont qfont;
    QFontMetricsF metrics;
    TextMeasurer::Metrics inPoints;
    // Widths in device pixels of short texts measured before: the values of a column repeat. When
    // the recent ones are many, they become the older ones and the oldest go; a value met again
    // comes back to the recent ones, so a column's repeating values outlast its unique ones.
    QHash<QString, double> widths;
    QHash<QString, double> olderWidths;
};

// The width of a whole paragraph, in device pixels.
double paragraphWidth(ResolvedFont &font, const QString &text)
{
    constexpr qsizetype kShort = 48;
    constexpr qsizetype kKeptWidths = 4096;
    if (text.size() > kShort)
        return font.metrics.horizontalAdvance(text);
    const auto it = font.widths.constFind(text);
    if (it != font.widths.cend())
        return *it;
    if (font.widths.size() >= kKeptWidths) {
        font.olderWidths = std::move(font.widths);
        font.widths.clear();
    }
    const auto older = font.olderWidths.constFind(text);
    const double width = older != font.olderWidths.cend() ? *older : font.metrics.horizontalAdvance(text);
    font.widths.insert(text, width);
    return width;
}

bool sameFont(const RunFont &a, const RunFont &b)
{
    return a.sizePt == b.sizePt && a.bold == b.bold && a.italic == b.italic && a.underline == b.underline &&
           a.family == b.family;
}

ResolvedFont &resolved(const RunFont &font)
{
    // Per thread, as Qt keeps its fonts; never destroyed, so that no font outlives the application's
    // font cache at exit. A report uses a handful of fonts; beyond the bound the oldest goes.
    constexpr size_t kKept = 64;
    thread_local auto *const kept = new std::deque<ResolvedFont>();
    for (ResolvedFont &entry : *kept)
        if (sameFont(entry.font, font))
            return entry;
    if (kept->size() >= kKept)
        kept->pop_front();
    QFont f = makeFont(font);
    const QFontMetricsF fm(f, &device());
    kept->push_back(
        {font, f, fm, {fm.ascent() * kPxToPt, fm.descent() * kPxToPt, fm.lineSpacing() * kPxToPt}, {}, {}});
    return kept->back();
}

} // namespace

QFont TextMeasurer::qfont(const RunFont &font)
{
    return resolved(font).qfont;
}

TextMeasurer::Metrics TextMeasurer::metrics(const RunFont &font) const
{
    return resolved(font).inPoints;
}

double TextMeasurer::width(const QString &text, const RunFont &font) const
{
    const QFontMetricsF fm = resolved(font).metrics;
    return fm.horizontalAdvance(text) * kPxToPt;
}

namespace {

// Tabs move to the next multiple of eight characters; where the text wraps a tab is just a space.
QString expandTabs(const QString &paragraph, bool wrap)
{
    if (!paragraph.contains(u'\t'))
        return paragraph;
    QString out;
    out.reserve(paragraph.size() + 8);
    for (const QChar ch : paragraph) {
        if (ch != u'\t')
            out += ch;
        else if (wrap)
            out += u' ';
        else
            out += QString(8 - out.size() % 8, u' ');
    }
    return out;
}

// The pieces a line may break between: runs of spaces end a piece, and so does a hyphen between
// two letters ("Zeilen-" "umbruch"). A number or a date is always one piece.
struct Piece {
    QString gap; // spaces before the piece (dropped at the start of a line)
    QString text;
};

std::vector<Piece> piecesOf(const QString &paragraph)
{
    std::vector<Piece> pieces;
    Piece current;
    for (qsizetype i = 0; i < paragraph.size(); ++i) {
        const QChar ch = paragraph[i];
        if (ch == u' ') {
            if (!current.text.isEmpty()) {
                pieces.push_back(std::move(current));
                current = Piece();
            }
            current.gap += ch;
            continue;
        }
        current.text += ch;
        if (ch == u'-' && i > 0 && i + 1 < paragraph.size() && paragraph[i - 1].isLetter() &&
            paragraph[i + 1].isLetter()) {
            pieces.push_back(std::move(current));
            current = Piece();
        }
    }
    if (!current.text.isEmpty() || !current.gap.isEmpty())
        pieces.push_back(std::move(current));
    return pieces;
}

} // namespace

QString TextMeasurer::fitted(const QString &text, const RunFont &font, double widthPt) const
{
    const QFontMetricsF fm = resolved(font).metrics;
    const double limit = widthPt / kPxToPt + 0.5;
    if (fm.horizontalAdvance(text) <= limit)
        return text;
    // The longest start that fits; what lies beyond the edge is neither painted nor in the text layer.
    qsizetype low = 0, high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fm.horizontalAdvance(text.left(middle)) <= limit)
            low = middle;
        else
            high = middle - 1;
    }
    return text.left(low);
}

QString TextMeasurer::visible(const QString &text, const RunFont &font, double clipPt) const
{
    const QFontMetricsF fm = resolved(font).metrics;
    const double limit = clipPt / kPxToPt;
    if (text.isEmpty() || limit <= 0)
        return QString();
    // The last character that begins before the edge: the longest start narrower than it.
    qsizetype low = 0, high = text.size() - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fm.horizontalAdvance(text.left(middle)) < limit)
            low = middle;
        else
            high = middle - 1;
    }
    qsizetype count = low + 1;
    if (count < text.size() && text[count - 1].isHighSurrogate())
        ++count; // a character outside the basic plane stays whole
    return text.left(count);
}

std::vector<TextMeasurer::Line> TextMeasurer::breakLines(const QString &text, const RunFont &font,
                                                         double widthPt, bool wrap, double clipPt,
                                                         bool *cut) const
{
    std::vector<Line> lines;
    if (cut)
        *cut = false;
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    const QStringList paragraphs = normal.split(u'\n');
    const QFontMetricsF fm = resolved(font).metrics;
    const double limit = widthPt / kPxToPt + 0.5;
    auto push = [&](const QString &line, double width = -1) {
        if (width < 0)
            width = fm.horizontalAdvance(line);
        if (width <= limit) {
            lines.push_back({line, width * kPxToPt});
            return;
        }
        if (cut)
            *cut = true;
        const QString shown = visible(line, font, std::max(clipPt, widthPt));
        lines.push_back({shown, fm.horizontalAdvance(shown) * kPxToPt});
    };
    for (const QString &raw : paragraphs) {
        const QString paragraph = expandTabs(raw, wrap);
        // Most paragraphs fit their cell whole: measured once, they need no breaking.
        const double whole = paragraphWidth(resolved(font), paragraph);
        if (!wrap || whole <= limit) {
            push(paragraph, whole);
            continue;
        }
        QString line;
        bool first = true;
        for (const Piece &piece : piecesOf(paragraph)) {
            if (line.isEmpty()) {
                line = first ? piece.gap + piece.text : piece.text; // indentation stays
                first = false;
                continue;
            }
            const QString candidate = line + piece.gap + piece.text;
            if (fm.horizontalAdvance(candidate) <= limit) {
                line = candidate;
                continue;
            }
            push(line);
            line = piece.text;
        }
        push(line);
    }
    return lines;
}

} // namespace tb
