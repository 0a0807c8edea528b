#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtEndian>

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "engine_fixture.h"
#include "reportengine/CompoundFile.h"
#include "reportengine/Engine.h"
#include "reportengine/ExportWriter.h"
#include "reportengine/Exporters.h"
#include "reportengine/PagePainter.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/ScriptedEngineUi.h"
#include "reportengine/XlsWorkbook.h"
#include "temp_dir.h"

namespace {

// The workbook reader is Debian's python3-xlrd, installed for the system interpreter.
constexpr const char *kDebianPython = "/usr/bin/python3";

using tb::TB_FIELD_BOOLEAN;
using tb::TB_FIELD_DATE;
using tb::TB_FIELD_NUMBER;
using tb::TB_FIELD_TEXT;

tb::CellDef cell(const QString &expr, double widthMm, tb::Align align = tb::Align::Left,
                 const QString &format = QString())
{
    tb::CellDef c;
    c.expr = expr;
    c.widthMm = widthMm;
    c.align = align;
    c.format = format;
    return c;
}

// A data export project: a title line, one table with typed columns and a sum footer.
tb::Project exportProject(double tableHeightMm)
{
    tb::Project p;
    p.kind = tb::ProjectKind::List;
    p.page.landscape = true;
    p.sums.push_back({QStringLiteral("SumBetrag"), QStringLiteral("Betrag"), false, {}});
    tb::PageObject title;
    title.type = tb::PageObject::Type::Text;
    title.rectMm = QRectF(15, 10, 200, 8);
    tb::Paragraph paragraph;
    paragraph.expr = QStringLiteral("\"Fahrzeuge & Kosten\"");
    title.paragraphs.push_back(paragraph);
    p.objects.push_back(title);

    tb::PageObject table;
    table.type = tb::PageObject::Type::Table;
    table.name = QStringLiteral("Tabelle");
    table.rectMm = QRectF(15, 25, 250, tableHeightMm);
    tb::LineDef header;
    header.cells = {cell(QStringLiteral("\"Nr\""), 15),
                    cell(QStringLiteral("\"Name\""), 50),
                    cell(QStringLiteral("\"Datum\""), 25),
                    cell(QStringLiteral("\"Aktiv\""), 15),
                    cell(QStringLiteral("\"Betrag\""), 30, tb::Align::Right),
                    cell(QStringLiteral("\"Leer\""), 20)};
    table.table.header.push_back(header);
    tb::LineDef row;
    row.cells = {cell(QStringLiteral("Nr"), 15),
                 cell(QStringLiteral("Name"), 50),
                 cell(QStringLiteral("Datum"), 25, tb::Align::Left, QStringLiteral("dd.MM.yyyy")),
                 cell(QStringLiteral("Aktiv"), 15),
                 cell(QStringLiteral("Betrag"), 30, tb::Align::Right, QStringLiteral("#,##0.00")),
                 cell(QStringLiteral("Leer"), 20)};
    table.table.rows.push_back(row);
    tb::LineDef footer;
    footer.cells = {cell(QStringLiteral("\"Summe\""), 15),
                    cell(QStringLiteral("\"\""), 50),
                    cell(QStringLiteral("\"\""), 25),
                    cell(QStringLiteral("\"\""), 15),
                    cell(QStringLiteral("SumBetrag"), 30, tb::Align::Right, QStringLiteral("#,##0.00")),
                    cell(QStringLiteral("\"\""), 20)};
    table.table.footer.push_back(footer);
    p.objects.push_back(table);
    p.exportSettings = QJsonObject{
        {QStringLiteral("TXT"), QJsonObject{{QStringLiteral("separator"), QStringLiteral(";")},
                                            {QStringLiteral("encoding"), QStringLiteral("ISO-8859-1")},
                                            {QStringLiteral("header"), true}}},
        {QStringLiteral("XLS"), QJsonObject{{QStringLiteral("pageObjects"), false}}}};
    return p;
}

struct Row {
    const char *nr, *name, *datum, *aktiv, *betrag;
};
// 45000 = 15.03.2023, 45292 = 01.01.2024.
const Row kRows[] = {
    {"1", "Müller; Sohn", "45000", "Wahr", "1234,5"},
    {"2", "Zeile\nzwei \"B\"", "45292", "Falsch", "-7,25"},
    {"3", "Ohne Datum", "(NULL)", "1", "0"},
};

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        engine_ = std::make_unique<tb::Engine>(std::move(ui));
        engine_->setNow(45300);
        job_ = engine_->TbJobOpen(-1);
    }

    QString project(double tableHeightMm = 150)
    {
        return enginetest::saveProject(exportProject(tableHeightMm), qpath("Export.lst"));
    }

    // The export form's loop: target and parameters after the start, the rows as typed fields.
    // `lastPage` other than 0 sets the run's last page (a page range); `pagesLaidOut_` tells how many
    // pages the run began.
    int exportRun(const QString &target, const QString &file, const QString &projectFile, int repeat = 1,
                  const QString &quiet = QStringLiteral("1"), const QString &showResult = QStringLiteral("0"),
                  int lastPage = 0)
    {
        tb::Engine &e = *engine_;
        const int start = e.TbPrintWithBoxStartA(job_, tb::TB_OBJECT_LIST, projectFile, tb::TB_PRINT_EXPORT,
                                                 tb::TB_BOX_EXPORT, nullptr, QStringLiteral("Exportiere..."));
        if (start != 0)
            return start;
        e.TbPrintSetOptionStringA(job_, tb::TB_PRNOPTSTR_EXPORT_TARGET, target);
        const QFileInfo info(file);
        e.TbXSetParameterA(job_, 1, target, QStringLiteral("Export.Path"), info.absolutePath());
        e.TbXSetParameterA(job_, 1, target, QStringLiteral("Export.File"), info.fileName());
        e.TbXSetParameterA(job_, 1, target, QStringLiteral("Export.Quiet"), quiet);
        e.TbXSetParameterA(job_, 1, target, QStringLiteral("Export.ShowResult"), showResult);
        if (lastPage != 0)
            e.TbPrintSetOption(job_, tb::popt::LastPage, lastPage);
        e.TbPrint(job_);
        for (int pass = 0; pass < repeat; ++pass) {
            for (const Row &row : kRows) {
                e.TbDefineFieldExtA(job_, QStringLiteral("Nr"), QString::fromUtf8(row.nr), TB_FIELD_NUMBER,
                                    0);
                e.TbDefineFieldExtA(job_, QStringLiteral("Name"), QString::fromUtf8(row.name), TB_FIELD_TEXT,
                                    0);
                e.TbDefineFieldExtA(job_, QStringLiteral("Datum"), QString::fromUtf8(row.datum),
                                    TB_FIELD_DATE, 0);
                e.TbDefineFieldExtA(job_, QStringLiteral("Aktiv"), QString::fromUtf8(row.aktiv),
                                    TB_FIELD_BOOLEAN, 0);
                e.TbDefineFieldExtA(job_, QStringLiteral("Betrag"), QString::fromUtf8(row.betrag),
                                    TB_FIELD_NUMBER, 0);
                e.TbDefineFieldExtA(job_, QStringLiteral("Leer"), QStringLiteral("(NULL)"), TB_FIELD_TEXT, 0);
                if (e.TbPrintFields(job_) == tb::TB_WRN_REPEAT_DATA) {
                    e.TbPrint(job_);
                    e.TbPrintFields(job_);
                }
            }
        }
        while (e.TbPrintFieldsEnd(job_) == tb::TB_WRN_REPEAT_DATA) {
        }
        pagesLaidOut_ = e.TbPrintGetCurrentPage(job_);
        return e.TbPrintEnd(job_, 0);
    }

    QString qpath(const char *name) const { return QString::fromStdString((dir_ / name).string()); }

    static QByteArray read(const QString &file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    testsupport::TempDir dir_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::Engine> engine_;
    int job_ = -1;
    int pagesLaidOut_ = 0;
};

