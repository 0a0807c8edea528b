#include "reportengine/ExportWriter.h"

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

bool writeDataExport(const QString &target, const ExportSource &source, const QString &file)
{
    const QString t = target.toUpper();
    if (t == QLatin1String("TXT")) {
        bool ok = false;
        const QByteArray bytes = exportTxt(source, &ok);
        return ok && save(file, bytes);
    }
    if (t == QLatin1String("XML"))
        return save(file, exportXml(source));
    if (t == QLatin1String("RTF"))
        return save(file, exportRtf(source));
    if (t == QLatin1String("MHTML"))
        return save(file, exportMhtml(source));
    if (t == QLatin1String("XLS")) {
        const QByteArray bytes = exportXls(source);
        return !bytes.isEmpty() && save(file, bytes);
    }
    if (t == QLatin1String("HTML")) {
        const auto pictures =
            source.flag("pageObjects", true) ? source.pictures() : std::vector<ExportSource::Picture>{};
        const auto names = pictureFileNames(file, pictures.size());
        const QDir directory = QFileInfo(file).absoluteDir();
        for (size_t i = 0; i < pictures.size(); ++i)
            if (!save(directory.filePath(names[i]), pictures[i].png))
                return false;
        return save(file, exportHtml(source, names));
    }
    return false;
}

} // namespace tb
