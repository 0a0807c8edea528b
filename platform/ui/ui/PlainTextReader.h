#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace ui {

// Text of a plain file: UTF-8 when the bytes are valid UTF-8 (a byte order
// mark is dropped), else Windows 1252; CR LF, LF and a lone CR become "\n",
// other control characters are dropped.
QString decodePlainText(QByteArrayView bytes);

// The plain file into the document, one paragraph per line.
void readPlainText(QByteArrayView bytes, QTextDocument &document);

} // namespace ui
