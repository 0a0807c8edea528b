// The layout designer through the engine, offscreen: opening, new projects, refusals, edits on the
// canvas and in the panels, undo, saving, closing, and printing what was saved.
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "engine_fixture.h"
#include "reportengine/Job.h"
#include "reportengine/Layouter.h"
#include "reportengine/QtEngineUi.h"
#include "reportengine/designer/CanvasItem.h"
#include "reportengine/designer/ColumnEditor.h"
#include "reportengine/designer/DesignRules.h"
#include "reportengine/designer/DesignerCanvas.h"
#include "reportengine/designer/DesignerDocument.h"
#include "reportengine/designer/DesignerWindow.h"
#include "reportengine/designer/ParagraphEditor.h"
#include "reportengine/designer/PropertyPanel.h"
#include "temp_dir.h"
#include "ui/testing/FakeServices.h"

using namespace enginetest;
using tb::DesignerWindow;

namespace {

struct Heard {
    unsigned message;
    QString text;
};
std::vector<Heard> heard;

intptr_t listen(unsigned message, intptr_t parameter, intptr_t)
{
    QString text;
    if (message == tb::msg::SaveFileName && parameter)
        text = *reinterpret_cast<const QString *>(parameter);
    heard.push_back({message, text});
    return 0;
}

QByteArray readAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString shipped(const char *name)
{
    return qEnvironmentVariable("KARVENFP_TEST_SOURCE_DIR") + QStringLiteral("/fleet/resources/reports/") +
           QString::fromUtf8(name);
}

// Left and right edge in points of the first such word on page 1 of a PDF, or -1.
std::pair<double, double> wordEdges(const QString &pdf, const char *word)
{
    for (const PdfWord &w : pdfWords(pdf))
        if (w.text == QString::fromUtf8(word))
            return {w.xMin, w.xMax};
    return {-1, -1};
}

double wordLeft(const QString &pdf, const char *word)
{
    return wordEdges(pdf, word).first;
}

double wordCentre(const QString &pdf, const char *word)
{
    const auto [left, right] = wordEdges(pdf, word);
    return (left + right) / 2;
}

// With KARVENFP_DESIGNER_SHOTS set, a picture of the window goes there (to look at, not to compare).
void shoot(QWidget &window, const char *name)
{
    const QString dir = qEnvironmentVariable("KARVENFP_DESIGNER_SHOTS");
    if (!dir.isEmpty())
        window.grab().save(dir + QLatin1Char('/') + QString::fromUtf8(name));
}

// A store that refuses to write: a full disk, a lost share.
class FailingStore : public tb::JsonProjectStore {
public:
    bool save(const QString &, const tb::Project &, QString *error) const override
    {
        *error = QStringLiteral("Auf dem Datenträger ist kein Platz mehr.");
        return false;
    }
};

class Designer : public ::testing::Test {
protected:
    void SetUp() override { open(nullptr); }

    void open(std::unique_ptr<tb::ProjectStore> store)
    {
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        engine_ = std::make_unique<tb::Engine>(std::move(ui), std::move(store));
        engine_->setNow(45292);
        job_ = engine_->TbJobOpen(-1);
        engine_->TbSetOption(job_, tb::opt::CallbackMask, tb::TB_MASK_PROJECT);
        engine_->TbSetNotificationCallback(job_, &listen);
        heard.clear();
    }

    QString path(const char *name) const { return QString::fromStdString((dir_ / name).string()); }

    // Shipped "Touren.lst" with a key this version does not know, copied into the temporary directory.
    QString touren()
    {
        QJsonObject json = QJsonDocument::fromJson(readAll(shipped("Touren.lst"))).object();
        json.insert(QStringLiteral("x_fremd"), QStringLiteral("bleibt"));
        const QString file = path("Touren.lst");
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QJsonDocument(json).toJson());
        return file;
    }

    int design(const QString &file, int type, const std::function<void(DesignerWindow &)> &script)
    {
        ui_->script.onDesigner = script;
        return engine_->TbDefineLayoutA(job_, nullptr, QStringLiteral("Title"), type, file);
    }

    static void drag(tb::DesignerCanvas *canvas, QPointF fromMm, QPointF toMm)
    {
        const auto at = [&](QPointF mm) { return canvas->mapFromScene(mm * tb::kPointsPerMm); };
        QWidget *viewport = canvas->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, at(fromMm));
        QTest::mouseMove(viewport, at((fromMm + toMm) / 2));
        QTest::mouseMove(viewport, at(toMm));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(toMm));
    }

    testsupport::TempDir dir_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::Engine> engine_;
    int job_ = -1;
};

