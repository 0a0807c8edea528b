#include <algorithm>
#include <cmath>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include "reportengine/ProjectStore.h"

namespace tb {

namespace {

const QString kFormatName = QStringLiteral("karven-report-project");

// The keys of `object` that are not in `known`.
QJsonObject unknownKeys(const QJsonObject &object, std::initializer_list<const char *> known)
{
    QJsonObject rest = object;
    for (const char *key : known)
        rest.remove(QLatin1String(key));
    return rest;
}

QColor colorOf(const QJsonValue &v)
{
    return v.isString() ? QColor(v.toString()) : QColor();
}

QJsonValue colorJson(const QColor &c)
{
    return c.isValid() ? QJsonValue(c.name(c.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb))
                       : QJsonValue();
}

Align alignOf(const QJsonValue &v)
{
    const QString s = v.toString();
    return s == QLatin1String("center")  ? Align::Center
           : s == QLatin1String("right") ? Align::Right
                                         : Align::Left;
}

QString alignName(Align a)
{
    return a == Align::Center  ? QStringLiteral("center")
           : a == Align::Right ? QStringLiteral("right")
                               : QStringLiteral("left");
}

FontSpec fontOf(const QJsonValue &v)
{
    FontSpec f;
    const QJsonObject o = v.toObject();
    if (o.contains(QLatin1String("family")))
        f.family = o[QLatin1String("family")].toString();
    if (o.contains(QLatin1String("size_pt")))
        f.sizePt = o[QLatin1String("size_pt")].toDouble();
    if (o.contains(QLatin1String("bold")))
        f.bold = o[QLatin1String("bold")].toBool();
    if (o.contains(QLatin1String("italic")))
        f.italic = o[QLatin1String("italic")].toBool();
    if (o.contains(QLatin1String("underline")))
        f.underline = o[QLatin1String("underline")].toBool();
    f.extra = unknownKeys(o, {"family", "size_pt", "bold", "italic", "underline"});
    return f;
}

QJsonObject fontJson(const FontSpec &f)
{
    QJsonObject o = f.extra;
    if (f.family)
        o[QLatin1String("family")] = *f.family;
    if (f.sizePt)
        o[QLatin1String("size_pt")] = *f.sizePt;
    if (f.bold)
        o[QLatin1String("bold")] = *f.bold;
    if (f.italic)
        o[QLatin1String("italic")] = *f.italic;
    if (f.underline)
        o[QLatin1String("underline")] = *f.underline;
    return o;
}

void putFont(QJsonObject &o, const FontSpec &f)
{
    if (!f.isEmpty() || !f.extra.isEmpty())
        o[QLatin1String("font")] = fontJson(f);
}

void putColor(QJsonObject &o, const char *key, const QColor &c)
{
    if (c.isValid())
        o[QLatin1String(key)] = colorJson(c);
}

Layer layerOf(const QJsonValue &v)
{
    const QString s = v.toString();
    return s == QLatin1String("first")       ? Layer::First
           : s == QLatin1String("following") ? Layer::Following
                                             : Layer::All;
}

QString layerName(Layer l)
{
    return l == Layer::First       ? QStringLiteral("first")
           : l == Layer::Following ? QStringLiteral("following")
                                   : QStringLiteral("all");
}

QRectF rectOf(const QJsonValue &v)
{
    const QJsonArray a = v.toArray();
    return QRectF(a.at(0).toDouble(), a.at(1).toDouble(), a.at(2).toDouble(), a.at(3).toDouble());
}

QJsonArray rectJson(const QRectF &r)
{
    return QJsonArray{r.x(), r.y(), r.width(), r.height()};
}

CellDef cellOf(const QJsonObject &o)
{
    CellDef c;
    c.expr = o[QLatin1String("expr")].toString();
    c.widthMm = o[QLatin1String("width_mm")].toDouble();
    c.align = alignOf(o[QLatin1String("align")]);
    c.font = fontOf(o[QLatin1String("font")]);
    c.wrap = o[QLatin1String("wrap")].toBool(true);
    c.format = o[QLatin1String("format")].toString();
    c.background = colorOf(o[QLatin1String("background")]);
    c.extra = unknownKeys(o, {"expr", "width_mm", "align", "font", "wrap", "format", "background"});
    return c;
}

QJsonObject cellJson(const CellDef &c)
{
    QJsonObject o = c.extra;
    o[QLatin1String("expr")] = c.expr;
    if (c.widthMm > 0)
        o[QLatin1String("width_mm")] = c.widthMm;
    if (c.align != Align::Left)
        o[QLatin1String("align")] = alignName(c.align);
    putFont(o, c.font);
    if (!c.wrap)
        o[QLatin1String("wrap")] = false;
    if (!c.format.isEmpty())
        o[QLatin1String("format")] = c.format;
    putColor(o, "background", c.background);
    return o;
}

std::vector<LineDef> linesOf(const QJsonValue &v)
{
    std::vector<LineDef> lines;
    for (const QJsonValue &item : v.toArray()) {
        const QJsonObject o = item.toObject();
        LineDef line;
        line.condition = o[QLatin1String("condition")].toString();
        for (const QJsonValue &cell : o[QLatin1String("cells")].toArray())
            line.cells.push_back(cellOf(cell.toObject()));
        line.font = fontOf(o[QLatin1String("font")]);
        line.background = colorOf(o[QLatin1String("background")]);
        line.ruleAbovePt = o[QLatin1String("rule_above_pt")].toDouble();
        line.ruleBelowPt = o[QLatin1String("rule_below_pt")].toDouble();
        line.extra =
            unknownKeys(o, {"condition", "cells", "font", "background", "rule_above_pt", "rule_below_pt"});
        lines.push_back(std::move(line));
    }
    return lines;
}

QJsonArray linesJson(const std::vector<LineDef> &lines)
{
    QJsonArray a;
    for (const auto &line : lines) {
        QJsonObject o = line.extra;
        if (!line.condition.isEmpty())
            o[QLatin1String("condition")] = line.condition;
        QJsonArray cells;
        for (const auto &cell : line.cells)
            cells.append(cellJson(cell));
        o[QLatin1String("cells")] = cells;
        putFont(o, line.font);
        putColor(o, "background", line.background);
        if (line.ruleAbovePt > 0)
            o[QLatin1String("rule_above_pt")] = line.ruleAbovePt;
        if (line.ruleBelowPt > 0)
            o[QLatin1String("rule_below_pt")] = line.ruleBelowPt;
        a.append(o);
    }
    return a;
}

const char *typeName(PageObject::Type t)
{
    switch (t) {
    case PageObject::Type::Text:
        return "text";
    case PageObject::Type::Line:
        return "line";
    case PageObject::Type::Rect:
        return "rect";
    case PageObject::Type::Image:
        return "image";
    case PageObject::Type::Table:
        return "table";
    }
    return "text";
}

QString syntaxReason(QJsonParseError::ParseError code)
{
    switch (code) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("Objekt nicht abgeschlossen");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("Doppelpunkt fehlt");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("Liste nicht abgeschlossen");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("Komma fehlt");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("ungültiger Wert");
    case QJsonParseError::TerminationByNumber:
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("ungültige Zahl");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("ungültige Escape-Folge");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("ungültiges UTF-8");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("Text nicht abgeschlossen");
    case QJsonParseError::MissingObject:
        return QStringLiteral("Objekt erwartet");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("zu tief verschachtelt");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("Datei zu groß");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("überzählige Zeichen am Ende");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("kein Projekt");
}

// A rectangle is four numbers; false when the key holds anything else.
bool validRect(const QJsonValue &v)
{
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != 4)
        return false;
    for (const QJsonValue &n : a)
        if (!n.isDouble() || !std::isfinite(n.toDouble()))
            return false;
    return true;
}

bool objectOf(const QJsonObject &o, PageObject &object, const QString &path, QString *error)
{
    const QString type = o[QLatin1String("type")].toString();
    bool known = false;
    for (auto t : {PageObject::Type::Text, PageObject::Type::Line, PageObject::Type::Rect,
                   PageObject::Type::Image, PageObject::Type::Table}) {
        if (type == QLatin1String(typeName(t))) {
            object.type = t;
            known = true;
        }
    }
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (!known)
        return fail(QStringLiteral("%1.type: Unbekannter Objekttyp \"%2\"").arg(path, type));
    const QJsonValue rect = o[QLatin1String("rect_mm")];
    if (!rect.isUndefined() && !validRect(rect))
        return fail(QStringLiteral("%1.rect_mm: vier Zahlen erwartet").arg(path));
    object.name = o[QLatin1String("name")].toString();
    object.rectMm = rectOf(o[QLatin1String("rect_mm")]);
    object.layer = layerOf(o[QLatin1String("layer")]);
    object.condition = o[QLatin1String("condition")].toString();
    object.font = fontOf(o[QLatin1String("font")]);
    object.frame = colorOf(o[QLatin1String("frame")]);
    object.frameWidthPt = o[QLatin1String("frame_width_pt")].toDouble(0.5);
    object.background = colorOf(o[QLatin1String("background")]);
    for (const QJsonValue &p : o[QLatin1String("paragraphs")].toArray()) {
        const QJsonObject po = p.toObject();
        Paragraph paragraph;
        paragraph.expr = po[QLatin1String("expr")].toString();
        paragraph.font = fontOf(po[QLatin1String("font")]);
        paragraph.align = alignOf(po[QLatin1String("align")]);
        paragraph.wrap = po[QLatin1String("wrap")].toBool(true);
        paragraph.suppressIfEmpty = po[QLatin1String("suppress_if_empty")].toBool(false);
        paragraph.extra = unknownKeys(po, {"expr", "font", "align", "wrap", "suppress_if_empty"});
        object.paragraphs.push_back(std::move(paragraph));
    }
    object.lineWidthPt = o[QLatin1String("line_width_pt")].toDouble(0.5);
    if (o.contains(QLatin1String("color")))
        object.lineColor = colorOf(o[QLatin1String("color")]);
    object.file = o[QLatin1String("file")].toString();
    object.fileExpr = o[QLatin1String("file_expr")].toString();
    object.keepAspect = o[QLatin1String("keepAspect")].toBool(true);
    object.table.header = linesOf(o[QLatin1String("header")]);
    object.table.rows = linesOf(o[QLatin1String("rows")]);
    object.table.footer = linesOf(o[QLatin1String("footer")]);
    object.table.zebra = colorOf(o[QLatin1String("zebra")]);
    object.table.separator = colorOf(o[QLatin1String("separator")]);
    // A table without its rectangle has nowhere to print its lines.
    if (object.type == PageObject::Type::Table && (object.rectMm.width() <= 0 || object.rectMm.height() <= 0))
        return fail(QStringLiteral("%1.rect_mm: Tabelle ohne Rechteck").arg(path));
    object.extra = unknownKeys(o, {"type",          "name",  "rect_mm",        "layer",      "condition",
                                   "font",          "frame", "frame_width_pt", "background", "paragraphs",
                                   "line_width_pt", "color", "file",           "file_expr",  "keepAspect",
                                   "header",        "rows",  "footer",         "zebra",      "separator"});
    return true;
}

QJsonObject objectJson(const PageObject &object)
{
    QJsonObject o = object.extra;
    o[QLatin1String("type")] = QLatin1String(typeName(object.type));
    if (!object.name.isEmpty())
        o[QLatin1String("name")] = object.name;
    o[QLatin1String("rect_mm")] = rectJson(object.rectMm);
    if (object.layer != Layer::All)
        o[QLatin1String("layer")] = layerName(object.layer);
    if (!object.condition.isEmpty())
        o[QLatin1String("condition")] = object.condition;
    putFont(o, object.font);
    if (object.frame.isValid()) {
        o[QLatin1String("frame")] = colorJson(object.frame);
        o[QLatin1String("frame_width_pt")] = object.frameWidthPt;
    }
    putColor(o, "background", object.background);
    switch (object.type) {
    case PageObject::Type::Text: {
        QJsonArray paragraphs;
        for (const auto &p : object.paragraphs) {
            QJsonObject po = p.extra;
            po[QLatin1String("expr")] = p.expr;
            putFont(po, p.font);
            if (p.align != Align::Left)
                po[QLatin1String("align")] = alignName(p.align);
            if (!p.wrap)
                po[QLatin1String("wrap")] = false;
            if (p.suppressIfEmpty)
                po[QLatin1String("suppress_if_empty")] = true;
            paragraphs.append(po);
        }
        o[QLatin1String("paragraphs")] = paragraphs;
        break;
    }
    case PageObject::Type::Line:
    case PageObject::Type::Rect:
        o[QLatin1String("line_width_pt")] = object.lineWidthPt;
        o[QLatin1String("color")] = colorJson(object.lineColor);
        break;
    case PageObject::Type::Image:
        if (!object.file.isEmpty())
            o[QLatin1String("file")] = object.file;
        if (!object.fileExpr.isEmpty())
            o[QLatin1String("file_expr")] = object.fileExpr;
        o[QLatin1String("keepAspect")] = object.keepAspect;
        break;
    case PageObject::Type::Table:
        o[QLatin1String("header")] = linesJson(object.table.header);
        o[QLatin1String("rows")] = linesJson(object.table.rows);
        o[QLatin1String("footer")] = linesJson(object.table.footer);
        putColor(o, "zebra", object.table.zebra);
        putColor(o, "separator", object.table.separator);
        break;
    }
    return o;
}

} // namespace

