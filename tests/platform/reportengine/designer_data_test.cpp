// The designer working with the report's data: names and their samples, the expression check, rows
// under conditions, footers, sums and the filter printed by the real engine, the preview with sample
// values, and the restrictions and added actions a caller sets for one run.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "engine_fixture.h"
#include "reportengine/Job.h"
#include "reportengine/designer/DesignerCanvas.h"
#include "reportengine/designer/DesignerDocument.h"
#include "reportengine/designer/DesignerPreview.h"
#include "reportengine/designer/DesignerWindow.h"
#include "reportengine/designer/ExpressionCheck.h"
#include "reportengine/designer/ExpressionEditor.h"
#include "reportengine/designer/FilterAndSumsDialog.h"
#include "reportengine/designer/NameBrowser.h"
#include "reportengine/designer/PropertyPanel.h"
#include "reportengine/designer/Ruler.h"
#include "reportengine/designer/TableEditor.h"
#include "temp_dir.h"

using namespace enginetest;
using tb::DesignerWindow;

namespace {

// What the caller's callback heard, and how it answers.
struct Caller {
    std::vector<std::pair<unsigned, intptr_t>> heard;
    QString help;           // answer to message 35
    intptr_t menuState = 0; // answer to message 64
};
Caller caller;

intptr_t answer(unsigned message, intptr_t parameter, intptr_t)
{
    caller.heard.emplace_back(message, parameter);
    if (message == tb::msg::VarHelpText)
        return caller.help.isEmpty() ? 0 : reinterpret_cast<intptr_t>(&caller.help);
    if (message == tb::msg::MenuState)
        return caller.menuState;
    return 0;
}

int heardCount(unsigned message, intptr_t parameter)
{
    return int(std::count(caller.heard.begin(), caller.heard.end(), std::make_pair(message, parameter)));
}

tb::DesignerSettings settingsWith(std::initializer_list<std::pair<const char *, QString>> fields)
{
    tb::DesignerSettings settings;
    for (const auto &[name, value] : fields)
        settings.fields.push_back({QString::fromUtf8(name), tb::Value::ofText(value)});
    return settings;
}

class DesignerData : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        engine_ = std::make_unique<tb::Engine>(std::move(ui));
        engine_->setNow(45292);
        job_ = engine_->TbJobOpen(-1);
        engine_->TbSetOption(job_, tb::opt::CallbackMask, 0x7E000000);
        engine_->TbSetNotificationCallback(job_, &answer);
        caller = Caller();
    }

    QString path(const char *name) const { return QString::fromStdString((dir_ / name).string()); }

    int design(const QString &file, const std::function<void(DesignerWindow &)> &script)
    {
        ui_->script.onDesigner = script;
        return engine_->TbDefineLayoutA(job_, nullptr, QStringLiteral("Title"), 32770, file);
    }

    // The names of the due-appointment list as its definers give them.
    void defineAppointmentNames()
    {
        engine_->TbDefineVariableStart(job_);
        engine_->TbDefineVariableA(job_, QStringLiteral("WelcheTermine"), QStringLiteral("TÜV-Termine"));
        engine_->TbDefineVariableA(job_, QStringLiteral("Vorwarnzeit/Tage"), QStringLiteral("30"));
        engine_->TbDefineVariableA(job_, QStringLiteral("Stichtag"), QStringLiteral("01.01.2024"));
        engine_->TbDefineFieldStart(job_);
        engine_->TbDefineFieldA(job_, QStringLiteral("KfzNr"), QStringLiteral("HH-KV 1234"));
        engine_->TbDefineFieldA(job_, QStringLiteral("Betrag"), QStringLiteral("1234,5"));
        engine_->TbDefineFieldA(job_, QStringLiteral("Stichtag"), QStringLiteral("15.02.2024"));
    }

    static QStringList childNames(QTreeWidgetItem *branch)
    {
        QStringList names;
        for (int i = 0; branch && i < branch->childCount(); ++i)
            names << branch->child(i)->text(0);
        return names;
    }

    testsupport::TempDir dir_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::Engine> engine_;
    int job_ = -1;
};