TEST_F(Designer, MissingFileWithTheNewBitStartsANewProjectWrittenOnSave)
{
    const struct {
        const char *file;
        int type;
        tb::ProjectKind kind;
        size_t objects;
    } cases[] = {{"Neu.lst", 32770, tb::ProjectKind::List, 1}, {"Neu.crd", 32771, tb::ProjectKind::Card, 0}};
    for (const auto &c : cases) {
        heard.clear();
        const QString file = path(c.file);
        QString caption;
        bool saved = false;
        EXPECT_EQ(design(file, c.type,
                         [&](DesignerWindow &w) {
                             caption = w.windowTitle();
                             saved = w.save();
                             w.requestClose();
                         }),
                  0);
        EXPECT_TRUE(saved);
        EXPECT_TRUE(caption.startsWith(QStringLiteral("Title – ") + QString::fromUtf8(c.file)))
            << caption.toStdString();
        tb::Project project;
        QString error;
        ASSERT_TRUE(tb::JsonProjectStore().load(file, project, &error)) << error.toStdString();
        EXPECT_EQ(project.kind, c.kind);
        EXPECT_EQ(project.objects.size(), c.objects);
        if (c.kind == tb::ProjectKind::List) {
            ASSERT_NE(project.table(), nullptr);
            EXPECT_EQ(tb::designer::columnCount(project.table()->table), 0);
        }
        ASSERT_GE(heard.size(), 2u);
        EXPECT_EQ(heard.front().message, tb::msg::ProjectLoaded);
        EXPECT_EQ(heard.back().message, tb::msg::SaveFileName);
        EXPECT_EQ(heard.back().text, file);
        EXPECT_TRUE(ui_->record.designerQuestions.isEmpty());
    }
}

TEST_F(Designer, RefusesWhatItCannotOpenAndLeavesTheFileAlone)
{
    QFile broken(path("Kaputt.lst"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{\"format\": \"karven-report-project\", \"objects\": [");
    broken.close();
    QFile::copy(shipped("FaStamm.crd"), path("Karte.crd"));
    const struct {
        QString file;
        int type;
        const char *message;
    } cases[] = {{path("Neu.lst"), tb::TB_OBJECT_LIST, "nicht gefunden"},
                 {path("Kaputt.lst"), 32770, "Fehlerhaftes Projekt"},
                 {path("Karte.crd"), 32770, "Projektart passt nicht"}};
    for (const auto &c : cases) {
        const QByteArray before = readAll(c.file);
        ui_->record.messages.clear();
        EXPECT_EQ(design(c.file, c.type, [](DesignerWindow &) { ADD_FAILURE() << "designer opened"; }),
                  tb::TB_ERR_BAD_PROJECT);
        ASSERT_EQ(ui_->record.messages.size(), 1);
        EXPECT_TRUE(ui_->record.messages.front().contains(QString::fromUtf8(c.message)))
            << ui_->record.messages.front().toStdString();
        EXPECT_EQ(readAll(c.file), before);
    }
    EXPECT_FALSE(QFile::exists(path("Neu.lst")));
    EXPECT_TRUE(ui_->record.designerCaptions.isEmpty());
}

TEST_F(Designer, NotWhileAPrintRunIsOpen)
{
    const QString file = saveProject(listProject(), path("Liste.lst"));
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, tb::TB_OBJECT_LIST, file, tb::TB_PRINT_PREVIEW, 1, nullptr,
                                            QStringLiteral("Drucke")),
              0);
    EXPECT_EQ(design(file, 32770, [](DesignerWindow &) { ADD_FAILURE() << "designer opened"; }),
              tb::TB_ERR_BUSY);
    engine_->TbPrintEnd(job_, 0);
    EXPECT_TRUE(ui_->record.designerCaptions.isEmpty());
}

