#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

#include "reportengine/ExportSource.h"

class QIODevice;

namespace tb {

// What the exporters had to change in the data ("tb.export").
Q_DECLARE_LOGGING_CATEGORY(lcExport)

// One data file written from the table lines as they come. What stands above the table (the page
// objects' texts and pictures of the head's first chosen page, the project's settings) is taken when
// the writer is made; the lines go to a spool file; finish() writes the whole file, so that a run of
// any length holds no more than one line.
class LineExport {
public:
    virtual ~LineExport() = default;
    virtual void line(const TableLineRecord &line) = 0;
    // Writes the file to `out`. `file` is the name it will bear (an HTML file names its pictures after
    // it). False when the data does not fit the format or a spool or `out` could not be written.
    virtual bool finish(QIODevice &out, const QString &file) = 0;
    // Files that go beside the main one (the pictures of an HTML file): name and contents.
    virtual std::vector<std::pair<QString, QByteArray>> besideFiles(const QString &file) const;
};

// The writer of a target ("XLS", "TXT", "XML", "HTML", "MHTML", "RTF"); null for any other.
std::unique_ptr<LineExport> makeLineExport(const QString &target, const ExportSource &head);
// Writes the source's lines through `writer` into bytes; false in `ok` when it fails.
QByteArray exportThrough(LineExport &writer, const ExportSource &source, bool *ok = nullptr);

// The data exporters. Each writes the logical table stream (and, where the target shows them, the page
// objects of the first page) as a file. Settings come from the project's "export" section for the
// target.

// TXT: one line per table line, cells as shown, joined by "separator" (default tab); "header" (default
// true) writes the header line(s) first; "encoding" "UTF-8" (default), "ISO-8859-1" or any name the
// text codecs know; "lineEnd" (default CR LF). Cells holding the separator, a quote or a line break are
// quoted with '"' (quotes doubled). A character the encoding cannot hold is written as "?" and the
// number of such characters traced. Empty when the encoding is unknown.
QByteArray exportTxt(const ExportSource &source, bool *ok = nullptr);
std::unique_ptr<LineExport> makeTxtExport(const ExportSource &head);

// XML (UTF-8), one element per data record:
//   <report project="Name.lst">
//     <record><Datum>2023-02-20</Datum><Betrag>1234.5</Betrag><Name>Müller</Name>...</record>
//     <footer><Betrag>...</Betrag></footer>
//   </report>
// Each field is an element named by its caption (header line n names the fields of a record's row
// line n; what a name may not hold becomes "_", an empty caption "FeldN", a repeated one gets "_2").
// Numbers are XML decimals, dates ISO 8601, yes/no "true"/"false", an empty value an empty element;
// text as shown. With "displayText" (default false) a typed field also carries its shown text in the
// attribute "text". Characters XML 1.0 forbids (controls other than TAB, LF and CR) become U+FFFD;
// their number is traced.
QByteArray exportXml(const ExportSource &source);
std::unique_ptr<LineExport> makeXmlExport(const ExportSource &head);

// HTML (UTF-8, well-formed): the page objects' texts and pictures ("pageObjects", default true),
// then the table with <thead>, <tbody> and <tfoot>. The pictures go beside the file (besideFiles).
std::unique_ptr<LineExport> makeHtmlExport(const ExportSource &head);
// The names the HTML export gives the pictures of a file called `htmlFile` (beside it).
std::vector<QString> pictureFileNames(const QString &htmlFile, size_t count);

// MHTML: the HTML and its pictures as one multipart/related MIME document.
std::unique_ptr<LineExport> makeMhtmlExport(const ExportSource &head);

// RTF: the page objects' texts and pictures ("pageObjects", default true), then the table as RTF rows
// (header rows bold and repeated on every page); page size from the run.
std::unique_ptr<LineExport> makeRtfExport(const ExportSource &head);

// XLS: a BIFF8 workbook; see XlsExport.cpp. Empty when the data does not fit the format.
QByteArray exportXls(const ExportSource &source);
std::unique_ptr<LineExport> makeXlsExport(const ExportSource &head);

} // namespace tb