TEST_F(ExportTest, TxtIsByteExactInTheProjectsSeparatorAndEncoding)
{
    const QString file = qpath("out.txt");
    ASSERT_EQ(exportRun(QStringLiteral("TXT"), file, project()), 0);
    const QByteArray expected = QByteArray("Nr;Name;Datum;Aktiv;Betrag;Leer\r\n") +
                                "1;\"M\xFCller; Sohn\";15.03.2023;Wahr;1.234,50;\r\n" +
                                "2;\"Zeile\nzwei \"\"B\"\"\";01.01.2024;Falsch;-7,25;\r\n" +
                                "3;Ohne Datum;;Wahr;0,00;\r\n" + "Summe;;;;1.227,25;\r\n";
    EXPECT_EQ(read(file), expected);
}

TEST_F(ExportTest, TxtHeaderComesOnceOverSeveralPages)
{
    const QString file = qpath("lang.txt");
    // A table of about four rows per page; 15 rows give several pages.
    ASSERT_EQ(exportRun(QStringLiteral("TXT"), file, project(30), 5), 0);
    const QString text = QString::fromLatin1(read(file));
    EXPECT_EQ(text.count(QStringLiteral("Nr;Name")), 1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Nr;Name")));
    EXPECT_EQ(text.count(QStringLiteral("Ohne Datum")), 5);
    EXPECT_TRUE(text.endsWith(QStringLiteral("Summe;;;;6.136,25;\r\n"))) << text.toStdString();
}

// A data export goes as a stream, line by line from the data without pages; it writes the same file
// as the run laid out in pages (a page range makes the engine lay them out): the header once, every
// row, the footer with its sum, the page texts where the format shows them.
TEST_F(ExportTest, StreamedExportWritesWhatThePagedRunWrites)
{
    // Picture names of an HTML file follow its name: both runs write the same name, one after the other.
    for (const char *target : {"TXT", "XML", "XLS", "HTML", "MHTML", "RTF"}) {
        SCOPED_TRACE(target);
        const QString t = QString::fromLatin1(target);
        const QString file = qpath("vergleich.") + tb::exportExtension(t);
        ASSERT_EQ(exportRun(t, file, project(30), 5, QStringLiteral("1"), QStringLiteral("0"), 32000), 0);
        EXPECT_GT(pagesLaidOut_, 2) << "laid out in pages";
        const QByteArray paged = read(file);
        ASSERT_EQ(exportRun(t, file, project(30), 5), 0);
        EXPECT_EQ(pagesLaidOut_, 1) << "streamed";
        EXPECT_EQ(read(file), paged);
        if (t == QLatin1String("XML")) { // the sum as a program reads it
            EXPECT_TRUE(read(file).contains("6136.25"));
        } else if (t != QLatin1String("XLS") && t != QLatin1String("MHTML")) { // binary or base64
            EXPECT_TRUE(read(file).contains("6.136,25"));
        }
    }
}

// A table that depends on its page (a sum reset per page) is laid out in pages even for a data file:
// the footer shows the last page's sum, as on paper.
TEST_F(ExportTest, ATableThatDependsOnThePageIsNotStreamed)
{
    tb::Project p = exportProject(30);
    p.sums.front().resetPerPage = true;
    const QString projectFile = enginetest::saveProject(p, qpath("Seitensumme.lst"));
    const QString file = qpath("seitensumme.txt");
    ASSERT_EQ(exportRun(QStringLiteral("TXT"), file, projectFile, 5), 0);
    EXPECT_GT(pagesLaidOut_, 2);
    EXPECT_FALSE(QString::fromLatin1(read(file)).endsWith(QStringLiteral("Summe;;;;6.136,25;\r\n")));
}

// The PDF names its report and, where the project shows the client, its author; the file stays whole.
TEST_F(ExportTest, PdfCarriesTitleAndTheClientAsAuthor)
{
    if (QProcess::execute(QStringLiteral("pdfinfo"), {QStringLiteral("-v")}) < 0)
        GTEST_SKIP() << "pdfinfo is not installed";
    auto info = [](const QString &file) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels); // a damaged file shows its errors
        p.start(QStringLiteral("pdfinfo"), {file});
        p.waitForFinished(20000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    tb::Project p = exportProject(30);
    p.objects.front().name = QStringLiteral("Titel");
    const QString ohne = qpath("ohne.pdf");
    ASSERT_EQ(exportRun(QStringLiteral("PDF"), ohne, enginetest::saveProject(p, qpath("Ohne.lst")), 5), 0);
    EXPECT_TRUE(info(ohne).contains(QStringLiteral("Title:           Fahrzeuge & Kosten")));
    EXPECT_FALSE(info(ohne).contains(QStringLiteral("Author:")));

    tb::PageObject mandant = p.objects.front();
    mandant.name = QStringLiteral("Mandant");
    mandant.rectMm = QRectF(200, 10, 70, 8);
    mandant.paragraphs.front().expr = QStringLiteral("\"Müller Logistik GmbH\"");
    p.objects.push_back(mandant);
    const QString mit = qpath("mit.pdf");
    ASSERT_EQ(exportRun(QStringLiteral("PDF"), mit, enginetest::saveProject(p, qpath("Mit.lst")), 5), 0);
    const QString shown = info(mit);
    EXPECT_TRUE(shown.contains(QStringLiteral("Title:           Fahrzeuge & Kosten"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("Author:          Müller Logistik GmbH")))
        << shown.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("Error"), Qt::CaseInsensitive)) << shown.toStdString();
    EXPECT_EQ(enginetest::pdfPages(mit).size(), enginetest::pdfPages(ohne).size());
    EXPECT_GT(enginetest::pdfPages(mit).size(), 2);
}