TEST_F(Designer, ToursEditedOnTheCanvasSavedReopenedAndPrinted)
{
    const QString file = touren();
    tb::Project expected;
    QString error;
    ASSERT_TRUE(tb::JsonProjectStore().load(file, expected, &error));
    const QString original = path("Original.lst");
    ASSERT_TRUE(QFile::copy(file, original));

    EXPECT_EQ(design(file, 32770,
                     [&](DesignerWindow &w) {
                         w.show();
                         tb::DesignerCanvas *canvas = w.canvas();
                         shoot(w, "designer-touren.png");
                         canvas->setZoom(2.0);
                         tb::DesignerDocument &doc = w.document();
                         const int titel = doc.indexOf(QStringLiteral("Titel"));
                         ASSERT_GE(titel, 0);
                         canvas->centerOn(QPointF(148, 13) * tb::kPointsPerMm);
                         // A drag of 10.3 mm lands on whole millimetres: 10 mm.
                         drag(canvas, QPointF(140, 13), QPointF(150.3, 13.2));
                         EXPECT_EQ(canvas->selectedIndexes(), (QList<int>{titel}));
                         EXPECT_EQ(doc.object(titel).rectMm.topLeft(), QPointF(112, 9));
                         doc.undoStack().undo();
                         EXPECT_EQ(doc.object(titel).rectMm.topLeft(), QPointF(102, 9));
                         doc.undoStack().redo();
                         EXPECT_EQ(doc.object(titel).rectMm.topLeft(), QPointF(112, 9));

                         // The font size in the property panel.
                         ASSERT_EQ(w.properties()->objectIndex(), titel);
                         w.properties()->fontSizeEdit()->setValue(16);
                         EXPECT_EQ(doc.object(titel).font.sizePt, 16.0);

                         // A rectangle from the palette, nudged by the arrow keys, deleted with the Delete
                         // key.
                         const int rect = w.insertObject(tb::PageObject::Type::Rect);
                         ASSERT_GE(rect, 0);
                         const QPointF at = doc.object(rect).rectMm.topLeft();
                         QTest::keyClick(canvas, Qt::Key_Right);
                         QTest::keyClick(canvas, Qt::Key_Down);
                         EXPECT_EQ(doc.object(rect).rectMm.topLeft(), at + QPointF(1, 1));
                         QTest::keyClick(canvas, Qt::Key_Delete);
                         EXPECT_EQ(doc.objectCount(), int(expected.objects.size()));

                         // A second table is refused.
                         EXPECT_EQ(w.insertObject(tb::PageObject::Type::Table), -1);
                         EXPECT_EQ(ui_->record.designerErrors.size(), 1);

                         // The third column 5 mm wider in the column editor.
                         const int table = doc.indexOf(QStringLiteral("Tabelle"));
                         tb::ColumnEditor editor(doc.object(table).table, &w);
                         editor.grid()->item(2, tb::ColumnEditor::Width)->setText(QStringLiteral("24,7"));
                         w.applyColumns(table, editor.table());
                         EXPECT_TRUE(w.save());
                         EXPECT_TRUE(w.requestClose());
                     }),
              0);
    EXPECT_TRUE(ui_->record.designerQuestions.isEmpty());
    EXPECT_TRUE(ui_->record.designerErrors.size() == 1);

    for (auto &o : expected.objects) {
        if (o.name == QLatin1String("Titel")) {
            o.rectMm.moveLeft(112);
            o.font.sizePt = 16;
            for (auto &p : o.paragraphs)
                p.font.sizePt.reset();
        }
        if (o.type == tb::PageObject::Type::Table)
            tb::designer::setColumnWidth(o.table, 2, 24.7);
    }
    tb::Project reopened;
    ASSERT_TRUE(tb::JsonProjectStore().load(file, reopened, &error)) << error.toStdString();
    EXPECT_EQ(tb::JsonProjectStore::toJson(reopened), tb::JsonProjectStore::toJson(expected));
    EXPECT_EQ(QJsonDocument::fromJson(readAll(file)).object().value(QStringLiteral("x_fremd")).toString(),
              QStringLiteral("bleibt"));

    // Printed from both files: the (centred, now larger) title 10 mm and every column after the third 5 mm
    // further right.
    const auto print = [&](const QString &project) {
        const QString pdf = project + QStringLiteral(".pdf");
        ui_->script.printer = tb::pdfPseudoPrinterName();
        ui_->script.pdfFile = pdf;
        const auto r = runListLoop(*engine_, job_, project, tb::TB_PRINT_PRINTER, 2, [&](int row) {
            engine_->TbDefineFieldA(job_, QStringLiteral("Tour"), QStringLiteral("T%1").arg(row));
            engine_->TbDefineFieldA(job_, QStringLiteral("FahrerName"), QStringLiteral("Müller"));
        });
        EXPECT_EQ(r.start, 0);
        EXPECT_TRUE(pdfPages(pdf).value(0).contains(QStringLiteral("Müller")));
        return pdf;
    };
    const QString before = print(original);
    const QString after = print(file);
    ASSERT_GT(wordLeft(before, "Touren"), 0);
    EXPECT_NEAR(wordCentre(after, "Touren") - wordCentre(before, "Touren"), tb::mmToPt(10), 0.5);
    EXPECT_GT(wordEdges(after, "Touren").second - wordEdges(after, "Touren").first,
              wordEdges(before, "Touren").second - wordEdges(before, "Touren").first);
    // (The layouter may fit a table whose columns outgrow it to its width: about 5 mm.)
    EXPECT_NEAR(wordLeft(after, "Fahrer") - wordLeft(before, "Fahrer"), tb::mmToPt(5), tb::mmToPt(0.5));
    EXPECT_NEAR(wordLeft(after, "Müller") - wordLeft(before, "Müller"), tb::mmToPt(5), tb::mmToPt(0.5));
    EXPECT_NEAR(wordLeft(after, "Datum"), wordLeft(before, "Datum"), 0.01);
}

