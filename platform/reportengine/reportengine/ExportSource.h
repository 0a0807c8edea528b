#pragma once

#include <vector>

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include "reportengine/EngineTypes.h"
#include "reportengine/PageModel.h"

namespace tb {

// What a data exporter writes from: the laid-out run, the pages chosen and the project's export
// settings for the target.
struct ExportSource {
    const PageModel &model;
    QJsonObject settings;
    int firstPage = 1;
    int lastPage = 32767;
    // Objects that only make sense on paper (they show the page number): left out of page texts.
    QStringList pageOnlyObjects = {};

    // The table lines of the chosen pages: the header lines once (from the first page that has them),
    // every row and the footer lines, in order.
    std::vector<const TableLineRecord *> lines() const;
    // The text lines of the page objects on the first chosen page in reading order: object by object
    // from the top (left to right where objects start level), each object's lines top to bottom;
    // runs on the same baseline are joined by `joiner`. Page-only objects are left out.
    QStringList pageTexts(const QString &joiner = QStringLiteral("    ")) const;
    // The pictures of the page objects on the first chosen page as PNG, with their size in points.
    struct Picture {
        QByteArray png;
        double widthPt = 0, heightPt = 0;
    };
    std::vector<Picture> pictures() const;
    // A Boolean setting, `fallback` when the project does not name it.
    bool flag(const char *key, bool fallback) const;
    QString text(const char *key, const QString &fallback) const;
    // The project's file name without directory and extension (document titles).
    QString title() const;
};

// A picture file (SVG, PNG or JPEG) rendered as PNG; SVG at 150 dpi for the given size in points.
QByteArray pictureAsPng(const QByteArray &bytes, double widthPt, double heightPt);

} // namespace tb
