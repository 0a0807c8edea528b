#pragma once

#include <vector>

#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "reportengine/Value.h"

class QIODevice;

namespace tb {

// A resolved font: what text was measured with and is painted with.
struct RunFont {
    QString family;
    double sizePt = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// One drawing primitive of a laid-out page, in points from the page's top left corner.
struct Primitive {
    // TableLine and TableField mark where a table line or cell lies; they draw nothing themselves
    // but let a user-defined colouring paint under the line (notifications 10 and 11).
    enum class Kind { Text, Line, Rect, Image, TableLine, TableField };
    Kind kind = Kind::Text;
    QString object; // name of the project object it belongs to (for the object notification)
    // Text: one laid-out line, painted from its baseline origin, clipped to `clip` when that is set.
    QString text;
    RunFont font;
    QPointF origin;
    QRectF clip;
    // Text: the laid-out line, its advance by the font's ascent and descent; null where not known
    // (read from a preview file). Lets the painter leave out a clip that would cut nothing.
    QRectF extent;
    QColor color = Qt::black;
    // Line from p1 to p2; rectangles and images fill `rect`.
    QPointF p1, p2;
    QRectF rect;
    double penWidth = 0; // 0 = no outline
    QColor fill;         // invalid = none
    QByteArray image;    // picture file contents (SVG, PNG or JPEG)
    bool keepAspect = true;
    // Table markers: line type (0 header, 1 row, 2 footer), definition and cell index, zebra row.
    int lineType = 0;
    int lineIndex = 0;
    int fieldIndex = 0;
    bool zebra = false;
    bool tableItem = false; // part of the table rather than of a page object (not kept in the preview file)
};

struct Page {
    int number = 0;
    QSizeF sizePt;
    std::vector<Primitive> items;
};

// The logical table stream beside the pictures, for exporters that want cells rather than positions.
struct TableCellRecord {
    QString text;
    Value::Kind type = Value::Kind::Text;
    double number = 0; // numbers and dates; booleans as 1 or 0
    double widthPt = 0;
    // The cell's number mask or date pattern and alignment, for exporters (not kept in the preview file).
    QString format;
    int align = 0; // 0 left, 1 centre, 2 right
};
struct TableLineRecord {
    enum class Kind { Header, Row, Footer };
    Kind kind = Kind::Row;
    int page = 0;
    // The first line a data record printed (a record may print several row lines); not kept in the
    // preview file.
    bool startsRecord = false;
    std::vector<TableCellRecord> cells;
};

// The device-independent result of a print run: laid out once, painted or exported anywhere.
struct PageModel {
    std::vector<Page> pages;
    std::vector<TableLineRecord> table;
    QString projectFile;

    // The preview file form (versioned QDataStream, pictures embedded).
    bool write(QIODevice &device) const;
    static bool read(QIODevice &device, PageModel &model);
    bool writeFile(const QString &file) const;
    static bool readFile(const QString &file, PageModel &model);
};

} // namespace tb