TEST(ExpressionCheck, ChecksParsesAndEvaluatesWithTheSamples)
{
    tb::DesignerSettings settings = settingsWith({{"Betrag", "1234,5"}, {"KfzNr", ""}, {"Info", "x"}});
    settings.prohibitedFunctions = {QStringLiteral("Upper$")};
    const tb::Project project;
    const QString missingParen = QStringLiteral("If(Empty(KfzNr), \"–\", KfzNr");
    const struct {
        QString input;
        bool accepted;
        QString value;
        int position;
        const char *says; // in the error or the hint
    } cases[] = {
        {QStringLiteral("\"Seite \" + Str$(Page(),0)"), true, QStringLiteral("Seite 1"), 0, ""},
        {QStringLiteral("FStr$(Val(Betrag), \"#,##0.00\")"), true, QStringLiteral("1.234,50"), 0, ""},
        {missingParen, false, QString(), int(missingParen.size()) + 1, "\")\" erwartet"},
        {QStringLiteral("Upper$(Info)"), false, QString(), 0, "Upper$"},
        {QStringLiteral("upper$ (Info)"), false, QString(), 0, "upper$"},
        {QStringLiteral("\"Upper$(Info)\" + [Upper$(x)]"), true, QString(), 0, "Upper$(x)"},
        {QStringLiteral("Unbekannt + \"x\""), true, QStringLiteral("x"), 0, "Unbekannt"},
    };
    for (const auto &c : cases) {
        const auto check = tb::designer::checkExpression(c.input, settings, project, QString());
        EXPECT_EQ(check.accepted, c.accepted) << c.input.toStdString();
        EXPECT_EQ(check.position, c.position) << c.input.toStdString();
        if (c.accepted && !c.value.isNull()) {
            EXPECT_EQ(check.value, c.value) << c.input.toStdString();
        }
        EXPECT_TRUE((check.error + check.hint).contains(QString::fromUtf8(c.says))) << c.input.toStdString();
    }
    EXPECT_TRUE(tb::designer::checkExpression(QStringLiteral("Unbekannt"), settings, project, {})
                    .hint.contains(QStringLiteral("beim Druck leer")));
}

TEST(ExpressionCheck, TheEditorRefusesWhatDoesNotPassAndInsertsChosenNames)
{
    tb::DesignerSettings settings = settingsWith({{"Vorwarnzeit/Tage", "30"}});
    settings.prohibitedFunctions = {QStringLiteral("Upper$")};
    const tb::Project project;
    tb::ExpressionEditor editor(QStringLiteral("If(1, 2"), settings, project, QString(), nullptr);
    EXPECT_FALSE(editor.okButton()->isEnabled());
    EXPECT_TRUE(editor.result()->text().contains(QStringLiteral("Position 8")));
    editor.setSource(QString());
    EXPECT_TRUE(editor.okButton()->isEnabled());
    // A double click on a name puts it at the cursor, in brackets as it holds a "/".
    tb::NameBrowser *names = editor.names();
    emit names->itemDoubleClicked(names->fields()->child(0), 0);
    EXPECT_EQ(editor.source(), QStringLiteral("[Vorwarnzeit/Tage]"));
    EXPECT_TRUE(editor.result()->text().contains(QStringLiteral("30")));
    for (int i = 0; i < editor.functionList()->count(); ++i)
        EXPECT_NE(editor.functionList()->item(i)->text(), QStringLiteral("Upper$"));
}