// Every output file is made as any new file of the user is: its mode is what the umask leaves.
TEST_F(ExportTest, EveryFormatGivesANewFileTheUsersMode)
{
    const mode_t before = ::umask(027);
    const auto restore = qScopeGuard([before] { ::umask(before); });
    for (const char *target : {"PDF", "XLS", "TXT", "XML", "RTF", "HTML"}) {
        SCOPED_TRACE(target);
        const QString file = qpath("modus.out");
        QFile::remove(file);
        ASSERT_EQ(exportRun(QString::fromLatin1(target), file, project()), 0);
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, mode_t(0640)) << std::oct << (info.st_mode & 0777);
    }
}

// The job's callback hears of the writing (message 37) with the job and the number of table lines.
std::vector<std::pair<int, int>> progressSeen;
intptr_t recordProgress(unsigned message, intptr_t parameter, intptr_t)
{
    if (message == tb::msg::Progress) {
        const auto *p = reinterpret_cast<const tb::ProgressNotification *>(parameter);
        progressSeen.emplace_back(p->current, p->total);
    }
    return 0;
}

// One element per record, each field named by its caption and read back by a plain XML parser into
// the value it was given: numbers as XML decimals, dates in ISO 8601, yes/no as true/false.
TEST_F(ExportTest, XmlHasOneElementPerRecordWithTypedFieldsNamedByTheirCaptions)
{
    progressSeen.clear();
    engine_->TbSetNotificationCallback(job_, &recordProgress);
    const QString file = qpath("out.xml");
    ASSERT_EQ(exportRun(QStringLiteral("XML"), file, project()), 0);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(file.toLocal8Bit().constData()));
    const pugi::xml_node report = doc.child("report");
    EXPECT_STREQ(report.attribute("project").value(), "Export.lst");
    ASSERT_EQ(std::distance(report.children("record").begin(), report.children("record").end()), 3);
    using Fields = std::vector<std::pair<std::string, std::string>>;
    auto fields = [](pugi::xml_node node) {
        Fields out;
        for (const pugi::xml_node f : node.children())
            out.emplace_back(f.name(), f.child_value());
        return out;
    };
    const std::vector<Fields> expected = {{{"Nr", "1"},
                                           {"Name", "Müller; Sohn"},
                                           {"Datum", "2023-03-15"},
                                           {"Aktiv", "true"},
                                           {"Betrag", "1234.5"},
                                           {"Leer", ""}},
                                          {{"Nr", "2"},
                                           {"Name", "Zeile\nzwei \"B\""},
                                           {"Datum", "2024-01-01"},
                                           {"Aktiv", "false"},
                                           {"Betrag", "-7.25"},
                                           {"Leer", ""}},
                                          {{"Nr", "3"},
                                           {"Name", "Ohne Datum"},
                                           {"Datum", ""},
                                           {"Aktiv", "true"},
                                           {"Betrag", "0"},
                                           {"Leer", ""}}};
    size_t index = 0;
    for (const pugi::xml_node record : report.children("record"))
        EXPECT_EQ(fields(record), expected[index++]);
    EXPECT_STREQ(report.child("footer").child_value("Betrag"), "1227.25");
    EXPECT_FALSE(report.child("record").child("Betrag").attribute("text"));
    // Counted in data rows: the header and the footer are no progress.
    EXPECT_EQ(progressSeen, (std::vector<std::pair<int, int>>{{0, 3}, {3, 3}}));
}

// A record of several row lines is still one element; captions that XML cannot take as they are
// become names; a project that asks for text gets the shown text beside each typed value.
TEST_F(ExportTest, XmlRecordsOfSeveralLinesWithTheShownTextWhereAskedFor)
{
    tb::Project p = exportProject(150);
    tb::TableDef &table = p.objects.back().table;
    table.header[0].cells[4].expr = QStringLiteral("\"Betrag (€)\"");
    table.header[0].cells[0].expr = QStringLiteral("\"1. Nr\"");
    tb::LineDef secondCaption;
    secondCaption.cells = {cell(QStringLiteral("\"Name\""), 50)};
    table.header.push_back(secondCaption);
    tb::LineDef secondLine;
    secondLine.cells = {cell(QStringLiteral("Upper$(Name)"), 50)};
    table.rows.push_back(secondLine);
    p.exportSettings[QStringLiteral("XML")] = QJsonObject{{QStringLiteral("displayText"), true}};
    engine_->TbSetOption(job_, tb::opt::MultipleTableLines, 1);
    const QString file = qpath("zwei.xml");
    ASSERT_EQ(exportRun(QStringLiteral("XML"), file, enginetest::saveProject(p, qpath("Zwei.lst"))), 0);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(file.toLocal8Bit().constData()));
    const pugi::xml_node report = doc.child("report");
    ASSERT_EQ(std::distance(report.children("record").begin(), report.children("record").end()), 3);
    const pugi::xml_node first = report.child("record");
    EXPECT_STREQ(first.child_value("_1._Nr"), "1");
    EXPECT_STREQ(first.child_value("Betrag"), "1234.5");
    EXPECT_STREQ(first.child("Betrag").attribute("text").value(), "1.234,50");
    EXPECT_STREQ(first.child("Datum").attribute("text").value(), "15.03.2023");
    EXPECT_STREQ(first.child_value("Name"), "Müller; Sohn");
    EXPECT_STREQ(first.child_value("Name_2"), "MÜLLER; SOHN");
}

