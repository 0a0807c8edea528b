#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QJsonObject>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace tb {

// The in-memory form of a report project (".lst" list, ".crd" card). Every part keeps the keys of its
// file form that this version does not know in `extra`, so saving does not lose them.

enum class ProjectKind { List, Card };
enum class Layer { All, First, Following };
enum class Align { Left, Center, Right };

struct FontSpec {
    std::optional<QString> family;
    std::optional<double> sizePt;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    QJsonObject extra;

    // This font with the unset parts taken from `base`.
    FontSpec over(const FontSpec &base) const;
    bool isEmpty() const { return !family && !sizePt && !bold && !italic && !underline; }
};

struct PageSetup {
    QString paper = QStringLiteral("A4");
    bool landscape = false;
    double marginsMm[4] = {15, 15, 15, 15}; // left, top, right, bottom
    QString printer;                        // preferred printer, empty = default
    QJsonObject extra;
};

struct Paragraph {
    QString expr;
    FontSpec font;
    Align align = Align::Left;
    bool wrap = true;
    bool suppressIfEmpty = false; // removed when empty under space optimisation
    QJsonObject extra;
};

struct CellDef {
    QString expr;
    double widthMm = 0; // 0 = share what the fixed cells leave
    Align align = Align::Left;
    FontSpec font;
    bool wrap = true;
    QString format; // number mask ("#,##0.00") or date pattern ("dd.MM.yyyy") applied to typed values
    QColor background;
    QJsonObject extra;
};

struct LineDef {
    QString condition;
    std::vector<CellDef> cells;
    FontSpec font;
    QColor background;
    double ruleAbovePt = 0; // line over the whole width, 0 = none
    double ruleBelowPt = 0;
    QJsonObject extra;
};

struct TableDef {
    std::vector<LineDef> header;
    std::vector<LineDef> rows;
    std::vector<LineDef> footer;
    QColor zebra;     // background of every second row, invalid = none
    QColor separator; // thin rule between rows, invalid = none
    QJsonObject extra;
};

struct PageObject {
    enum class Type { Text, Line, Rect, Image, Table };
    Type type = Type::Text;
    QString name;
    QRectF rectMm;
    Layer layer = Layer::All;
    QString condition;
    FontSpec font;
    QColor frame; // invalid = no frame
    double frameWidthPt = 0.5;
    QColor background;
    // text
    std::vector<Paragraph> paragraphs;
    // line
    double lineWidthPt = 0.5;
    QColor lineColor = Qt::black;
    // image
    QString file;     // file name, relative to the project's directory
    QString fileExpr; // or an expression giving it
    bool keepAspect = true;
    // table
    TableDef table;
    QJsonObject extra;
};

struct SumDef {
    QString name;
    QString expr;
    bool resetPerPage = false;
    QJsonObject extra;
};

struct Project {
    static constexpr int kFormatVersion = 1;

    int version = kFormatVersion;
    ProjectKind kind = ProjectKind::List;
    PageSetup page;
    FontSpec font; // default font of the project
    QString filter;
    std::vector<SumDef> sums;
    std::vector<PageObject> objects;
    QJsonObject exportSettings; // per export target, read by the exporters
    QJsonObject extra;

    // The table object of a list project, or null.
    const PageObject *table() const;
    // Every expression of the project (for validation and the set of referenced names).
    std::vector<QString> expressions() const;
    // Names of the text objects that show the page number: they belong to paper.
    QStringList pageOnlyObjects() const;
    // Whether what the table holds depends on the page: a sum reset per page, or the page number in
    // the filter, a sum, a line's condition or a cell.
    bool tableDependsOnPage() const;
};

// Whether an expression calls Page().
bool usesPageNumber(const QString &expression);

// The font every project starts from when it names none.
FontSpec defaultProjectFont();

} // namespace tb