TEST_F(DesignerData, NameBrowserShowsTheNamesDefinedBeforeTheCall)
{
    const QString file = saveProject(listProject(), path("Termine.lst"));
    const QString longHelp(2000, QLatin1Char('h'));
    const struct {
        bool sort, functions, translate;
        QStringList variables;
        QString insertion;
    } cases[] = {
        {false, false, false, {"WelcheTermine", "Vorwarnzeit/Tage", "Stichtag"}, "[Vorwarnzeit/Tage]"},
        {true, true, false, {"Stichtag", "Vorwarnzeit/Tage", "WelcheTermine"}, "[Vorwarnzeit/Tage]"},
        {true, false, true, {"Stichtag", "Vorwarnzeit_Tage", "WelcheTermine"}, "Vorwarnzeit_Tage"},
    };
    for (const auto &c : cases) {
        engine_->TbSetOption(job_, tb::opt::SortVariables, c.sort);
        engine_->TbSetOption(job_, tb::opt::ShowPredefinedVars, c.functions);
        engine_->TbSetOption(job_, tb::opt::TranslateNames, c.translate);
        defineAppointmentNames();
        caller.help = longHelp;
        design(file, [&](DesignerWindow &w) {
            tb::NameBrowser *names = w.names();
            EXPECT_EQ(childNames(names->variables()), c.variables);
            // A name both variable and field stands in both branches, with its own sample.
            EXPECT_TRUE(childNames(names->fields()).contains(QStringLiteral("Stichtag")));
            EXPECT_EQ(names->functions() != nullptr, c.functions);
            QTreeWidgetItem *warn = names->variables()->child(int(c.variables.indexOf(
                c.translate ? QStringLiteral("Vorwarnzeit_Tage") : QStringLiteral("Vorwarnzeit/Tage"))));
            ASSERT_NE(warn, nullptr);
            EXPECT_EQ(warn->text(1), QStringLiteral("30"));
            EXPECT_EQ(names->insertionFor(warn), c.insertion);
            const QString help = names->helpText(warn->text(0));
            EXPECT_EQ(help.size(), 1023);
            w.requestClose();
        });
    }
    EXPECT_GE(heardCount(tb::msg::VarHelpText, 0), 0);
    EXPECT_FALSE(std::none_of(caller.heard.begin(), caller.heard.end(),
                              [](const auto &h) { return h.first == tb::msg::VarHelpText; }));
}