TEST_F(ExportTest, HtmlIsWellFormedWithOneTableAndThePageTexts)
{
    const QString file = qpath("out.htm");
    ASSERT_EQ(exportRun(QStringLiteral("HTML"), file, project(30), 5), 0);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(file.toLocal8Bit().constData()));
    const pugi::xml_node body = doc.child("html").child("body");
    EXPECT_STREQ(body.child("p").child_value(), "Fahrzeuge & Kosten");
    EXPECT_EQ(std::distance(body.children("table").begin(), body.children("table").end()), 1);
    const pugi::xml_node table = body.child("table");
    EXPECT_EQ(
        std::distance(table.child("thead").children("tr").begin(), table.child("thead").children("tr").end()),
        1);
    EXPECT_EQ(
        std::distance(table.child("tbody").children("tr").begin(), table.child("tbody").children("tr").end()),
        15);
    EXPECT_STREQ(table.child("tbody").child("tr").child("td").next_sibling().child_value(), "Müller; Sohn");
    const pugi::xml_node sum = table.child("tfoot")
                                   .child("tr")
                                   .child("td")
                                   .next_sibling("td")
                                   .next_sibling("td")
                                   .next_sibling("td")
                                   .next_sibling("td");
    EXPECT_STREQ(sum.child_value(), "6.136,25");
    EXPECT_STREQ(sum.attribute("class").value(), "r");
}

// A picture on the first page travels with the HTML as a MIME part; the HTML part names it.
TEST_F(ExportTest, PicturesTravelWithMhtmlAndBesideHtml)
{
    tb::Project p = exportProject(150);
    tb::PageObject image;
    image.type = tb::PageObject::Type::Image;
    image.rectMm = QRectF(220, 5, 40, 15);
    image.file = QStringLiteral("Bild~.wmf"); // SVG under the prescribed name
    p.objects.push_back(image);
    testsupport::writeFile(dir_ / "Bild~.wmf",
                           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"15\">"
                           "<rect width=\"40\" height=\"15\" fill=\"#3060c0\"/></svg>");
    const QString projectFile = enginetest::saveProject(p, qpath("Bild.lst"));
    const QString file = qpath("out.mht");
    ASSERT_EQ(exportRun(QStringLiteral("MHTML"), file, projectFile), 0);
    const QByteArray mime = read(file);
    ASSERT_TRUE(mime.startsWith("MIME-Version: 1.0\r\nContent-Type: multipart/related;"));
    const QByteArray boundary = "----=_NextPart_karven_export";
    EXPECT_TRUE(mime.endsWith("--" + boundary + "--\r\n"));
    // The parts' bodies: what follows the blank line after each part's headers.
    QList<QByteArray> bodies;
    const QList<QByteArray> chunks = mime.split('\n');
    QByteArray current;
    int state = 0; // 0 outside a part, 1 in its headers, 2 in its body
    for (const QByteArray &raw : chunks) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith("--" + boundary)) {
            if (state == 2)
                bodies.append(current);
            current.clear();
            state = 1;
        } else if (state == 1 && line.isEmpty()) {
            state = 2;
        } else if (state == 2) {
            current += line;
        }
    }
    ASSERT_EQ(bodies.size(), 2);
    const QByteArray html = QByteArray::fromBase64(bodies[0]);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(html.constData(), size_t(html.size())));
    EXPECT_STREQ(
        doc.child("html").child("body").child("p").next_sibling("p").child("img").attribute("src").value(),
        "bild1.png");
    EXPECT_TRUE(QByteArray::fromBase64(bodies[1]).startsWith("\x89PNG"));
    EXPECT_TRUE(mime.contains("Content-Location: bild1.png"));

    // The HTML export puts the picture beside the file and names it in the page.
    const QString htmlFile = qpath("seite.htm");
    ASSERT_EQ(exportRun(QStringLiteral("HTML"), htmlFile, projectFile), 0);
    pugi::xml_document page;
    ASSERT_TRUE(page.load_file(htmlFile.toLocal8Bit().constData()));
    EXPECT_STREQ(
        page.child("html").child("body").child("p").next_sibling("p").child("img").attribute("src").value(),
        "seite-bild1.png");
    EXPECT_TRUE(read(qpath("seite-bild1.png")).startsWith("\x89PNG"));
}

// Control words stripped, \uN? decoded, \cell and \row as separators: what a reader of the RTF sees.
QString rtfText(const QByteArray &rtf, int *rows, int *depthError)
{
    QString out;
    int depth = 0;
    int skipFrom = 1 << 20; // depth of a group whose text is not shown (font table, picture)
    *rows = 0;
    *depthError = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth < 0)
                *depthError = 1;
            if (depth < skipFrom)
                skipFrom = 1 << 20;
        } else if (c == '\\') {
            const char next = i + 1 < rtf.size() ? rtf[i + 1] : 0;
            if (next == '\\' || next == '{' || next == '}') {
                out += QChar(next);
                ++i;
                continue;
            }
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(uchar(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < rtf.size() && (rtf[k] == '-' || std::isdigit(uchar(rtf[k]))))
                ++k;
            while (k < rtf.size() && std::isdigit(uchar(rtf[k])))
                ++k;
            const int number = rtf.mid(j, k - j).toInt();
            if (k < rtf.size() && rtf[k] == ' ')
                ++k;
            if (word == "fonttbl" || word == "pict")
                skipFrom = std::min(skipFrom, depth);
            if (depth >= skipFrom) {
                i = k - 1;
                continue;
            }
            if (word == "u") {
                out += QChar(ushort(qint16(number)));
                ++k; // the replacement character
            } else if (word == "cell") {
                out += u'|';
            } else if (word == "row") {
                out += u'\n';
                ++*rows;
            } else if (word == "line") {
                out += u'/';
            } else if (word == "par") {
                out += u'\n';
            }
            i = k - 1;
        } else if (c != '\n' && c != '\r' && depth < skipFrom) {
            out += QChar(c);
        }
    }
    if (depth != 0)
        *depthError = 1;
    return out;
}

