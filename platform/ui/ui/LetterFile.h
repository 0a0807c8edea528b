#pragma once

#include <QByteArrayView>

class QTextDocument;

namespace ui {

// A letter file into the document: rich text when the bytes begin with
// "{\rtf", plain text otherwise. Afterwards the document is not modified and
// has nothing to undo.
void readLetterFile(QByteArrayView bytes, QTextDocument &document);

} // namespace ui