TEST_F(DesignerData, RowsUnderConditionsFootersSumsAndFilterPrintAsEdited)
{
    const QString file = saveProject(listProject(24), path("Liste.lst"));
    engine_->TbSetOption(job_, tb::opt::MultipleTableLines, 1);
    design(file, [&](DesignerWindow &w) {
        tb::DesignerDocument &doc = w.document();
        const int table = doc.indexOf(QStringLiteral("Tabelle"));
        tb::TableEditor editor(
            doc.object(table).table, true, [&](const QString &s) { return w.checkExpression(s); }, nullptr);
        ASSERT_TRUE(editor.selectLine(tb::TableEditor::Rows, 0));
        ASSERT_TRUE(editor.addLine(tb::TableEditor::Rows));
        EXPECT_FALSE(editor.setCondition(QStringLiteral("Val(Betrag) >")));
        EXPECT_FALSE(editor.lastRefusal().isEmpty());
        EXPECT_TRUE(editor.setCondition(QStringLiteral("Val(Betrag) > 300")));
        EXPECT_TRUE(
            editor.setCell(1, tb::TableEditor::Expr, QStringLiteral("\"Hinweis \" + Nr + \" hoch\"")));
        ASSERT_TRUE(editor.selectLine(tb::TableEditor::Footer, 0));
        ASSERT_TRUE(editor.addLine(tb::TableEditor::Footer));
        EXPECT_TRUE(editor.setCell(1, tb::TableEditor::Expr, QStringLiteral("\"Seitensumme\"")));
        EXPECT_FALSE(
            editor.setCell(3, tb::TableEditor::Expr, QStringLiteral("FStr$(SeitenBetrag, \"#,##0.00\"")));
        w.applyColumns(table, editor.table());

        tb::FilterAndSumsDialog data(
            doc.project().filter, doc.project().sums, [&](const QString &s) { return w.checkExpression(s); },
            nullptr);
        EXPECT_FALSE(data.setFilter(QStringLiteral("Nr <>")));
        EXPECT_TRUE(data.setFilter(QStringLiteral("Nr <> \"3\"")));
        EXPECT_FALSE(data.addSum(QStringLiteral("SumBetrag"), QStringLiteral("1"), false));
        EXPECT_TRUE(data.addSum(QStringLiteral("SeitenBetrag"), QStringLiteral("Val(Betrag)"), true));
        w.applyFilterAndSums(data.filter(), data.sums());
        // The sum is known now: the footer cell takes it.
        tb::TableEditor again(
            doc.object(table).table, true, [&](const QString &s) { return w.checkExpression(s); }, nullptr);
        ASSERT_TRUE(again.selectLine(tb::TableEditor::Footer, 1));
        EXPECT_TRUE(
            again.setCell(3, tb::TableEditor::Expr, QStringLiteral("FStr$(SeitenBetrag, \"#,##0.00\")")));
        w.applyColumns(table, again.table());
        EXPECT_TRUE(w.save());
        w.requestClose();
    });

    const QString pdf = path("Liste.pdf");
    ui_->script.printer = tb::pdfPseudoPrinterName();
    ui_->script.pdfFile = pdf;
    const auto r = runListLoop(*engine_, job_, file, tb::TB_PRINT_PRINTER, 5, [&](int row) {
        const int nr = row + 1;
        engine_->TbDefineFieldA(job_, QStringLiteral("Nr"), QString::number(nr));
        engine_->TbDefineFieldA(job_, QStringLiteral("Name"), QStringLiteral("Posten %1").arg(nr));
        engine_->TbDefineFieldA(job_, QStringLiteral("Betrag"), QStringLiteral("%1,50").arg(nr * 100));
        engine_->TbDefineFieldA(job_, QStringLiteral("Memo"), QString());
    });
    ASSERT_EQ(r.start, 0);
    const QStringList pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 2);
    const QString all = pages.join(QLatin1Char('\n'));
    for (int nr : {1, 2, 4, 5})
        EXPECT_TRUE(all.contains(QStringLiteral("Posten %1").arg(nr))) << nr;
    EXPECT_FALSE(all.contains(QStringLiteral("Posten 3")));
    EXPECT_FALSE(all.contains(QStringLiteral("Hinweis 1 hoch")));
    EXPECT_FALSE(all.contains(QStringLiteral("Hinweis 2 hoch")));
    EXPECT_TRUE(all.contains(QStringLiteral("Hinweis 4 hoch")));
    EXPECT_TRUE(all.contains(QStringLiteral("Hinweis 5 hoch")));
    // Total of the rows the filter passed; the page sum of the rows on the last page only.
    EXPECT_TRUE(all.contains(QStringLiteral("1.202,00")));
    const QString last = pages.back();
    double pageSum = 0;
    for (int nr : {1, 2, 4, 5})
        if (last.contains(QStringLiteral("Posten %1").arg(nr)))
            pageSum += nr * 100 + 0.5;
    ASSERT_GT(pageSum, 0);
    EXPECT_LT(pageSum, 1202);
    EXPECT_TRUE(last.contains(QStringLiteral("Seitensumme")));
    EXPECT_TRUE(last.contains(QString::number(pageSum, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','))))
        << last.toStdString();
}

