// Every shipped project rendered with realistic German data, read back as its readers see it: no
// number, date or word split across lines or cut by its cell, every fixed text whole.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>

#include "StandardProjekte.h"
#include "engine_fixture.h"
#include "projekt_lauf.h"
#include "reportengine/Expression.h"
#include "reportengine/Layouter.h"
#include "reportengine/PagePainter.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/TextMeasurer.h"
#include "temp_dir.h"

using namespace enginetest;

namespace {

// A realistic value for a name the projects use, by what the name says it holds; `row` varies it.
QString fixtureValue(const QString &name, int row)
{
    const QString n = name.toLower();
    auto pick = [row](std::initializer_list<const char *> values) {
        return QString::fromUtf8(*(values.begin() + row % int(values.size())));
    };
    if (n.startsWith(u"bezeichnung") || (n.startsWith(u"name") && n.contains(u"termin")))
        return pick({"Inspektion", "Vignette 1", "Ölwechsel"});
    if (n.contains(u"uhrzeit"))
        return pick({"08:30", "17:45", "23:59"});
    if (n.contains(u"monattext") || n == u"auswmonattext")
        return pick({"September", "Dezember", "Februar"});
    if (n.contains(u"datum") || (n.contains(u"termin") && !n.endsWith(u"kz") && !n.contains(u"info") &&
                                 !n.contains(u"name") && !n.contains(u"wert")))
        return pick({"02.01.2024", "31.12.2025", "15.06.2024"});
    if (n.contains(u"pro100km"))
        return pick({"12,5", "38,4", "7,9"});
    if (n.contains(u"prokm"))
        return pick({"0,35", "1,27", "0,08"});
    if (n == u"plz")
        return pick({"20457", "80331", "01067"});
    if (n.contains(u"telefon") || n == u"fax" || n.contains(u"mobil"))
        return pick({"040 1234567", "089 987654", "0171 2345678"});
    if (n.contains(u"km") || n.contains(u"kilometer"))
        return pick({"1234567", "9999999", "48250"});
    if (n.contains(u"liter") || n.contains(u"menge"))
        return pick({"1234,5", "99999,9", "48,3"});
    for (const char *money : {"kosten", "betrag", "ertrag", "preis", "wert", "netto", "brutto", "steuer",
                              "zinsen", "afa", "mwst", "reserve3", "reserve4", "wae", "num"})
        if (n.contains(QLatin1String(money)))
            return pick({"4077,34", "999999,99", "12,5"});
    if (n.contains(u"jahr"))
        return pick({"2024", "2025", "1999"});
    if (n.contains(u"monat"))
        return pick({"9", "12", "2"});
    if (n.contains(u"anzahl") || n.contains(u"paletten") || n.contains(u"hubraum"))
        return pick({"1234", "12", "3"});
    if (n == u"reserve7" || n == u"reserve8" || n.contains(u"gebucht"))
        return pick({"Wahr", "Falsch", "Wahr"});
    if (n.contains(u"kfznr") || n.contains(u"kennzeichen"))
        return pick({"HH-AB 1234", "M-ÜX 987", "B-Q 12"});
    if (n.contains(u"bemerk") || n.contains(u"info") || n.contains(u"memo"))
        return pick({"Überführung nach München, Rückfahrt über Würzburg.", "Tab\tund Zeilen-\numbruch.",
                     "Ölwechsel"});
    if (n.contains(u"name"))
        return pick({"Müller-Lüdenscheidt", "Jörg Weiß", "Spedition Sägewerk GmbH & Co. KG"});
    return pick({"Größe", "Außendienst Süd", "Nord"});
}

// The words of a text as a reader searches for them (a line may break after a hyphen in a word).
QStringList wordsOf(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s]+|(?<=\\p{L}-)(?=\\p{L})"));
    QStringList words = text.split(separators, Qt::SkipEmptyParts);
    return words;
}