TEST_F(Designer, ClosingWithChangesAsksAndDoesWhatWasAnswered)
{
    const QString file = saveProject(listProject(), path("Liste.lst"));
    const QByteArray before = readAll(file);
    const auto change = [](DesignerWindow &w) { w.insertObject(tb::PageObject::Type::Text); };
    // Ja: saved.
    ui_->script.saveAnswers = {0};
    design(file, 32770, [&](DesignerWindow &w) {
        change(w);
        EXPECT_TRUE(w.requestClose());
    });
    ASSERT_EQ(ui_->record.designerQuestions.size(), 1);
    EXPECT_EQ(ui_->record.designerQuestions.front(), QStringLiteral("Änderungen an Liste.lst speichern?"));
    EXPECT_NE(readAll(file), before);
    // Nein: discarded.
    const QByteArray saved = readAll(file);
    ui_->script.saveAnswers = {1};
    design(file, 32770, [&](DesignerWindow &w) {
        change(w);
        EXPECT_TRUE(w.requestClose());
    });
    EXPECT_EQ(readAll(file), saved);
    // Abbrechen: the designer stays open with its changes.
    ui_->script.saveAnswers = {2};
    design(file, 32770, [&](DesignerWindow &w) {
        change(w);
        EXPECT_FALSE(w.requestClose());
        EXPECT_FALSE(w.isFinished());
        EXPECT_TRUE(w.document().isModified());
        ui_->script.saveAnswers = {1};
        EXPECT_TRUE(w.requestClose());
    });
    EXPECT_EQ(readAll(file), saved);
    EXPECT_FALSE(ui_->record.designerLeftOpen);
}

TEST_F(Designer, AFailedSaveNamesTheFileKeepsTheChangesAndTheOldFile)
{
    open(std::make_unique<FailingStore>());
    const QString file = saveProject(listProject(), path("Liste.lst"));
    const QByteArray before = readAll(file);
    ui_->script.saveAnswers = {0, 2, 1};
    design(file, 32770, [&](DesignerWindow &w) {
        w.insertObject(tb::PageObject::Type::Rect);
        EXPECT_FALSE(w.save());
        ASSERT_EQ(ui_->record.designerErrors.size(), 1);
        EXPECT_TRUE(ui_->record.designerErrors.front().contains(file));
        EXPECT_TRUE(ui_->record.designerErrors.front().contains(QStringLiteral("kein Platz")));
        EXPECT_TRUE(w.document().isModified());
        // "Ja" on closing fails the same way: still open, still changed.
        EXPECT_FALSE(w.requestClose());
        EXPECT_FALSE(w.isFinished());
        EXPECT_EQ(w.document().objectCount(), int(listProject().objects.size()) + 1);
        EXPECT_FALSE(w.requestClose()); // Abbrechen
        EXPECT_TRUE(w.requestClose());  // Nein
    });
    EXPECT_EQ(readAll(file), before);
    for (const auto &h : heard)
        EXPECT_NE(h.message, tb::msg::SaveFileName);
}

TEST_F(Designer, CutCopyPasteGoThroughTheClipboard)
{
    ui::testing::FakeClipboard clipboard;
    const QString file = saveProject(cardProject(), path("Karte.crd"));
    design(file, 32771, [&](DesignerWindow &w) {
        tb::DesignerDocument &doc = w.document();
        const int count = doc.objectCount();
        w.canvas()->select({0});
        w.copySelection();
        EXPECT_TRUE(clipboard.text().contains(QStringLiteral("karven-report-project")));
        w.paste();
        EXPECT_EQ(doc.objectCount(), count + 1);
        EXPECT_EQ(w.canvas()->selectedIndexes(), (QList<int>{count}));
        w.cutSelection();
        EXPECT_EQ(doc.objectCount(), count);
        w.paste();
        EXPECT_EQ(doc.objectCount(), count + 1);
        doc.undoStack().undo();
        doc.undoStack().undo();
        doc.undoStack().undo();
        EXPECT_EQ(doc.objectCount(), count);
        EXPECT_FALSE(doc.isModified());
        w.requestClose();
    });
}