TEST_F(DesignerData, PreviewShowsSamplesOnPageOneAndTheFollowingLayerOnPageTwo)
{
    tb::Project project = listProject();
    tb::PageObject first = project.objects[1];
    first.name = QStringLiteral("NurErste");
    first.layer = tb::Layer::First;
    first.paragraphs[0].expr = QStringLiteral("\"Erste Seite\"");
    first.rectMm.moveTop(3);
    tb::PageObject following = first;
    following.name = QStringLiteral("NurFolgende");
    following.layer = tb::Layer::Following;
    following.paragraphs[0].expr = QStringLiteral("\"Folgeseite\"");
    project.objects.push_back(first);
    project.objects.push_back(following);
    const QString file = saveProject(project, path("Liste.lst"));
    engine_->TbDefineVariableA(job_, QStringLiteral("Firma"), QStringLiteral("Müller & Söhne GmbH"));
    engine_->TbDefineFieldA(job_, QStringLiteral("Nr"), QStringLiteral("7"));
    engine_->TbDefineFieldA(job_, QStringLiteral("Name"), QStringLiteral("Beispielzeile"));
    engine_->TbDefineFieldA(job_, QStringLiteral("Betrag"), QStringLiteral("1234,5"));
    design(file, [&](DesignerWindow &w) {
        w.showPreview();
        EXPECT_EQ(w.preview()->pageCount(), 2);
        const QString shots = qEnvironmentVariable("KARVENFP_DESIGNER_SHOTS");
        if (!shots.isEmpty()) {
            // Pictures to look at: the layout with the names, the table editor, the preview.
            w.show();
            w.canvas()->select({w.document().indexOf(QStringLiteral("Tabelle"))});
            w.grab().save(shots + QStringLiteral("/designer-names.png"));
            tb::TableEditor editor(w.document().object(w.document().indexOf(QStringLiteral("Tabelle"))).table,
                                   true, nullptr, nullptr);
            editor.selectLine(tb::TableEditor::Rows, 0);
            editor.show();
            editor.grab().save(shots + QStringLiteral("/designer-table.png"));
            w.action(tb::action::ViewPreview)->trigger();
            w.grab().save(shots + QStringLiteral("/designer-preview.png"));
        }
        w.requestClose();
    });
    // The designer's own settings carry the samples: check the texts of its pages.
    tb::Project loaded;
    QString error;
    ASSERT_TRUE(tb::JsonProjectStore().load(file, loaded, &error));
    tb::DesignerSettings settings;
    settings.variables = {
        {QStringLiteral("Firma"), tb::Value::ofText(QStringLiteral("Müller & Söhne GmbH"))}};
    settings.fields = {{QStringLiteral("Nr"), tb::Value::ofText(QStringLiteral("7"))},
                       {QStringLiteral("Name"), tb::Value::ofText(QStringLiteral("Beispielzeile"))},
                       {QStringLiteral("Betrag"), tb::Value::ofText(QStringLiteral("1234,5"))}};
    const tb::PageModel model = tb::designer::previewPages(loaded, file, settings);
    ASSERT_EQ(model.pages.size(), 2u);
    const auto texts = [](const tb::Page &page) {
        QStringList all;
        for (const auto &item : page.items)
            if (item.kind == tb::Primitive::Kind::Text)
                all << item.text;
        return all.join(QLatin1Char(' '));
    };
    const QString one = texts(model.pages[0]);
    const QString two = texts(model.pages[1]);
    EXPECT_TRUE(one.contains(QStringLiteral("Müller & Söhne GmbH")));
    EXPECT_GE(one.count(QStringLiteral("Beispielzeile")), 5); // the sample row fills the page
    EXPECT_TRUE(one.contains(QStringLiteral("1.234,50")));
    EXPECT_TRUE(one.contains(QStringLiteral("Erste Seite")));
    EXPECT_FALSE(one.contains(QStringLiteral("Folgeseite")));
    EXPECT_TRUE(two.contains(QStringLiteral("Folgeseite")));
    EXPECT_FALSE(two.contains(QStringLiteral("Erste Seite")));
}

