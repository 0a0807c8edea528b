// Letters in rich text: the input read by the RTF reader, written back and read again. A letter
// must read the same after it is saved; the fuzzer stops at one whose text changes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>
#include <QTextDocument>

#include "ui/RtfReader.h"
#include "ui/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    QTextDocument read;
    ui::readRtf(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), read);
    QTextDocument again;
    ui::readRtf(ui::writeRtf(read), again);
    if (again.toPlainText() != read.toPlainText())
        std::abort();
    return 0;
}
