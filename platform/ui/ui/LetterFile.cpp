#include "ui/LetterFile.h"

#include "ui/PlainTextReader.h"
#include "ui/RtfReader.h"

namespace ui {

void readLetterFile(QByteArrayView bytes, QTextDocument &document)
{
    if (bytes.startsWith("{\\rtf"))
        readRtf(bytes, document);
    else
        readPlainText(bytes, document);
}

} // namespace ui