TEST_F(DesignerData, RestrictionsAndAddedActionsHoldForOneRun)
{
    tb::Project project = listProject();
    project.objects[1].name = QStringLiteral("Titel");
    const QString file = saveProject(project, path("Liste.lst"));
    const int ctrlShiftK = 0x80000 | 0x10000 | 0x20000 | 'K';
    const auto restrict = [&] {
        // As the version-14 component sends them before every run.
        engine_->TbDesignerAddActionA(job_, 10100, ctrlShiftK, QStringLiteral("Prüfen"), QString(),
                                      QStringLiteral("Prüft das Projekt"), QString());
        engine_->TbDesignerProhibitAction(job_, tb::action::FileSave);
        engine_->TbDesignerProhibitFunctionA(job_, QStringLiteral("Upper$"));
        engine_->TbDesignerProhibitEditingObjectA(job_, QStringLiteral("Titel"));
    };
    for (int run = 0; run < 2; ++run) {
        restrict();
        design(file, [&](DesignerWindow &w) {
            EXPECT_FALSE(w.action(tb::action::FileSave)->isEnabled());
            w.insertObject(tb::PageObject::Type::Text);
            EXPECT_FALSE(w.save());
            // The locked title: seen and selected, not moved, edited or deleted.
            tb::DesignerDocument &doc = w.document();
            const int titel = doc.indexOf(QStringLiteral("Titel"));
            const QRectF at = doc.object(titel).rectMm;
            w.canvas()->select({titel});
            EXPECT_EQ(w.canvas()->selectedIndexes(), (QList<int>{titel}));
            QTest::keyClick(w.canvas(), Qt::Key_Right);
            QTest::keyClick(w.canvas(), Qt::Key_Delete);
            EXPECT_EQ(doc.object(titel).rectMm, at);
            EXPECT_EQ(doc.indexOf(QStringLiteral("Titel")), titel);
            EXPECT_FALSE(w.properties()->nameEdit()->isEnabled());
            EXPECT_FALSE(w.action(tb::action::EditDelete)->isEnabled());
            EXPECT_FALSE(w.checkExpression(QStringLiteral("Upper$(\"a\")")).isEmpty());
            // The added action: once, with its shortcut, raising 33; a 64 answer of 2 disables it.
            ASSERT_NE(w.extras(), nullptr);
            ASSERT_EQ(w.extras()->actions().size(), 1);
            QAction *added = w.extras()->actions().front();
            EXPECT_EQ(added->text(), QStringLiteral("Prüfen"));
            EXPECT_EQ(added->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
            added->trigger();
            EXPECT_EQ(heardCount(tb::msg::SelectMenu, 10100), run + 1);
            caller.menuState = 2;
            emit w.extras()->aboutToShow();
            EXPECT_FALSE(added->isEnabled());
            EXPECT_EQ(heardCount(tb::msg::MenuState, intptr_t(10100) << 16), 2 * run + 1);
            caller.menuState = 1;
            emit w.extras()->aboutToShow();
            EXPECT_TRUE(added->isEnabled());
            w.requestClose();
        });
        EXPECT_TRUE(ui_->record.designerErrors.isEmpty());
    }
    // A run without restrictions: everything open again, no added actions.
    design(file, [&](DesignerWindow &w) {
        EXPECT_TRUE(w.action(tb::action::FileSave)->isEnabled());
        EXPECT_EQ(w.extras(), nullptr);
        EXPECT_FALSE(w.document().isLocked(w.document().indexOf(QStringLiteral("Titel"))));
        EXPECT_TRUE(w.checkExpression(QStringLiteral("Upper$(\"a\")")).isEmpty());
        w.requestClose();
    });
    // Cleared on a refused run too.
    restrict();
    EXPECT_EQ(engine_->TbDefineLayoutA(job_, nullptr, QStringLiteral("Title"), tb::TB_OBJECT_LIST,
                                       path("Fehlt.lst")),
              tb::TB_ERR_BAD_PROJECT);
    design(file, [&](DesignerWindow &w) {
        EXPECT_EQ(w.extras(), nullptr);
        EXPECT_TRUE(w.action(tb::action::FileSave)->isEnabled());
        w.requestClose();
    });
}

TEST_F(DesignerData, AProjectWithAFaultyExpressionIsNotSaved)
{
    const QString file = saveProject(listProject(), path("Liste.lst"));
    const QByteArray before = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    design(file, [&](DesignerWindow &w) {
        tb::DesignerDocument &doc = w.document();
        // Typed into the panel: refused and not taken.
        w.canvas()->select({1});
        w.properties()->conditionEdit()->setText(QStringLiteral("Page( >"));
        emit w.properties()->conditionEdit()->editingFinished();
        EXPECT_TRUE(doc.object(1).condition.isEmpty());
        // Slipped in some other way: saving refuses, naming the expression.
        tb::Project project = doc.project();
        project.filter = QStringLiteral("Nr <>");
        doc.replaceProject(project, QStringLiteral("x"));
        EXPECT_FALSE(w.save());
        ASSERT_EQ(ui_->record.designerErrors.size(), 1);
        EXPECT_TRUE(ui_->record.designerErrors.front().contains(QStringLiteral("Nr <>")));
        w.requestClose();
    });
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

} // namespace

namespace {

TEST(DesignerRuler, MarksInTheUnitOfOptionFour)
{
    const struct {
        int unit;
        double from, to;
        size_t marks;
        QStringList labels;
    } cases[] = {
        {0, 0, 25, 26, {"0", "1", "2"}},            // millimetres, labelled in cm
        {1, 0, 60, 19, {"0", "1", "2"}},            // inches in eighths
        {2, 0, 60, 24, {"0", "100", "200"}},        // hundredths of an inch
        {5, 9.5, 30, 21, {"1000", "2000", "3000"}}, // hundredths of a millimetre
        {7, 0, 10, 11, {"0", "1"}},                 // unknown: millimetres
        {0, 10, 5, 0, {}},                          // nothing to show
    };
    for (const auto &c : cases) {
        const auto ticks = tb::designer::rulerTicks(c.unit, c.from, c.to);
        EXPECT_EQ(ticks.size(), c.marks) << c.unit;
        QStringList labels;
        for (const auto &t : ticks)
            if (t.major)
                labels << t.label;
        EXPECT_EQ(labels, c.labels) << c.unit;
    }
}

TEST_F(DesignerData, DictionaryNullSamplesAndNamesIntoTheFocusedExpression)
{
    const QString file = saveProject(listProject(), path("Export.lst"));
    engine_->TbSetOption(job_, tb::opt::ShowDictionary, 1);
    engine_->TbSetOptionStringA(job_, tb::TB_OPTSTR_DICTIONARY, QStringLiteral("Kennzeichen=KfzNr"));
    engine_->TbDefineFieldStart(job_);
    engine_->TbDefineFieldExtA(job_, QStringLiteral("KfzNr"), QStringLiteral("(NULL)"), tb::TB_FIELD_TEXT, 0);
    engine_->TbDefineFieldExtA(job_, QStringLiteral("Km"), QStringLiteral("120500"), tb::TB_FIELD_NUMBER, 0);
    engine_->TbSetOption(job_, tb::opt::UnitSystem, 1);
    design(file, [&](DesignerWindow &w) {
        tb::NameBrowser *names = w.names();
        ASSERT_EQ(names->columnCount(), 3);
        QTreeWidgetItem *kfz = names->fields()->child(0);
        EXPECT_EQ(kfz->text(0), QStringLiteral("KfzNr"));
        EXPECT_EQ(kfz->text(1), QString()); // a null sample shows empty
        EXPECT_EQ(kfz->text(2), QStringLiteral("Kennzeichen"));
        EXPECT_EQ(names->fields()->child(1)->text(1), QStringLiteral("120500"));
        // A double click puts the name into the expression field that had the focus.
        w.show();
        QApplication::setActiveWindow(&w);
        w.canvas()->select({1});
        QLineEdit *condition = w.properties()->conditionEdit();
        condition->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), condition);
        emit names->itemDoubleClicked(names->fields()->child(1), 0);
        EXPECT_EQ(condition->text(), QStringLiteral("Km"));
        const QString shots = qEnvironmentVariable("KARVENFP_DESIGNER_SHOTS");
        if (!shots.isEmpty())
            w.grab().save(shots + QStringLiteral("/designer-inch.png"));
        w.requestClose();
    });
}

} // namespace
