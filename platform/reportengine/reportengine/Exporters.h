#pragma once

#include <vector>

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

#include "reportengine/ExportSource.h"

namespace tb {

// What the exporters had to change in the data ("tb.export").
Q_DECLARE_LOGGING_CATEGORY(lcExport)

// The data exporters. Each reads the logical table stream (and, where the target shows them, the page
// objects of the first page) and gives the bytes of the file. Settings come from the project's
// "export" section for the target.

// TXT: one line per table line, cells as shown, joined by "separator" (default tab); "header" (default
// true) writes the header line(s) first; "encoding" "UTF-8" (default), "ISO-8859-1" or any name the
// text codecs know; "lineEnd" (default CR LF). Cells holding the separator, a quote or a line break are
// quoted with '"' (quotes doubled). A character the encoding cannot hold is written as "?" and the
// number of such characters traced. Empty when the encoding is unknown.
QByteArray exportTxt(const ExportSource &source, bool *ok = nullptr);

// XML (UTF-8):
//   <report project="Name.lst">
//     <header><cell>Datum</cell>...</header>           one per header line
//     <row><cell type="date" value="45000">20.02.2023</cell>...</row>
//     <footer><cell>...</cell></footer>
//   </report>
// type is "text", "number", "date" (value = days since 30.12.1899), "bool" (value 1/0) or "null";
// value holds the typed value in C notation, the element text the cell as shown. Characters XML 1.0
// forbids (controls other than TAB, LF and CR) become U+FFFD; their number is traced.
QByteArray exportXml(const ExportSource &source);

// HTML (UTF-8, well-formed): the page objects' texts and pictures ("pageObjects", default true),
// then the table with <thead>, <tbody> and <tfoot>. Pictures are referenced as `pictureNames[i]`.
QByteArray exportHtml(const ExportSource &source, const std::vector<QString> &pictureNames);
// The names the HTML export gives the pictures of a file called `htmlFile` (beside it).
std::vector<QString> pictureFileNames(const QString &htmlFile, size_t count);

// MHTML: the HTML and its pictures as one multipart/related MIME document.
QByteArray exportMhtml(const ExportSource &source);

// RTF: the page objects' texts and pictures ("pageObjects", default true), then the table as RTF rows
// (header rows bold and repeated on every page); page size from the run.
QByteArray exportRtf(const ExportSource &source);

// XLS: a BIFF8 workbook with one sheet; see XlsExport.cpp. Empty when the data does not fit the format.
QByteArray exportXls(const ExportSource &source);

} // namespace tb