bool JsonProjectStore::fromJson(const QByteArray &json, Project &project, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    auto fail = [error](const QString &text) {
        if (error)
            *error = text;
        return false;
    };
    if (json.trimmed().isEmpty())
        return fail(QStringLiteral("Die Projektdatei ist leer"));
    if (parseError.error != QJsonParseError::NoError) {
        const QByteArray before = json.left(parseError.offset);
        const int line = int(before.count('\n')) + 1;
        const int column = int(before.size() - (before.lastIndexOf('\n') + 1)) + 1;
        return fail(QStringLiteral("Syntaxfehler in Zeile %1, Spalte %2: %3")
                        .arg(line)
                        .arg(column)
                        .arg(syntaxReason(parseError.error)));
    }
    if (!doc.isObject())
        return fail(QStringLiteral("Kein gültiges Projekt: Objekt erwartet"));
    const QJsonObject o = doc.object();
    if (o[QLatin1String("format")].toString() != kFormatName)
        return fail(QStringLiteral("Kein Projekt dieses Programms"));
    Project p;
    p.version = o[QLatin1String("version")].toInt(0);
    if (p.version < 1)
        return fail(QStringLiteral("Projektversion fehlt"));
    if (!o.contains(QLatin1String("kind")))
        return fail(QStringLiteral("Projektart fehlt (kind)"));
    const QString kind = o[QLatin1String("kind")].toString();
    if (kind == QLatin1String("list"))
        p.kind = ProjectKind::List;
    else if (kind == QLatin1String("card"))
        p.kind = ProjectKind::Card;
    else
        return fail(QStringLiteral("kind: Unbekannte Projektart \"%1\"").arg(kind));

    const QJsonObject page = o[QLatin1String("page")].toObject();
    p.page.paper = page[QLatin1String("paper")].toString(QStringLiteral("A4"));
    p.page.landscape = page[QLatin1String("orientation")].toString() == QLatin1String("landscape");
    const QJsonArray margins = page[QLatin1String("margins_mm")].toArray();
    for (int i = 0; i < 4 && i < margins.size(); ++i)
        p.page.marginsMm[i] = margins.at(i).toDouble();
    p.page.printer = page[QLatin1String("printer")].toString();
    p.page.extra = unknownKeys(page, {"paper", "orientation", "margins_mm", "printer"});

    p.font = fontOf(o[QLatin1String("font")]);
    p.filter = o[QLatin1String("filter")].toString();
    for (const QJsonValue &s : o[QLatin1String("sums")].toArray()) {
        const QJsonObject so = s.toObject();
        SumDef sum;
        sum.name = so[QLatin1String("name")].toString();
        sum.expr = so[QLatin1String("expr")].toString();
        sum.resetPerPage = so[QLatin1String("reset")].toString() == QLatin1String("page");
        sum.extra = unknownKeys(so, {"name", "expr", "reset"});
        if (sum.name.isEmpty())
            return fail(QStringLiteral("Summenvariable ohne Namen"));
        p.sums.push_back(std::move(sum));
    }
    const QJsonArray objects = o[QLatin1String("objects")].toArray();
    for (qsizetype i = 0; i < objects.size(); ++i) {
        PageObject object;
        if (!objectOf(objects.at(i).toObject(), object, QStringLiteral("objects[%1]").arg(i), error))
            return false;
        p.objects.push_back(std::move(object));
    }
    p.exportSettings = o[QLatin1String("export")].toObject();
    p.extra =
        unknownKeys(o, {"format", "version", "kind", "page", "font", "filter", "sums", "objects", "export"});
    project = std::move(p);
    return true;
}