TEST_F(ExportTest, RtfIsOneTableWithEveryLine)
{
    const QString file = qpath("out.rtf");
    ASSERT_EQ(exportRun(QStringLiteral("RTF"), file, project()), 0);
    const QByteArray rtf = read(file);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    int rows = 0, depthError = 0;
    const QString text = rtfText(rtf, &rows, &depthError);
    EXPECT_EQ(depthError, 0);
    EXPECT_EQ(rows, 5); // header, three rows, footer
    EXPECT_TRUE(rtf.contains("\\landscape"));
    EXPECT_TRUE(text.contains(QStringLiteral("Fahrzeuge & Kosten\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1|Müller; Sohn|15.03.2023|Wahr|1.234,50||\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("2|Zeile/zwei \"B\"|01.01.2024|Falsch|-7,25||\n")));
    EXPECT_EQ(rtf.count("\\cellx"), 5 * 6);
}

TEST_F(ExportTest, XlsReadsBackTypedWithAnIndependentReader)
{
    if (QProcess::execute(QString::fromLatin1(kDebianPython),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the workbook cannot be read back";
    const QString file = qpath("out.xls");
    ASSERT_EQ(exportRun(QStringLiteral("XLS"), file, project()), 0);
    QProcess reader;
    reader.start(QString::fromLatin1(kDebianPython), {QStringLiteral(KARVEN_READ_XLS), file});
    ASSERT_TRUE(reader.waitForFinished(20000));
    const QByteArray output = reader.readAllStandardOutput();
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject sheet = QJsonDocument::fromJson(output).object();
    EXPECT_EQ(sheet.value(QStringLiteral("sheet")).toString(), QStringLiteral("Export"));
    QStringList cells;
    for (const QJsonValue &c : sheet.value(QStringLiteral("cells")).toArray()) {
        const QJsonArray a = c.toArray();
        const QJsonValue v = a[3];
        const QString value = v.isString() ? v.toString()
                              : v.isBool() ? QString::number(v.toBool())
                                           : QString::number(v.toDouble(), 'g', 15);
        cells << QStringLiteral("%1,%2 %3 %4%5")
                     .arg(a[0].toInt())
                     .arg(a[1].toInt())
                     .arg(a[2].toString(), value, a[4].toBool() ? QStringLiteral(" B") : QString());
    }
    const QStringList expected = {"0,0 text Nr B",
                                  "0,1 text Name B",
                                  "0,2 text Datum B",
                                  "0,3 text Aktiv B",
                                  "0,4 text Betrag B",
                                  "0,5 text Leer B",
                                  "1,0 number 1",
                                  "1,1 text Müller; Sohn",
                                  "1,2 date 2023-03-15",
                                  "1,3 bool 1",
                                  "1,4 number 1234.5",
                                  "2,0 number 2",
                                  "2,1 text Zeile\nzwei \"B\"",
                                  "2,2 date 2024-01-01",
                                  "2,3 bool 0",
                                  "2,4 number -7.25",
                                  "3,0 number 3",
                                  "3,1 text Ohne Datum",
                                  "3,3 bool 1",
                                  "3,4 number 0",
                                  "4,0 text Summe B",
                                  "4,4 number 1227.25 B"};
    EXPECT_EQ(cells, expected);
    const QJsonObject widths = sheet.value(QStringLiteral("widths")).toObject();
    // Each column as wide as its header and its widest value, whatever the print layout says:
    // "Müller; Sohn" (12 characters), a date of 10, the bold header "Betrag" over short numbers.
    EXPECT_NEAR(widths.value(QStringLiteral("1")).toDouble() / 256, 13.5, 0.1);
    EXPECT_GE(widths.value(QStringLiteral("2")).toDouble() / 256, 11);
    EXPECT_GE(widths.value(QStringLiteral("4")).toDouble() / 256, 7);
    for (const QJsonValue &width : widths)
        EXPECT_LE(width.toDouble() / 256, 60);
}

// A long shared-string table crosses record boundaries; the reader must still see every text whole.
TEST_F(ExportTest, XlsLongTextsSurviveRecordContinuation)
{
    if (QProcess::execute(QString::fromLatin1(kDebianPython),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the workbook cannot be read back";
    tb::XlsWorkbook book(QStringLiteral("Lang"));
    QStringList texts;
    for (int i = 0; i < 40; ++i) {
        texts << QString(300 + i * 7, QChar(u'a' + i % 26)) + QStringLiteral("ä%1").arg(i);
        book.setText(i, 0, texts.last());
    }
    const QString file = qpath("lang.xls");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(book.bytes());
    out.close();
    QProcess reader;
    reader.start(QString::fromLatin1(kDebianPython), {QStringLiteral(KARVEN_READ_XLS), file});
    ASSERT_TRUE(reader.waitForFinished(20000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray cells = QJsonDocument::fromJson(reader.readAllStandardOutput())
                                 .object()
                                 .value(QStringLiteral("cells"))
                                 .toArray();
    ASSERT_EQ(cells.size(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(cells[i].toArray()[3].toString(), texts[i]) << i;
}

TEST_F(ExportTest, TargetsThatCannotBeWrittenGiveOutputError)
{
    struct Case {
        const char *what;
        QString target;
        QString file;
        QJsonObject txtSettings;
    };
    const Case cases[] = {
        {"unknown target", QStringLiteral("DOC"), qpath("x.doc"), {}},
        {"missing directory", QStringLiteral("XML"), qpath("fehlt/x.xml"), {}},
        {"unknown encoding", QStringLiteral("TXT"), qpath("x.txt"),
         QJsonObject{{QStringLiteral("encoding"), QStringLiteral("keine-kodierung")}}},
    };
    for (const Case &c : cases) {
        tb::Project p = exportProject(150);
        if (!c.txtSettings.isEmpty())
            p.exportSettings[QStringLiteral("TXT")] = c.txtSettings;
        const QString projectFile = enginetest::saveProject(p, qpath("Fehler.lst"));
        EXPECT_EQ(exportRun(c.target, c.file, projectFile), tb::TB_ERR_OUTPUT) << c.what;
        EXPECT_FALSE(QFile::exists(c.file)) << c.what;
    }
}

// Page texts come in the order a reader takes them in: a big title before a small date set level
// with it further right; the page number belongs to paper and is left out of files without pages
// (HTML), while the RTF, which has pages, keeps it.
TEST_F(ExportTest, PageTextsInReadingOrderAndThePageNumberOnlyWherePagesAre)
{
    tb::Project p = exportProject(150);
    p.objects.front().font.sizePt = 20;
    auto text = [](const QString &name, const QRectF &rectMm, const QString &expr, double sizePt) {
        tb::PageObject object;
        object.type = tb::PageObject::Type::Text;
        object.name = name;
        object.rectMm = rectMm;
        object.font.sizePt = sizePt;
        tb::Paragraph paragraph;
        paragraph.expr = expr;
        object.paragraphs.push_back(paragraph);
        return object;
    };
    p.objects.insert(p.objects.begin(), {text(QStringLiteral("Datum"), QRectF(230, 10, 40, 8),
                                              QStringLiteral("\"02.01.2024\""), 7),
                                         text(QStringLiteral("Seitenzahl"), QRectF(230, 190, 40, 8),
                                              QStringLiteral("\"Seite \" + Str$(Page())"), 7)});
    const QString projectFile = enginetest::saveProject(p, qpath("Reihenfolge.lst"));

    const QString html = qpath("reihenfolge.htm");
    ASSERT_EQ(exportRun(QStringLiteral("HTML"), html, projectFile), 0);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(html.toLocal8Bit().constData()));
    std::vector<std::string> paragraphs;
    for (const pugi::xml_node node : doc.child("html").child("body").children("p"))
        paragraphs.emplace_back(node.child_value());
    EXPECT_EQ(paragraphs, (std::vector<std::string>{"Fahrzeuge & Kosten", "02.01.2024"}));
    EXPECT_FALSE(read(html).contains("Seite"));

    const QString rtf = qpath("reihenfolge.rtf");
    ASSERT_EQ(exportRun(QStringLiteral("RTF"), rtf, projectFile), 0);
    const QByteArray bytes = read(rtf);
    EXPECT_TRUE(bytes.contains("Seite "));
    EXPECT_LT(bytes.indexOf("Fahrzeuge"), bytes.indexOf("02.01.2024"));
}

// The progress box follows the writing to its last page; Cancel there ends the run as cancelled and
// leaves no file, neither partial nor whole.
TEST_F(ExportTest, ProgressGoesOnWhileWritingAndCancelLeavesNoFile)
{
    const QString whole = qpath("ganz.pdf");
    ASSERT_EQ(exportRun(QStringLiteral("PDF"), whole, project(30), 5), 0);
    ASSERT_FALSE(ui_->record.progressTexts.isEmpty());
    const QString last = ui_->record.progressTexts.last();
    EXPECT_TRUE(last.startsWith(QStringLiteral("Seite "))) << last.toStdString();
    const QStringList words = last.split(u' ');
    ASSERT_GE(words.size(), 4);
    EXPECT_GT(words[3].toInt(), 2) << "several pages";
    EXPECT_EQ(words[1], words[3]) << "to the last page";
    EXPECT_EQ(ui_->record.percents.last(), 100);

    struct Case {
        const char *target;
        int cancelAt; // the progress update at which Cancel is pressed
    };
    for (const Case &c : {Case{"PDF", 2}, Case{"XLS", 1}, Case{"TXT", 1}, Case{"XML", 1}}) {
        SCOPED_TRACE(c.target);
        const QString file = qpath("abbruch.") + QString::fromLatin1(c.target).toLower();
        ui_->script.cancelAtProgress = c.cancelAt;
        EXPECT_EQ(exportRun(QString::fromLatin1(c.target), file, project(30), 5), tb::TB_ERR_USER_ABORTED);
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_EQ(ui_->record.progressClosed, ui_->record.progressOpened) << "the box is closed";
    }
    // A PDF of one page paints it at the end of the run: Cancel there ends the run as cancelled too.
    const QString one = qpath("abbruch-eine-seite.pdf");
    ui_->script.cancelAtProgress = 1;
    EXPECT_EQ(exportRun(QStringLiteral("PDF"), one, project(), 1), tb::TB_ERR_USER_ABORTED);
    EXPECT_EQ(pagesLaidOut_, 1);
    EXPECT_FALSE(QFile::exists(one));
    const QStringList left = QDir(QString::fromStdString(dir_.str())).entryList({QStringLiteral("abbruch*")});
    EXPECT_TRUE(left.isEmpty()) << left.join(u' ').toStdString();
}

// Not quiet: the save dialog, preset with path and file, decides; shown afterwards when asked.
TEST_F(ExportTest, SaveDialogAndShowingTheResult)
{
    const QString preset = qpath("vorgabe.xml");
    const QString chosen = qpath("gewaehlt.xml");
    ui_->script.fileAnswer = chosen;
    ASSERT_EQ(
        exportRun(QStringLiteral("XML"), preset, project(), 1, QStringLiteral("0"), QStringLiteral("1")), 0);
    EXPECT_EQ(ui_->record.fileDialogs, QStringList{QStringLiteral("XML-Dateien (*.xml)")});
    EXPECT_FALSE(QFile::exists(preset));
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_EQ(ui_->record.opened, QStringList{chosen});

    ui_->script.fileAnswer.reset();
    const QString cancelled = qpath("abgebrochen.rtf");
    EXPECT_EQ(exportRun(QStringLiteral("RTF"), cancelled, project(), 1, QStringLiteral("0")),
              tb::TB_ERR_USER_ABORTED);
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_EQ(ui_->record.opened.size(), 1);
}

// Beyond 109 pages of the sector table (about 7 MB) the table continues in extension blocks; an
// independent reader must still find the stream whole.
TEST(CompoundFile, LargeStreamsUseExtensionBlocks)
{
    if (QProcess::execute(QString::fromLatin1(kDebianPython),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the container cannot be read back";
    QByteArray stream(9 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < stream.size(); ++i)
        stream[i] = char((i * 7 + i / 4096) & 0xFF);
    const QByteArray file = tb::compoundFileWithStream(QStringLiteral("Workbook"), stream);
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 72), 1u); // one extension block
    testsupport::TempDir dir;
    const auto path = dir / "gross.xls";
    QFile out(QString::fromStdString(path.string()));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    QProcess reader;
    reader.start(QString::fromLatin1(kDebianPython),
                 {QStringLiteral(KARVEN_READ_COMPOUND), QString::fromStdString(path.string())});
    ASSERT_TRUE(reader.waitForFinished(20000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    EXPECT_EQ(reader.readAllStandardOutput().trimmed(),
              QByteArray::number(stream.size()) + ' ' +
                  QCryptographicHash::hash(stream, QCryptographicHash::Sha1).toHex());
}

TEST(XlsWorkbook, CellsBeyondTheFormatGiveNoWorkbook)
{
    tb::XlsWorkbook book(QStringLiteral("Zu gross"));
    book.setNumber(65535, 255, 1);
    EXPECT_FALSE(book.bytes().isEmpty());
    book.setNumber(65536, 0, 1);
    EXPECT_TRUE(book.bytes().isEmpty());
}

TEST(CompoundFile, LargeStreamsChainThroughSeveralSectorTablePages)
{
    // 200 kB need 400 sectors, more than one page of the sector table holds.
    QByteArray stream(200 * 1024, 'x');
    const QByteArray file = tb::compoundFileWithStream(QStringLiteral("Workbook"), stream);
    ASSERT_FALSE(file.isEmpty());
    const quint32 fatSectors = qFromLittleEndian<quint32>(file.constData() + 44);
    EXPECT_EQ(fatSectors, 4u);
    EXPECT_EQ(file.size() % 512, 0);
    EXPECT_EQ(file.mid(512, stream.size()), stream);
}

} // namespace

// More rows than one sheet holds: the workbook goes on in further sheets that repeat the header,
// and a reader finds every row.
TEST_F(ExportTest, XlsBeyondOneSheetContinuesWithTheHeaderAndLosesNoRow)
{
    if (QProcess::execute(QString::fromLatin1(kDebianPython),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the workbook cannot be read back";
    tb::PageModel model;
    model.projectFile = QStringLiteral("Touren.lst");
    tb::TableLineRecord header;
    header.kind = tb::TableLineRecord::Kind::Header;
    header.page = 1;
    auto cell = [](const QString &text, tb::Value::Kind type = tb::Value::Kind::Text, double number = 0) {
        tb::TableCellRecord c;
        c.text = text;
        c.type = type;
        c.number = number;
        return c;
    };
    header.cells = {cell(QStringLiteral("Nr")), cell(QStringLiteral("Datum"))};
    model.table.push_back(header);
    const int rows = 70000;
    for (int i = 0; i < rows; ++i) {
        tb::TableLineRecord line;
        line.page = 1;
        line.cells = {cell(QString::number(i + 1), tb::Value::Kind::Number, double(i + 1)),
                      cell(QStringLiteral("02.01.2024"), tb::Value::Kind::Date, 45293)};
        model.table.push_back(std::move(line));
    }
    const QByteArray bytes = tb::exportXls(tb::ExportSource{model, {}, 1, 32767, {}});
    ASSERT_FALSE(bytes.isEmpty());
    const QString file = qpath("viele.xls");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    QProcess reader;
    reader.start(QString::fromLatin1(kDebianPython),
                 {QStringLiteral(KARVEN_READ_XLS), QStringLiteral("--counts"), file});
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray sheets = QJsonDocument::fromJson(reader.readAllStandardOutput())
                                  .object()
                                  .value(QStringLiteral("sheets"))
                                  .toArray();
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[0].toArray()[0].toString(), QStringLiteral("Touren"));
    EXPECT_EQ(sheets[1].toArray()[0].toString(), QStringLiteral("Touren (2)"));
    EXPECT_EQ(sheets[0].toArray()[1].toInt(), tb::XlsWorkbook::kMaxRows);
    // Every data row once, plus the header on each sheet.
    EXPECT_EQ(sheets[0].toArray()[1].toInt() + sheets[1].toArray()[1].toInt(), rows + 2);
}

// Through the engine as a stream: beyond one sheet the workbook goes on with the header, every row
// read back, the footer at the end.
TEST_F(ExportTest, StreamedXlsBeyondOneSheetKeepsEveryRow)
{
    if (QProcess::execute(QString::fromLatin1(kDebianPython),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the workbook cannot be read back";
    const QString file = qpath("strom.xls");
    const int passes = 23334; // three rows each: 70,002 rows
    ASSERT_EQ(exportRun(QStringLiteral("XLS"), file, project(), passes), 0);
    EXPECT_EQ(pagesLaidOut_, 1);
    QProcess reader;
    reader.start(QString::fromLatin1(kDebianPython),
                 {QStringLiteral(KARVEN_READ_XLS), QStringLiteral("--counts"), file});
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray sheets = QJsonDocument::fromJson(reader.readAllStandardOutput())
                                  .object()
                                  .value(QStringLiteral("sheets"))
                                  .toArray();
    ASSERT_EQ(sheets.size(), 2);
    EXPECT_EQ(sheets[1].toArray()[0].toString(), QStringLiteral("Export (2)"));
    EXPECT_EQ(sheets[0].toArray()[1].toInt(), tb::XlsWorkbook::kMaxRows);
    // Every row once, the header on each sheet, the footer once.
    EXPECT_EQ(sheets[0].toArray()[1].toInt() + sheets[1].toArray()[1].toInt(), 3 * passes + 2 + 1);
}

namespace {

// A table of one text column, the given rows under a header.
tb::PageModel textTable(const QStringList &rows)
{
    tb::PageModel model;
    model.projectFile = QStringLiteral("Touren.lst");
    auto line = [](tb::TableLineRecord::Kind kind, const QString &text) {
        tb::TableLineRecord l;
        l.kind = kind;
        l.page = 1;
        tb::TableCellRecord c;
        c.text = text;
        l.cells = {c};
        return l;
    };
    model.table.push_back(line(tb::TableLineRecord::Kind::Header, QStringLiteral("Fahrer")));
    for (const QString &r : rows)
        model.table.push_back(line(tb::TableLineRecord::Kind::Row, r));
    return model;
}

// The warnings of the export category while it lives.
class ExportWarnings {
public:
    ExportWarnings() { previous_ = qInstallMessageHandler(&ExportWarnings::handle); }
    ~ExportWarnings() { qInstallMessageHandler(previous_); }
    static inline QStringList seen;

private:
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &text)
    {
        if (context.category && QByteArray(context.category) == "tb.export")
            seen << text;
    }
    QtMessageHandler previous_ = nullptr;
};

} // namespace

TEST(DataExports, TxtWritesWhatTheEncodingCannotHoldAsQuestionMarkAndTracesIt)
{
    const tb::PageModel model = textTable({QStringLiteral("Jürgen 5 €"), QStringLiteral("Paweł Łukasz")});
    ExportWarnings::seen.clear();
    ExportWarnings warnings;
    bool ok = false;
    const QByteArray bytes = tb::exportTxt(
        tb::ExportSource{model, QJsonObject{{QStringLiteral("encoding"), QStringLiteral("windows-1252")}}, 1,
                         32767},
        &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bytes, QByteArray("Fahrer\r\nJ\xFCrgen 5 \x80\r\nPawe? ?ukasz\r\n"));
    ASSERT_EQ(ExportWarnings::seen.size(), 1);
    EXPECT_TRUE(ExportWarnings::seen[0].contains(QStringLiteral(" 2 ")))
        << ExportWarnings::seen[0].toStdString();
}

TEST(DataExports, XmlReplacesForbiddenCharactersAndStaysWellFormed)
{
    const tb::PageModel model =
        textTable({QStringLiteral("Anh\u00e4nger") + QChar(0x0001) + QStringLiteral("Nord"),
                   QStringLiteral("Tab\tLF\nok")});
    ExportWarnings::seen.clear();
    ExportWarnings warnings;
    const QByteArray bytes = tb::exportXml(tb::ExportSource{model, {}, 1, 32767});
    const QString text = QString::fromUtf8(bytes);
    EXPECT_TRUE(text.contains(QStringLiteral("Anh\u00e4nger\uFFFDNord"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Tab\tLF\nok")));
    ASSERT_EQ(ExportWarnings::seen.size(), 1);
    testsupport::TempDir dir;
    const QString file = QString::fromStdString(dir.str()) + "/daten.xml";
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    if (QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--version")}) < 0)
        GTEST_SKIP() << "xmllint is not installed";
    EXPECT_EQ(QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), file}), 0);
}

// A run that fails while painting leaves the earlier file of its name; a good one replaces it.
TEST(DataExports, AFailedWriteLeavesTheEarlierFileByteForByte)
{
    testsupport::TempDir dir;
    const QString file = QString::fromStdString(dir.str()) + "/export.pdf";
    QFile alt(file);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("%PDF-1.4 frühere Ausgabe");
    alt.close();
    const auto inhalt = [&] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray vorher = inhalt();
    const auto schreibt = [](const QByteArray &bytes, bool gelingt) {
        return [bytes, gelingt](const QString &neu) {
            QFile f(neu);
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && gelingt;
        };
    };
    EXPECT_FALSE(tb::replaceOnSuccess(file, schreibt("halb", false)));
    EXPECT_EQ(inhalt(), vorher);
    EXPECT_THROW(
        tb::replaceOnSuccess(file, [](const QString &) -> bool { throw std::runtime_error("Abbruch"); }),
        std::runtime_error);
    EXPECT_EQ(inhalt(), vorher);
    // Nothing is left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(dir.str())).entryList(QDir::Files), QStringList{"export.pdf"});

    // The PDF writer: a run that cannot paint (no page in its range) keeps the file, a whole run
    // replaces it.
    tb::PageModel model;
    model.projectFile = QStringLiteral("Touren.lst");
    model.pages.emplace_back();
    model.pages.back().number = 1;
    model.pages.back().sizePt = QSizeF(595, 842);
    EXPECT_FALSE(tb::PagePainter::writePdf(model, file, 5, 5));
    EXPECT_EQ(inhalt(), vorher);
    ASSERT_TRUE(tb::PagePainter::writePdf(model, file, 1, 1));
    EXPECT_TRUE(inhalt().startsWith("%PDF"));
    EXPECT_NE(inhalt(), vorher);
    EXPECT_EQ(QDir(QString::fromStdString(dir.str())).entryList(QDir::Files), QStringList{"export.pdf"});
}

// Dates before 1 March 1900 go in as text (the spreadsheet counts a 29 February 1900); a date
// with a time of day shows the time.
TEST(DataExports, XlsDatesBeforeMarch1900AreTextAndTimesAreShown)
{
    if (QProcess::execute(QString::fromLatin1(kDebianPython),
                          {QStringLiteral("-c"), QStringLiteral("import xlrd")}) != 0)
        GTEST_SKIP() << "python3-xlrd is not installed: the workbook cannot be read back";
    tb::PageModel model;
    model.projectFile = QStringLiteral("Historie.lst");
    for (const double tag : {47.0, 61.0, 45292.5}) {
        tb::TableLineRecord line;
        line.page = 1;
        tb::TableCellRecord c;
        c.type = tb::Value::Kind::Date;
        c.number = tag;
        line.cells = {c};
        model.table.push_back(line);
    }
    testsupport::TempDir dir;
    const QString file = QString::fromStdString(dir.str()) + "/daten.xls";
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(tb::exportXls(tb::ExportSource{model, {}, 1, 32767}));
    out.close();
    QProcess reader;
    reader.start(QString::fromLatin1(kDebianPython), {QStringLiteral(KARVEN_READ_XLS), file});
    ASSERT_TRUE(reader.waitForFinished(20000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    QStringList cells;
    for (const QJsonValue &c : QJsonDocument::fromJson(reader.readAllStandardOutput())
                                   .object()
                                   .value(QStringLiteral("cells"))
                                   .toArray()) {
        const QJsonArray a = c.toArray();
        cells << a[2].toString() + u' ' + a[3].toString() +
                     (a[2].toString() == "date" ? u' ' + a[5].toString() : QString());
    }
    EXPECT_EQ(cells, QStringList({"text 15.02.1900", "date 1900-03-01 DD.MM.YYYY",
                                  "date 2024-01-01 DD.MM.YYYY hh:mm:ss"}));
}
