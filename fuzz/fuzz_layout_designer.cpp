// Report projects as the layout designer opens them: the input is a project file given to the
// engine's designer call, first as a list project, then as a card project; a project the engine
// accepts is laid out on the designer's canvas and its preview rendered.
#include <cstddef>
#include <cstdint>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "reportengine/Engine.h"
#include "reportengine/EngineTypes.h"
#include "reportengine/ScriptedEngineUi.h"
#include "reportengine/designer/DesignerCanvas.h"
#include "reportengine/designer/DesignerWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_layout_designer";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("Projekt.lst"));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            return 0;
    }
    auto ui = std::make_unique<tb::ScriptedEngineUi>();
    tb::ScriptedEngineUi *script = ui.get();
    tb::Engine engine(std::move(ui));
    const int job = engine.TbJobOpen(-1);
    script->script.onDesigner = [](tb::DesignerWindow &window) {
        window.canvas()->grab();
        window.showPreview();
    };
    for (int type : {tb::TB_OBJECT_LIST, tb::TB_OBJECT_CARD})
        if (engine.TbDefineLayoutA(job, nullptr, QStringLiteral("Fuzz"), type, file) !=
            tb::TB_ERR_BAD_PROJECT)
            break;
    engine.TbJobClose(job);
    return 0;
}