QByteArray JsonProjectStore::toJson(const Project &project)
{
    QJsonObject o = project.extra;
    o[QLatin1String("format")] = kFormatName;
    // A file of a newer version keeps its number: its unknown keys are still in it.
    o[QLatin1String("version")] = std::max(project.version, Project::kFormatVersion);
    o[QLatin1String("kind")] =
        project.kind == ProjectKind::List ? QStringLiteral("list") : QStringLiteral("card");
    QJsonObject page = project.page.extra;
    page[QLatin1String("paper")] = project.page.paper;
    page[QLatin1String("orientation")] =
        project.page.landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
    page[QLatin1String("margins_mm")] = QJsonArray{project.page.marginsMm[0], project.page.marginsMm[1],
                                                   project.page.marginsMm[2], project.page.marginsMm[3]};
    if (!project.page.printer.isEmpty())
        page[QLatin1String("printer")] = project.page.printer;
    o[QLatin1String("page")] = page;
    putFont(o, project.font);
    if (!project.filter.isEmpty())
        o[QLatin1String("filter")] = project.filter;
    QJsonArray sums;
    for (const auto &sum : project.sums) {
        QJsonObject so = sum.extra;
        so[QLatin1String("name")] = sum.name;
        so[QLatin1String("expr")] = sum.expr;
        so[QLatin1String("reset")] = sum.resetPerPage ? QStringLiteral("page") : QStringLiteral("never");
        sums.append(so);
    }
    if (!sums.isEmpty())
        o[QLatin1String("sums")] = sums;
    QJsonArray objects;
    for (const auto &object : project.objects)
        objects.append(objectJson(object));
    o[QLatin1String("objects")] = objects;
    if (!project.exportSettings.isEmpty())
        o[QLatin1String("export")] = project.exportSettings;
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

namespace {

// Edits (insert, delete, replace, swap of neighbours) that turn one key into the other.
int editDistance(const QString &a, const QString &b)
{
    const qsizetype n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(size_t(n + 1), std::vector<int>(size_t(m + 1)));
    for (qsizetype i = 0; i <= n; ++i)
        d[size_t(i)][0] = int(i);
    for (qsizetype j = 0; j <= m; ++j)
        d[0][size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i)
        for (qsizetype j = 1; j <= m; ++j) {
            int &cell = d[size_t(i)][size_t(j)];
            cell = std::min({d[size_t(i - 1)][size_t(j)] + 1, d[size_t(i)][size_t(j - 1)] + 1,
                             d[size_t(i - 1)][size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                cell = std::min(cell, d[size_t(i - 2)][size_t(j - 2)] + 1);
        }
    return d[size_t(n)][size_t(m)];
}

const QStringList &knownKeys()
{
    static const QStringList keys = {
        QStringLiteral("format"),     QStringLiteral("version"),       QStringLiteral("kind"),
        QStringLiteral("page"),       QStringLiteral("font"),          QStringLiteral("filter"),
        QStringLiteral("sums"),       QStringLiteral("objects"),       QStringLiteral("export"),
        QStringLiteral("paper"),      QStringLiteral("orientation"),   QStringLiteral("margins_mm"),
        QStringLiteral("printer"),    QStringLiteral("family"),        QStringLiteral("size_pt"),
        QStringLiteral("bold"),       QStringLiteral("italic"),        QStringLiteral("underline"),
        QStringLiteral("name"),       QStringLiteral("expr"),          QStringLiteral("reset"),
        QStringLiteral("type"),       QStringLiteral("rect_mm"),       QStringLiteral("layer"),
        QStringLiteral("condition"),  QStringLiteral("frame"),         QStringLiteral("frame_width_pt"),
        QStringLiteral("background"), QStringLiteral("paragraphs"),    QStringLiteral("line_width_pt"),
        QStringLiteral("color"),      QStringLiteral("file"),          QStringLiteral("file_expr"),
        QStringLiteral("keepAspect"), QStringLiteral("header"),        QStringLiteral("rows"),
        QStringLiteral("footer"),     QStringLiteral("zebra"),         QStringLiteral("separator"),
        QStringLiteral("align"),      QStringLiteral("wrap"),          QStringLiteral("suppress_if_empty"),
        QStringLiteral("cells"),      QStringLiteral("rule_above_pt"), QStringLiteral("rule_below_pt"),
        QStringLiteral("width_mm"),
    };
    return keys;
}

void collectSlips(const QJsonValue &value, const QString &path, int depth, QStringList &out)
{
    if (depth > 64)
        return;
    if (value.isArray()) {
        const QJsonArray a = value.toArray();
        for (qsizetype i = 0; i < a.size(); ++i)
            collectSlips(a.at(i), QStringLiteral("%1[%2]").arg(path).arg(i), depth + 1, out);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QString &key = it.key();
        const QString here = path.isEmpty() ? key : path + u'.' + key;
        if (knownKeys().contains(key)) {
            if (key != QLatin1String("export")) // the exporters' own settings
                collectSlips(it.value(), here, depth + 1, out);
            continue;
        }
        for (const QString &known : knownKeys()) {
            // Keys differing in length by more than the slips allowed are no slip: no comparison, so
            // a long key costs nothing.
            const int allowed = known.size() >= 8 ? 2 : 1;
            if (key.size() >= 4 && std::abs(key.size() - known.size()) <= allowed &&
                editDistance(key, known) <= allowed) {
                out.append(
                    QStringLiteral("Unbekannter Schlüssel %1 – gemeint ist wohl \"%2\"").arg(here, known));
                break;
            }
        }
    }
}

} // namespace

QStringList JsonProjectStore::keyWarnings(const QByteArray &json)
{
    QStringList out;
    collectSlips(QJsonDocument::fromJson(json).object(), QString(), 0, out);
    return out;
}

bool JsonProjectStore::load(const QString &file, Project &project, QString *error) const
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Projekt \"%1\" kann nicht gelesen werden").arg(file);
        return false;
    }
    return fromJson(in.readAll(), project, error);
}

bool JsonProjectStore::save(const QString &file, const Project &project, QString *error) const
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(toJson(project)) < 0 || !out.commit()) {
        if (error)
            *error = QStringLiteral("Projekt \"%1\" kann nicht geschrieben werden").arg(file);
        return false;
    }
    return true;
}

} // namespace tb
