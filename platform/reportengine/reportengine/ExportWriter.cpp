#include "reportengine/ExportWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "reportengine/Exporters.h"

namespace tb {

Q_LOGGING_CATEGORY(lcExport, "tb.export")

namespace {

struct TargetInfo {
    const char *name;
    const char *extension;
    const char *filter;
};

constexpr TargetInfo kTargets[] = {
    {"PDF", "pdf", "PDF-Dateien (*.pdf)"},          {"XLS", "xls", "Excel-Dateien (*.xls)"},
    {"HTML", "htm", "HTML-Dateien (*.htm *.html)"}, {"MHTML", "mht", "MHTML-Dateien (*.mht *.mhtml)"},
    {"RTF", "rtf", "RTF-Dateien (*.rtf)"},          {"TXT", "txt", "Textdateien (*.txt)"},
    {"XML", "xml", "XML-Dateien (*.xml)"},
};

const TargetInfo *find(const QString &target)
{
    for (const auto &t : kTargets)
        if (target.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

bool save(const QString &file, const QByteArray &bytes)
{
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

// Data formats and their writers; PDF has pages and no writer here.
struct Maker {
    const char *target;
    std::unique_ptr<LineExport> (*make)(const ExportSource &);
};
constexpr Maker kMakers[] = {
    {"XLS", makeXlsExport},   {"TXT", makeTxtExport},     {"XML", makeXmlExport},
    {"HTML", makeHtmlExport}, {"MHTML", makeMhtmlExport}, {"RTF", makeRtfExport},
};

} // namespace

bool isKnownExportTarget(const QString &target)
{
    return find(target) != nullptr;
}

QString exportExtension(const QString &target)
{
    const TargetInfo *t = find(target);
    return t ? QLatin1String(t->extension) : QString();
}

QString exportDialogFilter(const QString &target)
{
    const TargetInfo *t = find(target);
    return t ? QString::fromUtf8(t->filter) : QString();
}

std::vector<std::pair<QString, QByteArray>> LineExport::besideFiles(const QString &) const
{
    return {};
}

std::unique_ptr<LineExport> makeLineExport(const QString &target, const ExportSource &head)
{
    for (const Maker &m : kMakers)
        if (target.compare(QLatin1String(m.target), Qt::CaseInsensitive) == 0)
            return m.make(head);
    return nullptr;
}

QByteArray exportThrough(LineExport &writer, const ExportSource &source, bool *ok)
{
    for (const TableLineRecord *line : source.lines())
        writer.line(*line);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool written = writer.finish(buffer, QString());
    if (ok)
        *ok = written;
    return bytes;
}

bool finishDataExport(LineExport &writer, const QString &file)
{
    const QDir directory = QFileInfo(file).absoluteDir();
    for (const auto &[name, bytes] : writer.besideFiles(file))
        if (!save(directory.filePath(name), bytes))
            return false;
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && writer.finish(out, file) && out.commit();
}

bool writeDataExport(const QString &target, const ExportSource &source, const QString &file)
{
    const auto writer = makeLineExport(target, source);
    if (!writer)
        return false;
    for (const TableLineRecord *line : source.lines())
        writer->line(*line);
    return finishDataExport(*writer, file);
}

} // namespace tb