class ShippedProjectsAsRead : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(reporting::StandardProjekteKopieren(dir()).isEmpty()); }
    QString dir() const { return QString::fromStdString(dir_.path().string()); }

    // Runs the project with `rows` rows of fixture data into the preview file and answers its pages;
    // with `pdf`, exports it to that PDF file instead.
    bool render(const QString &name, tb::PageModel &model, int rows = 3, const QString &pdf = QString())
    {
        const auto werte = [](const QString &n, int row) {
            return n == QLatin1String("AktMandantName1") ? QStringLiteral("Spedition Müller")
                                                         : fixtureValue(n, row);
        };
        return projektlauf::drucken(QDir(dir()).filePath(name), werte, dir(), model, rows, pdf);
    }

    testsupport::TempDir dir_;
};

// Projects laid out for the data exports: twenty and more columns headed by field names, which no A4
// page holds whole; their readers are the exports (checked there), not paper.
bool exportOnly(const QString &name)
{
    return name.startsWith(QLatin1String("Export")) && !name.startsWith(QLatin1String("ExportHisto")) &&
           !name.startsWith(QLatin1String("ExportSchadensm"));
}

TEST_F(ShippedProjectsAsRead, EveryValueAppearsWholeInThePdfTextLayer)
{
    const QByteArray keep = qgetenv("KARVEN_RENDER_DIR"); // to look at the pages
    for (const QString &name : reporting::StandardProjektNamen()) {
        SCOPED_TRACE(name.toStdString());
        if (exportOnly(name))
            continue;
        tb::PageModel model;
        ASSERT_TRUE(render(name, model));
        ASSERT_FALSE(model.pages.empty());
        const QString pdf = QDir(dir()).filePath(name + QStringLiteral(".pdf"));
        ASSERT_TRUE(tb::PagePainter::writePdf(model, pdf, 1, 32767));
        if (!keep.isEmpty())
            QFile::copy(pdf, QDir(QString::fromLocal8Bit(keep)).filePath(name + QStringLiteral(".pdf")));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        info.waitForFinished(10000);
        const QString title = QString::fromUtf8(info.readAllStandardOutput())
                                  .section(u'\n', 0, 0)
                                  .section(u':', 1)
                                  .trimmed(); // the document title, as a viewer's tab shows it
        EXPECT_EQ(title, tb::PagePainter::documentTitle(model));
        EXPECT_FALSE(title.contains(u'/'));
        const QString text = pdfPages(pdf).join(u'\n');
        ASSERT_FALSE(text.isEmpty());
        for (const auto &line : model.table)
            for (const auto &cell : line.cells)
                for (const QString &word : wordsOf(cell.text))
                    EXPECT_TRUE(text.contains(word))
                        << "\"" << word.toStdString() << "\" of \"" << cell.text.toStdString() << "\"";
    }
}