TEST_F(Designer, ResizeHandlesAndColumnBordersSnapToMillimetres)
{
    const QString file = touren();
    design(file, 32770, [&](DesignerWindow &w) {
        w.show();
        tb::DesignerCanvas *canvas = w.canvas();
        canvas->setZoom(2.0);
        tb::DesignerDocument &doc = w.document();
        const int rahmen = w.insertObject(tb::PageObject::Type::Rect); // at 22/20, 40 x 20 mm
        const QRectF r = doc.object(rahmen).rectMm;
        canvas->centerOn(r.bottomRight() * tb::kPointsPerMm);
        drag(canvas, r.bottomRight(), r.bottomRight() + QPointF(5.4, 2.2));
        EXPECT_EQ(doc.object(rahmen).rectMm, QRectF(r.topLeft(), r.size() + QSizeF(5, 2)));

        // The border after the first column (Datum, 22.1 mm) dragged 3 mm to the right: 25 mm.
        const int table = doc.indexOf(QStringLiteral("Tabelle"));
        const QRectF t = doc.object(table).rectMm;
        canvas->select({});
        const QPointF border(t.left() + 22.1, t.top() + 20);
        canvas->centerOn(border * tb::kPointsPerMm);
        drag(canvas, border, border + QPointF(3, 0));
        EXPECT_DOUBLE_EQ(doc.object(table).table.rows[0].cells[0].widthMm, 25);
        EXPECT_DOUBLE_EQ(doc.object(table).table.header[0].cells[0].widthMm, 25);
        EXPECT_EQ(doc.object(table).rectMm, t);
        w.requestClose();
    });
}

} // namespace

namespace {

// The program's own dialogs: the designer runs modally and the call returns when its window closes.
TEST(QtDesigner, RunsModallyAndReturnsWhenClosed)
{
    testsupport::TempDir dir;
    const QString file = saveProject(listProject(), QString::fromStdString((dir / "Liste.lst").string()));
    tb::Engine engine(std::make_unique<tb::QtEngineUi>());
    const int job = engine.TbJobOpen(-1);
    QString caption;
    bool modal = false;
    QTimer::singleShot(50, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *designer = qobject_cast<DesignerWindow *>(w); designer && designer->isVisible()) {
                caption = designer->windowTitle();
                modal = designer->windowModality() == Qt::ApplicationModal;
                designer->close();
            }
    });
    EXPECT_EQ(engine.TbDefineLayoutA(job, nullptr, QStringLiteral("Title"), 32770, file), 0);
    EXPECT_EQ(caption, QStringLiteral("Title – Liste.lst"));
    EXPECT_TRUE(modal);
}

// The paragraph editor shows the font a print will use: a bold title inherits
// "Fett" and its family from the object; what the user leaves alone stays inherited.
TEST(ParagraphFonts, ShowTheEffectiveFontAndKeepWhatIsInherited)
{
    tb::Paragraph titel;
    titel.expr = QStringLiteral("\"Fuhrpark-Kosten\"");
    tb::Paragraph eigen;
    eigen.expr = QStringLiteral("\"Stand\"");
    eigen.font.family = QStringLiteral("DejaVu Sans");
    eigen.font.bold = false;
    tb::FontSpec objekt;
    objekt.bold = true;
    tb::FontSpec projekt;
    projekt.family = QStringLiteral("Liberation Sans");
    tb::ParagraphEditor editor({titel, eigen}, objekt.over(projekt));
    auto *schrift = editor.findChild<QFontComboBox *>();
    QCheckBox *fett = nullptr;
    for (auto *box : editor.findChildren<QCheckBox *>())
        if (box->text() == QStringLiteral("Fett"))
            fett = box;
    ASSERT_TRUE(schrift && fett);

    editor.setCurrent(0);
    EXPECT_EQ(schrift->currentFont().family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(fett->isChecked());
    editor.setCurrent(1);
    EXPECT_EQ(schrift->currentFont().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_FALSE(fett->isChecked());
    editor.setCurrent(0); // stores the second paragraph untouched
    editor.setCurrent(1);
    EXPECT_FALSE(editor.paragraphs()[0].font.bold.has_value());
    EXPECT_FALSE(editor.paragraphs()[0].font.family.has_value());
    EXPECT_EQ(editor.paragraphs()[1].font.bold, std::optional<bool>(false));
}

} // namespace
