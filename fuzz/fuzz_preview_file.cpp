// Preview files: the engine's page model read back, and a page of it painted when it is accepted.
#include <cstddef>
#include <cstdint>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include "reportengine/PageModel.h"
#include "reportengine/PagePainter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_preview_file";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    tb::PageModel model;
    if (!tb::PageModel::read(buffer, model) || model.pages.empty())
        return 0;
    tb::PagePainter::render(model.pages.front(), 4); // small, so a page costs little
    return 0;
}
