#include "reportengine/PdfInfo.h"

#include <QFile>
#include <QRegularExpression>

namespace tb {

namespace {

// A PDF text string: UTF-16BE with its byte-order mark, in hexadecimal.
QByteArray pdfText(const QString &text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

} // namespace

bool setPdfDocumentInfo(const QString &file, const QString &title, const QString &author,
                        const QString &creator)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadWrite))
        return false;
    const qint64 size = pdf.size();
    if (!pdf.seek(std::max<qint64>(0, size - 4096)))
        return false;
    const QByteArray tail = pdf.read(4096);
    static const QRegularExpression sizeKey(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression rootKey(QStringLiteral("/Root\\s+(\\d+\\s+\\d+)\\s+R"));
    static const QRegularExpression startXref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const QString text = QString::fromLatin1(tail);
    const qsizetype trailerAt = text.lastIndexOf(QLatin1String("trailer"));
    if (trailerAt < 0)
        return false;
    const QString trailer = text.mid(trailerAt);
    const auto sizeMatch = sizeKey.match(trailer);
    const auto rootMatch = rootKey.match(trailer);
    const auto xrefMatch = startXref.match(trailer);
    bool numeric = false;
    const qint64 objects = sizeMatch.captured(1).toLongLong(&numeric);
    if (!sizeMatch.hasMatch() || !rootMatch.hasMatch() || !xrefMatch.hasMatch() || !numeric || objects < 1)
        return false;

    QByteArray update = size > 0 && tail.endsWith('\n') ? QByteArray() : QByteArray("\n");
    const qint64 objectAt = size + update.size();
    update += QByteArray::number(objects) + " 0 obj\n<<\n/Title " + pdfText(title) + "\n/Author " +
              pdfText(author) + "\n/Creator " + pdfText(creator) + "\n>>\nendobj\n";
    const qint64 xrefAt = size + update.size();
    update += "xref\n" + QByteArray::number(objects) + " 1\n" +
              QByteArray::number(objectAt).rightJustified(10, '0') + " 00000 n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(objects + 1) + "\n/Info " +
              QByteArray::number(objects) + " 0 R\n/Root " + rootMatch.captured(1).toLatin1() + " R\n/Prev " +
              xrefMatch.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) +
              "\n%%EOF\n";
    return pdf.seek(size) && pdf.write(update) == update.size() && pdf.flush();
}

} // namespace tb