// The text layers of PDF files (pdftotext), several read at once.
std::vector<QString> textLayers(const QStringList &files)
{
    std::vector<QString> texts(size_t(files.size()));
    constexpr int kAtOnce = 8;
    for (int from = 0; from < files.size(); from += kAtOnce) {
        std::vector<std::unique_ptr<QProcess>> readers;
        for (int i = from; i < std::min<int>(from + kAtOnce, int(files.size())); ++i) {
            readers.push_back(std::make_unique<QProcess>());
            readers.back()->start(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-layout"), files[i], QStringLiteral("-")});
        }
        for (size_t k = 0; k < readers.size(); ++k) {
            readers[k]->waitForFinished(30000);
            texts[size_t(from) + k] = QString::fromUtf8(readers[k]->readAllStandardOutput());
        }
    }
    return texts;
}

// An exported PDF is painted page by page while the run goes on; it reads as the pages of the same run
// laid out whole first and painted at the end, page for page.
TEST_F(ShippedProjectsAsRead, PdfPaintedAsTheRunGoesReadsAsThePagesKeptWhole)
{
    constexpr int kRows = 40; // several pages for most lists
    QStringList files;
    std::vector<int> pages;
    for (const QString &name : reporting::StandardProjektNamen()) {
        SCOPED_TRACE(name.toStdString());
        tb::PageModel model;
        ASSERT_TRUE(render(name, model, kRows));
        const QString kept = QDir(dir()).filePath(name + QStringLiteral(".kept.pdf"));
        ASSERT_TRUE(tb::PagePainter::writePdf(model, kept, 1, 32767));
        const QString painted = QDir(dir()).filePath(name + QStringLiteral(".painted.pdf"));
        tb::PageModel unused;
        ASSERT_TRUE(render(name, unused, kRows, painted));
        EXPECT_TRUE(unused.pages.empty());
        EXPECT_EQ(pdfPageCount(painted), int(model.pages.size()));
        files << kept << painted;
        pages.push_back(int(model.pages.size()));
    }
    const std::vector<QString> texts = textLayers(files);
    for (int i = 0; i < files.size(); i += 2) {
        SCOPED_TRACE(QFileInfo(files[i]).fileName().toStdString());
        EXPECT_FALSE(texts[size_t(i)].trimmed().isEmpty());
        EXPECT_EQ(texts[size_t(i) + 1], texts[size_t(i)]);
        EXPECT_EQ(texts[size_t(i)].count(u'\f'), pages[size_t(i) / 2]);
    }
    EXPECT_GT(std::count_if(pages.begin(), pages.end(), [](int n) { return n > 1; }), 3);
}

TEST_F(ShippedProjectsAsRead, NoFixedTextIsClippedAtItsOwnSize)
{
    const auto &measurer = tb::TextMeasurer::instance();
    for (const QString &name : reporting::StandardProjektNamen()) {
        tb::Project project;
        QString error;
        ASSERT_TRUE(tb::JsonProjectStore().load(QDir(dir()).filePath(name), project, &error));
        const tb::FontSpec projectFont = project.font.over(tb::defaultProjectFont());
        for (const auto &object : project.objects) {
            if (object.type != tb::PageObject::Type::Text)
                continue;
            const double padding = object.frame.isValid() ? 3 : 0;
            const double width = tb::mmToPt(object.rectMm.width()) - padding;
            for (const auto &paragraph : object.paragraphs) {
                const auto expression = tb::Expression::parse(paragraph.expr);
                if (!expression || !expression->names().isEmpty())
                    continue; // only texts that do not depend on data
                const QString fixed = expression->evaluate(tb::EvalContext{}).toText();
                const tb::FontSpec f = paragraph.font.over(object.font).over(projectFont);
                const tb::RunFont font{f.family.value_or(QStringLiteral("Liberation Sans")),
                                       f.sizePt.value_or(9), f.bold.value_or(false), f.italic.value_or(false),
                                       false};
                EXPECT_LE(measurer.width(fixed, font), width + 0.01)
                    << name.toStdString() << " " << object.name.toStdString() << ": \"" << fixed.toStdString()
                    << "\"";
            }
        }
        if (const tb::PageObject *table = project.table(); table && !exportOnly(name)) {
            for (const auto *lines : {&table->table.header, &table->table.footer}) {
                for (const auto &line : *lines) {
                    for (const auto &cell : line.cells) {
                        const auto expression = tb::Expression::parse(cell.expr);
                        if (!expression || !expression->names().isEmpty() || cell.widthMm <= 0)
                            continue;
                        const QString fixed = expression->evaluate(tb::EvalContext{}).toText();
                        const tb::FontSpec f = cell.font.over(line.font).over(table->font).over(projectFont);
                        const tb::RunFont font{f.family.value_or(QStringLiteral("Liberation Sans")),
                                               f.sizePt.value_or(9), f.bold.value_or(false),
                                               f.italic.value_or(false), false};
                        // Headings may wrap between words; every word must fit its cell.
                        for (const QString &word : wordsOf(fixed))
                            EXPECT_LE(measurer.width(word, font), tb::mmToPt(cell.widthMm) - 5 + 0.01)
                                << name.toStdString() << ": \"" << word.toStdString() << "\"";
                    }
                }
            }
        }
    }
}

} // namespace

