#include "ui/PlainTextReader.h"

#include <QStringDecoder>
#include <QTextDocument>

#include "ui/RtfCodePages.h"
#include "ui/RtfReader.h"

namespace ui {

QString decodePlainText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = rtf::ByteDecoder().decode(bytes, 1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    // Other control characters and object marks have no place in a letter.
    text.removeIf([](QChar ch) {
        return (ch.unicode() < 0x20 && ch != u'\n' && ch != u'\t') || ch == QChar::ObjectReplacementCharacter;
    });
    return text;
}

void readPlainText(QByteArrayView bytes, QTextDocument &document)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.setPlainText(decodePlainText(bytes));
    setLetterTabStops(document);
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

} // namespace ui
