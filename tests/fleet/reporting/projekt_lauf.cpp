#include "projekt_lauf.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "reportengine/Engine.h"
#include "reportengine/Expression.h"
#include "reportengine/Project.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/ScriptedEngineUi.h"

namespace projektlauf {

QStringList namenDesProjekts(const QString &file)
{
    tb::Project project;
    QString error;
    if (!tb::JsonProjectStore().load(file, project, &error)) {
        ADD_FAILURE() << error.toStdString();
        return {};
    }
    QStringList names;
    for (const QString &source : project.expressions())
        if (const auto expression = tb::Expression::parse(source))
            names += expression->names();
    names.removeDuplicates();
    return names;
}

bool drucken(const QString &file, const Werte &werte, const QString &tempDir, tb::PageModel &model, int rows,
             const QString &pdf)
{
    tb::Project project;
    QString error;
    if (!tb::JsonProjectStore().load(file, project, &error)) {
        ADD_FAILURE() << error.toStdString();
        return false;
    }
    const QStringList names = namenDesProjekts(file);
    tb::Engine engine(std::make_unique<tb::ScriptedEngineUi>());
    engine.setNow(45293); // 02.01.2024
    const int job = engine.TbJobOpen(-1);
    engine.TbSetOption(job, tb::opt::TranslateNames, 1);
    engine.TbSetOption(job, tb::opt::MultipleTableLines, 1); // as the program's components set it
    for (const QString &n : names)
        engine.TbDefineVariableA(job, n, werte(n, 0));
    engine.TbDefineVariableA(job, QStringLiteral("AktMandantName1"),
                             werte(QStringLiteral("AktMandantName1"), 0));
    const bool list = project.kind == tb::ProjectKind::List;
    const int start =
        engine.TbPrintWithBoxStartA(job, list ? tb::TB_OBJECT_LIST : tb::TB_OBJECT_CARD, file,
                                    pdf.isEmpty() ? tb::TB_PRINT_PREVIEW : tb::TB_PRINT_EXPORT,
                                    tb::TB_BOX_PROGRESS, nullptr, QStringLiteral("Drucke in Vorschau..."));
    engine.TbPreviewSetTempPathA(job, tempDir);
    if (!pdf.isEmpty()) {
        const QString target = QStringLiteral("PDF");
        engine.TbPrintSetOptionStringA(job, tb::TB_PRNOPTSTR_EXPORT_TARGET, target);
        engine.TbXSetParameterA(job, 1, target, QStringLiteral("Export.Path"), QFileInfo(pdf).path());
        engine.TbXSetParameterA(job, 1, target, QStringLiteral("Export.File"), QFileInfo(pdf).fileName());
        engine.TbXSetParameterA(job, 1, target, QStringLiteral("Export.Quiet"), QStringLiteral("1"));
    }
    if (start != 0) {
        ADD_FAILURE() << "start " << start;
        return false;
    }
    engine.TbPrintOptionsDialogA(job, nullptr, QStringLiteral("Drucke in Vorschau\nCa. 1 Seite(n)"));
    engine.TbPrint(job);
    if (list) {
        for (int row = 0; row < rows; ++row) {
            for (const QString &n : names)
                engine.TbDefineFieldA(job, n, werte(n, row));
            int result = engine.TbPrintFields(job);
            if (result == tb::TB_WRN_REPEAT_DATA) {
                engine.TbPrint(job);
                result = engine.TbPrintFields(job);
            }
            EXPECT_EQ(result, 0);
        }
        if (engine.TbPrintFieldsEnd(job) == tb::TB_WRN_REPEAT_DATA)
            engine.TbPrintFieldsEnd(job);
    }
    EXPECT_EQ(engine.TbPrintEnd(job, 0), 0);
    if (!pdf.isEmpty())
        return QFile::exists(pdf);
    return tb::PageModel::readFile(tb::Engine::previewFileName(file, tempDir), model);
}

} // namespace projektlauf