namespace {

// The spreadsheet exports of the history, damages and tours hand over typed values: a reader finds
// date cells and number cells it can sum and sort, not texts.
TEST_F(ShippedProjectsAsRead, SpreadsheetExportsGiveTypedDateAndNumberCells)
{
    if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the workbook cannot be read back";
    struct Case {
        const char *project;
        // field: "date", "number", or "amount" (a number shown with two decimals and thousands separators)
        std::vector<std::pair<const char *, const char *>> typed;
    } cases[] = {
        {"ExportHisto.lst", {{"Datum", "date"}, {"Reserve4", "number"}, {"Kosten", "amount"}}},
        {"ExportSchadensm.lst", {{"Datum", "date"}, {"KmStand", "number"}, {"Kosten", "amount"}}},
        {"ExportTourenGr.lst", {{"Datum", "date"}, {"AbfahrtKm", "number"}, {"Ertrag", "amount"}}},
        {"ExportMon_UebGr.lst", {{"GesamtKosten", "amount"}, {"Ertrag", "amount"}}},
        {"ExportVarkostGr.lst", {{"ReparaturKosten", "amount"}, {"Sonstige4Kosten", "amount"}}},
        {"ExportStammLisGr.lst", {{"Anschaffungswert", "amount"}, {"HaftpflNettoBetrag", "amount"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.project);
        const QString project = QDir(dir()).filePath(QString::fromLatin1(c.project));
        const QString file = QDir(dir()).filePath(QStringLiteral("out.xls"));
        QFile::remove(file);
        tb::Engine engine(std::make_unique<tb::ScriptedEngineUi>());
        const int job = engine.TbJobOpen(-1);
        engine.TbSetOption(job, tb::opt::TranslateNames, 1);
        ASSERT_EQ(engine.TbPrintWithBoxStartA(job, tb::TB_OBJECT_LIST, project, tb::TB_PRINT_EXPORT,
                                              tb::TB_BOX_EXPORT, nullptr, QStringLiteral("Exportiere...")),
                  0);
        engine.TbPrintSetOptionStringA(job, tb::TB_PRNOPTSTR_EXPORT_TARGET, QStringLiteral("XLS"));
        engine.TbXSetParameterA(job, 1, QStringLiteral("XLS"), QStringLiteral("Export.Path"), dir());
        engine.TbXSetParameterA(job, 1, QStringLiteral("XLS"), QStringLiteral("Export.File"),
                                QStringLiteral("out.xls"));
        engine.TbXSetParameterA(job, 1, QStringLiteral("XLS"), QStringLiteral("Export.Quiet"),
                                QStringLiteral("1"));
        engine.TbPrint(job);
        for (const auto &[field, type] : c.typed) {
            const bool date = QLatin1String(type) == QLatin1String("date");
            engine.TbDefineFieldExtA(job, QString::fromLatin1(field),
                                     date ? QStringLiteral("45293") : QStringLiteral("4077,34"),
                                     date ? tb::TB_FIELD_DATE : tb::TB_FIELD_NUMBER, 0);
        }
        ASSERT_EQ(engine.TbPrintFields(job), 0);
        while (engine.TbPrintFieldsEnd(job) == tb::TB_WRN_REPEAT_DATA) {
        }
        ASSERT_EQ(engine.TbPrintEnd(job, 0), 0);
        QProcess reader;
        reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(KARVEN_READ_XLS), file});
        ASSERT_TRUE(reader.waitForFinished(20000));
        ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
        const QJsonObject sheet = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
        QMap<int, QString> headers, types, formats;
        for (const QJsonValue &v : sheet.value(QStringLiteral("cells")).toArray()) {
            const QJsonArray cell = v.toArray();
            if (cell[0].toInt() == 0) {
                headers[cell[1].toInt()] = cell[3].toString();
            } else if (cell[0].toInt() == 1) {
                types[cell[1].toInt()] = cell[2].toString();
                formats[cell[1].toInt()] = cell[5].toString();
            }
        }
        int found = 0;
        for (auto it = headers.cbegin(); it != headers.cend(); ++it) {
            for (const auto &[field, type] : c.typed) {
                if (it.value() == QLatin1String(field)) { // the export projects head columns by field
                    const bool amount = QLatin1String(type) == QLatin1String("amount");
                    EXPECT_EQ(types.value(it.key()), amount ? QStringLiteral("number") : QLatin1String(type))
                        << field;
                    if (amount) {
                        EXPECT_EQ(formats.value(it.key()), QStringLiteral("#,##0.00")) << field;
                    }
                    ++found;
                }
            }
        }
        EXPECT_EQ(found, int(c.typed.size()));
    }
}

} // namespace
