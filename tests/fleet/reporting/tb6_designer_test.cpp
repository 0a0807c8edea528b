// The version-6 component opens the real engine's designer on a shipped project of the program directory.
#include <QDir>
#include <QFile>
#include <QWidget>

#include <gtest/gtest.h>

#include "Tb6.h"
#include "reportengine/Engine.h"
#include "reportengine/ScriptedEngineUi.h"
#include "reportengine/designer/DesignerDocument.h"
#include "reportengine/designer/DesignerWindow.h"
#include "temp_dir.h"

namespace {

TEST(Tb6Designer, DefineLayoutOnAShippedProjectReturnsAfterTheClose)
{
    testsupport::TempDir dir;
    const QString program = QString::fromStdString(dir.str());
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("KARVENFP_TEST_SOURCE_DIR") +
                                QStringLiteral("/fleet/resources/reports/Touren.lst"),
                            program + QStringLiteral("/Touren.lst")));
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(program);
    auto ui = std::make_unique<tb::ScriptedEngineUi>();
    tb::ScriptedEngineUi *script = ui.get();
    auto previous = tb::setEngine(std::make_unique<tb::Engine>(std::move(ui)));
    {
        QWidget settings; // stands in for the settings form's window
        reporting::TTb6_ component;
        int objects = 0;
        script->script.onDesigner = [&](tb::DesignerWindow &window) {
            EXPECT_EQ(window.parentWidget(), &settings);
            objects = window.document().objectCount();
            window.requestClose();
        };
        EXPECT_EQ(
            component.DefineLayout(&settings, QStringLiteral("Title"), 32770, QStringLiteral("Touren.lst")),
            0);
        EXPECT_GT(objects, 3);
        EXPECT_EQ(script->record.designerCaptions, QStringList{QStringLiteral("Title – Touren.lst")});
        EXPECT_TRUE(script->record.messages.isEmpty());
        EXPECT_FALSE(script->record.designerLeftOpen);
    }
    tb::setEngine(std::move(previous));
    QDir::setCurrent(previousDir);
}

} // namespace
