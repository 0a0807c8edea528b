// Letter files as the letter editor opens them: rich text or plain text in either encoding, then
// saved as rich text.
#include <cstddef>
#include <cstdint>

#include <QGuiApplication>
#include <QTextDocument>

#include "ui/LetterFile.h"
#include "ui/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_letter_file";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    QTextDocument letter;
    ui::readLetterFile(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), letter);
    ui::writeRtf(letter);
    return 0;
}
