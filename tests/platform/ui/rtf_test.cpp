// Letter files: the rich-text reader and writer over a text document, the
// plain-text fallback and the indent conversion they share with the ruler.
#include <random>

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include "temp_dir.h"
#include "ui/LetterFile.h"
#include "ui/ParagraphIndents.h"
#include "ui/RtfCodePages.h"
#include "ui/RtfReader.h"
#include "ui/RtfWriter.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_ui_rtf";
        static char *argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication *app_ = nullptr;
};
::testing::Environment *const guiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// What a run of text carries, for comparison.
struct TextRun {
    QString text;
    QString family;
    double size = 0;
    bool bold = false, italic = false, underline = false, strikeOut = false;
    QString color; // empty: automatic
    bool operator==(const TextRun &) const = default;
};

std::ostream &operator<<(std::ostream &out, const TextRun &r)
{
    return out << '"' << r.text.toStdString() << "\" " << r.family.toStdString() << ' ' << r.size
               << (r.bold ? " b" : "") << (r.italic ? " i" : "") << (r.underline ? " u" : "")
               << (r.strikeOut ? " s" : "") << ' ' << r.color.toStdString();
}

struct Paragraph {
    QString text;
    Qt::Alignment alignment;
    ui::ParagraphIndents indents;
    bool bullet = false;
    std::vector<TextRun> runs;
};

TextRun runOf(const QString &text, const QTextCharFormat &f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return {text,
            families.value(0),
            f.fontPointSize(),
            f.fontWeight() >= QFont::DemiBold,
            f.fontItalic(),
            f.fontUnderline(),
            f.fontStrikeOut(),
            f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString()};
}

// Runs with equal formats are merged, so documents built differently compare alike.
std::vector<Paragraph> paragraphs(const QTextDocument &doc)
{
    std::vector<Paragraph> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        Paragraph p{b.text(),
                    b.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                    ui::indentsOf(b.blockFormat()),
                    b.textList() != nullptr,
                    {}};
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            TextRun r = runOf(it.fragment().text(), it.fragment().charFormat());
            if (!p.runs.empty()) {
                TextRun last = p.runs.back();
                last.text = r.text;
                if (last == r) {
                    p.runs.back().text += r.text;
                    continue;
                }
            }
            p.runs.push_back(r);
        }
        out.push_back(p);
    }
    return out;
}

QString plainOf(QByteArrayView rtf)
{
    QTextDocument doc;
    ui::readRtf(rtf, doc);
    // Paragraph ends as "\n", every other character as it stands.
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// In the style of the letters the old program wrote.
const char kSampleLetter[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
    "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\froman\\fcharset0 Times New Roman;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\*\\generator Riched20 5.40.11.2210;}\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs28 Sehr geehrter Herr "
    "M\\'fcller,\\b0\\fs20\\par\r\n"
    "\\pard\\fi-360\\li720\\ri1440 Die \\i Pr\\'fcfung\\i0  ist am \\ul 12.03.2025\\ulnone  "
    "f\\'e4llig.\\par\r\n"
    "\\pard\\qr\\cf1 Kosten:\\tab 1.234,56 \\u8364?\\cf0\\line netto\\par\r\n"
    "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720 Punkt "
    "eins\\par\r\n"
    "{\\pntext\\f1\\'B7\\tab}\\cf2\\strike Punkt zwei\\strike0\\cf0\\par\r\n"
    "\\pard\\qj\\f2\\fs24 Gru\\'df <Fahrer/Name>\\f0\\fs20\\par\r\n"
    "}\r\n";

} // namespace

TEST(RtfReader, SampleLetterGivesItsBlocksTextsAndFormats)
{
    QTextDocument doc;
    ui::readRtf(kSampleLetter, doc);
    const auto ps = paragraphs(doc);
    ASSERT_EQ(ps.size(), 7u);

    EXPECT_EQ(ps[0].text, QStringLiteral("Sehr geehrter Herr Müller,"));
    EXPECT_EQ(ps[0].alignment, Qt::AlignHCenter);
    ASSERT_EQ(ps[0].runs.size(), 1u);
    EXPECT_EQ(ps[0].runs[0], (TextRun{ps[0].text, "Arial", 14, true, false, false, false, {}}));

    EXPECT_EQ(ps[1].text, QStringLiteral("Die Prüfung ist am 12.03.2025 fällig."));
    EXPECT_EQ(ps[1].alignment, Qt::AlignLeft);
    EXPECT_EQ(ps[1].indents, (ui::ParagraphIndents{18, 18, 72}));
    ASSERT_EQ(ps[1].runs.size(), 5u);
    EXPECT_EQ(ps[1].runs[1],
              (TextRun{QStringLiteral("Prüfung"), "Arial", 10, false, true, false, false, {}}));
    EXPECT_EQ(ps[1].runs[3],
              (TextRun{QStringLiteral("12.03.2025"), "Arial", 10, false, false, true, false, {}}));
    EXPECT_EQ(ps[1].runs[4].text, QStringLiteral(" fällig."));

    EXPECT_EQ(ps[2].text, QStringLiteral("Kosten:\t1.234,56 €\u2028netto"));
    EXPECT_EQ(ps[2].alignment, Qt::AlignRight);
    EXPECT_EQ(ps[2].indents, ui::ParagraphIndents{});
    ASSERT_EQ(ps[2].runs.size(), 2u);
    EXPECT_EQ(ps[2].runs[0].color, "#ff0000");
    EXPECT_EQ(ps[2].runs[0].text, QStringLiteral("Kosten:\t1.234,56 €"));
    EXPECT_EQ(ps[2].runs[1].color, "");

    // Both bullet paragraphs in one disc list; the glyph group leaves no text.
    EXPECT_EQ(ps[3].text, QStringLiteral("Punkt eins"));
    EXPECT_EQ(ps[4].text, QStringLiteral("Punkt zwei"));
    EXPECT_TRUE(ps[3].bullet);
    EXPECT_TRUE(ps[4].bullet);
    EXPECT_EQ(ps[3].indents, (ui::ParagraphIndents{0, 36, 0}));
    const QTextBlock third = doc.findBlockByNumber(3);
    ASSERT_NE(third.textList(), nullptr);
    EXPECT_EQ(third.textList()->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(third.textList(), doc.findBlockByNumber(4).textList());
    EXPECT_EQ(ps[4].runs[0],
              (TextRun{QStringLiteral("Punkt zwei"), "Arial", 10, false, false, false, true, "#000080"}));

    EXPECT_EQ(ps[5].text, QStringLiteral("Gruß <Fahrer/Name>"));
    EXPECT_EQ(ps[5].alignment, Qt::AlignJustify);
    EXPECT_FALSE(ps[5].bullet);
    EXPECT_EQ(ps[5].runs[0].family, "Times New Roman");
    EXPECT_EQ(ps[5].runs[0].size, 12);

    EXPECT_EQ(ps[6].text, QString());
    EXPECT_EQ(doc.defaultFont().family(), "Arial");
    EXPECT_DOUBLE_EQ(doc.defaultTextOption().tabStopDistance(), 48.0);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.isUndoAvailable());
}

namespace {

QTextCharFormat format(const QString &family, double size, bool bold = false, bool italic = false,
                       bool underline = false, bool strike = false, const QColor &color = {})
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(size);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    f.setFontStrikeOut(strike);
    if (color.isValid())
        f.setForeground(color);
    return f;
}

QTextBlockFormat block(Qt::Alignment alignment, ui::ParagraphIndents indents = {})
{
    QTextBlockFormat f;
    f.setAlignment(alignment);
    ui::setIndents(f, indents);
    return f;
}

// Every feature a letter has, built in code.
void buildLetter(QTextDocument &doc)
{
    QFont font = doc.defaultFont();
    font.setFamilies({QStringLiteral("Liberation Sans")});
    doc.setDefaultFont(font);
    QTextCursor c(&doc);
    const auto plain = format("Liberation Sans", 11);
    c.setBlockFormat(block(Qt::AlignHCenter));
    c.insertText(QStringLiteral("Fuhrparkverwaltung Müller & Söhne"), format("Liberation Serif", 16, true));
    c.insertBlock(block(Qt::AlignLeft, {12.5, 24, 36}));
    c.insertText(QStringLiteral("Sehr geehrter Herr "), plain);
    c.insertText(QStringLiteral("Öztürk"), format("Liberation Sans", 11, false, true));
    c.insertText(QStringLiteral(", die "), plain);
    c.insertText(QStringLiteral("Hauptuntersuchung"), format("Liberation Sans", 11, false, false, true));
    c.insertText(QStringLiteral(" für "), plain);
    c.insertText(QStringLiteral("<Fahrzeug/KfzNr>"), format("Liberation Sans", 11, true, true, true));
    c.insertText(QStringLiteral(" ist \u201Eüberfällig\u201C.\u2028Zweite Zeile {mit} \\Klammern."), plain);
    c.insertBlock(block(Qt::AlignRight, {0, 0, 18}));
    c.insertText(QStringLiteral("Betrag:\t12.345,67 €"),
                 format("Liberation Sans", 10.5, false, false, false, false, QColor(200, 0, 0)));
    c.insertText(QStringLiteral(" alt"), format("Liberation Sans", 10.5, false, false, false, true));
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDisc);
    c.insertBlock(block(Qt::AlignLeft, {0, 18}));
    QTextList *bullets = c.createList(list);
    c.insertText(QStringLiteral("Reifen prüfen"), plain);
    c.insertBlock(block(Qt::AlignLeft, {0, 18}));
    bullets->add(c.block());
    c.insertText(QStringLiteral("Łódź, Жуков, \U0001F697 – fertig"),
                 format("DejaVu Sans", 9, false, false, false, false, QColor(0, 0, 255)));
    c.insertBlock(block(Qt::AlignJustify, {-6, 6}));
    c.insertText(QStringLiteral("Blocksatz mit hängendem Einzug und einem langen Satz, der umbricht."),
                 plain);
    c.insertBlock(block(Qt::AlignLeft));
    c.setBlockCharFormat(plain);
}

} // namespace

TEST(RtfWriter, RoundTripKeepsTextAndFormatsAndWritesTheSameBytesAgain)
{
    QTextDocument original;
    buildLetter(original);
    ASSERT_TRUE(original.findBlockByNumber(4).textList());
    const QByteArray first = ui::writeRtf(original);
    ASSERT_TRUE(first.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl"));
    EXPECT_TRUE(first.contains("\\viewkind4\\uc1"));
    EXPECT_TRUE(first.contains("M\\'fcller & S\\'f6hne"));
    EXPECT_TRUE(first.contains("\\u-10179?\\u-8553?")); // the car beyond U+FFFF as a surrogate pair
    EXPECT_TRUE(first.contains("{\\*\\pn\\pnlvlblt"));

    QTextDocument read;
    ui::readRtf(first, read);
    const auto expected = paragraphs(original);
    const auto actual = paragraphs(read);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].text, expected[i].text);
        EXPECT_EQ(actual[i].alignment, expected[i].alignment);
        EXPECT_EQ(actual[i].indents, expected[i].indents);
        EXPECT_EQ(actual[i].bullet, expected[i].bullet);
        EXPECT_EQ(actual[i].runs, expected[i].runs);
    }
    EXPECT_EQ(read.findBlockByNumber(3).textList(), read.findBlockByNumber(4).textList());
    EXPECT_EQ(ui::writeRtf(read).toStdString(), first.toStdString());
}

TEST(RtfReader, ToleratesWhatItDoesNotUnderstand)
{
    struct Case {
        const char *name;
        QByteArray rtf;
        QString text;
    };
    const Case cases[] = {
        {"picture", "{\\rtf1 A{\\pict\\pngblip\\picw10 89504e470d0a}B}", "AB"},
        {"binary picture with braces", QByteArray("{\\rtf1 A{\\pict\\bin6 }}{{\\x}B}"), "AB"},
        {"unknown starred group", "{\\rtf1 A{\\*\\gibtsnicht Text {verschachtelt}}B}", "AB"},
        {"unknown plain word", "{\\rtf1 A\\gibtsnicht42 B}", "AB"},
        {"info and stylesheet", "{\\rtf1{\\info{\\title Titel}}{\\stylesheet{\\s0 Normal;}}Text}", "Text"},
        {"field keeps its result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt Verweis}}}",
         "Verweis"},
        {"cut in the middle", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hallo Welt, das ist",
         "Hallo Welt, das ist"},
        {"cut in a control word", "{\\rtf1 Hallo\\pa", "Hallo"},
        {"cut in a byte", "{\\rtf1 Hallo\\'f", "Hallo"},
        {"cut after a backslash", "{\\rtf1 Hallo\\", "Hallo"},
        {"closing brace without opening", "}}{\\rtf1 Text}}}", "Text"},
        {"missing final brace", "{\\rtf1 Text\\par Zwei", "Text\nZwei"},
        {"split placeholder", "{\\rtf1 Sehr <Fah{\\b rer}/Name>}", "Sehr <Fahrer/Name>"},
        {"unicode fallback skipped", "{\\rtf1\\uc2 a\\u8364xyb\\uc1\\u-4064?c\\u10?\\u13?d}", "a€b\uF020cd"},
        {"fallback bytes skipped", "{\\rtf1 \\u252\\'fc und \\u228 a}", "ü und ä"},
        {"control symbols", "{\\rtf1 a\\~b\\-c\\_d\\{\\}\\\\}", "a\u00A0bc\u2011d{}\\"},
        {"invalid byte", "{\\rtf1 a\\'zzb}", "azzb"},
        {"table flattened", "{\\rtf1\\trowd\\cellx100\\cellx200 a\\cell b\\cell\\row c}", "a\tb\t\nc"},
        {"typographic words", "{\\rtf1\\ldblquote x\\rdblquote\\endash y\\emdash\\bullet}",
         "\u201Cx\u201D\u2013y\u2014\u2022"},
        {"line end after backslash", "{\\rtf1 a\\\r\nb}", "a\nb"},
        {"huge numbers", "{\\rtf1\\fs99999999999999999999\\li-2147483649\\u99999999999 \\cf4294967296 x}",
         "x"},
        {"code page of the document", "{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}", "\u0410\u0431"},
        {"code page of the font",
         "{\\rtf1{\\fonttbl{\\f0\\fcharset238 X;}{\\f1\\fcharset161 Y;}}\\f0\\'b9\\f1\\'e1}", "\u0105\u03B1"},
        {"symbol bullet", "{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}\\f1\\'b7}", "\u2022"},
        {"empty", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(plainOf(c.rtf), c.text);
    }
    QTextDocument doc;
    ui::readRtf("{\\rtf1 Sehr <Fah{\\b rer}/Name>}", doc);
    const auto ps = paragraphs(doc);
    ASSERT_EQ(ps[0].runs.size(), 3u);
    EXPECT_TRUE(ps[0].runs[1].bold);
    EXPECT_EQ(ps[0].runs[1].text, "rer");
}

// A control character reads alike whether it comes as a byte of text, as "\'hh" or as "\uN": a
// tab is kept, the others are dropped, and the letter reads the same after it is saved.
TEST(RtfReader, AControlCharacterReadsAlikeInEveryFormAndTheSameAfterSaving)
{
    for (const int code : {0x00, 0x01, 0x09, 0x0b, 0x18, 0x1f}) {
        SCOPED_TRACE(code);
        const QString expected = code == '\t' ? QStringLiteral("a\tb") : QStringLiteral("ab");
        const QByteArray forms[] = {
            QByteArray("{\\rtf1 a") + char(code) + "b}",
            QByteArray("{\\rtf1 a\\'") + QByteArray::number(code, 16).rightJustified(2, '0') + "b}",
            QByteArray("{\\rtf1 a\\u") + QByteArray::number(code) + "?b}",
        };
        for (const QByteArray &rtf : forms) {
            SCOPED_TRACE(rtf.toStdString());
            QTextDocument read;
            ui::readRtf(rtf, read);
            EXPECT_EQ(read.toPlainText(), expected);
            QTextDocument again;
            ui::readRtf(ui::writeRtf(read), again);
            EXPECT_EQ(again.toPlainText(), read.toPlainText());
        }
    }
}

TEST(RtfReader, SurvivesDeepNestingTruncationAndRandomBytes)
{
    // Far deeper than any writer goes: read, and the text kept.
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(200000, '{') + "\\b tief" + QByteArray(300000, '}') + " danach";
    EXPECT_EQ(plainOf(deep), QStringLiteral("tief danach"));

    // Every cut of the sample letter reads the text before the cut (a number
    // cut short may change the last character).
    const QByteArray sample(kSampleLetter);
    const QString full = plainOf(sample);
    for (qsizetype cut = 0; cut < sample.size(); ++cut) {
        const QString text = plainOf(sample.first(cut));
        ASSERT_TRUE(full.startsWith(text.chopped(text.isEmpty() ? 0 : 1))) << "cut at " << cut;
    }

    // Random input made of the format's own pieces and random bytes: every
    // document read can be written and read again.
    static const char *const kPieces[] = {
        "{",     "}",          "\\",          "\\'",        "\\u",       "\\uc",
        "\\bin", "\\par",      "\\pard",      "\\b",        "\\fs",      "\\f",
        "\\cf",  "{\\fonttbl", "{\\colortbl", "{\\*",       "\\pn",      "\\pnlvlblt",
        "\\li",  "\\fi",       "-",           "0",          "7",         "99999999999",
        " ",     ";",          "\\red",       "\\fcharset", "\\ansicpg", "\\line",
        "\\tab", "\\cell",     "\\row",       "\\ls",       "ab",        "\r\n"};
    std::mt19937 random(4711);
    for (int round = 0; round < 1500; ++round) {
        QByteArray input = round % 2 ? "{\\rtf1" : "";
        const int pieces = int(random() % 300);
        for (int i = 0; i < pieces; ++i) {
            if (random() % 4 == 0)
                input += char(random() % 256);
            else
                input += kPieces[random() % std::size(kPieces)];
        }
        QTextDocument doc;
        ui::readLetterFile(input, doc);
        QTextDocument again;
        ui::readRtf(ui::writeRtf(doc), again);
        ASSERT_EQ(again.toPlainText(), doc.toPlainText()) << input.toPercentEncoding().toStdString();
    }
}

TEST(LetterFile, PlainTextInUtf8OrWindows1252WithEitherLineEnd)
{
    const QString expected = QStringLiteral("Grüße aus Köln\n\tMaß: 5 €\nEnde");
    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const QByteArray utf8 = expected.toUtf8();
    QStringEncoder cp1252("Windows-1252");
    const QByteArray windows = cp1252(expected);
    ASSERT_FALSE(cp1252.hasError());
    const Case cases[] = {
        {"UTF-8, LF", utf8},
        {"UTF-8, CR LF", QByteArray(utf8).replace("\n", "\r\n")},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" + utf8},
        {"Windows 1252, LF", windows},
        {"Windows 1252, CR LF", QByteArray(windows).replace("\n", "\r\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument doc;
        ui::readLetterFile(c.bytes, doc);
        EXPECT_EQ(doc.blockCount(), 3);
        EXPECT_EQ(doc.toPlainText(), expected);
        EXPECT_FALSE(doc.isModified());
    }
}

TEST(RtfCodePages, EveryCodePageNameIsKnownToTheDecoder)
{
    for (int charset : {0, 1, 2, 161, 162, 163, 177, 178, 186, 204, 222, 238}) {
        const int codePage = ui::rtf::codePageOfCharset(charset, 1252);
        if (codePage == ui::rtf::kSymbolCodePage)
            continue;
        const QByteArray name = ui::rtf::codePageName(codePage).toLatin1();
        ASSERT_FALSE(name.isEmpty()) << charset;
        EXPECT_TRUE(QStringDecoder(name.constData()).isValid()) << name.constData();
    }
    EXPECT_EQ(ui::rtf::codePageOfCharset(238, 1252), 1250);
    EXPECT_EQ(ui::rtf::codePageOfCharset(1, 1251), 1251);
    EXPECT_TRUE(ui::rtf::codePageName(437).isEmpty());
}

TEST(ParagraphIndents, OneConversionForDocumentAndFile)
{
    struct Case {
        ui::ParagraphIndents indents;
        ui::TwipIndents twips;
        double leftMarginPx;
        double textIndentPx;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}, 0, 0},
        {{18, 18, 72}, {-360, 720, 1440}, 48, -24},
        {{36, 0, 0}, {0, 720, 0}, 48, 0},
        {{30, -12, 6}, {240, 360, 120}, 24, 16},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ui::toTwips(c.indents), c.twips);
        EXPECT_EQ(ui::fromTwips(c.twips), c.indents);
        QTextBlockFormat f;
        ui::setIndents(f, c.indents);
        EXPECT_DOUBLE_EQ(f.leftMargin(), c.leftMarginPx);
        EXPECT_DOUBLE_EQ(f.textIndent(), c.textIndentPx);
        EXPECT_EQ(ui::indentsOf(f), c.indents);
    }
}

TEST(RtfWriter, AnIndependentReaderFindsTheWholeText)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    ASSERT_FALSE(unrtf.isEmpty()) << "unrtf is installed by scripts/install-deps";
    QTextDocument doc;
    buildLetter(doc);
    testsupport::TempDir dir;
    const auto file = testsupport::writeFile(dir / "brief.rtf", ui::writeRtf(doc).toStdString());
    QProcess process;
    // Its HTML form names every character exactly (its plain-text form drops what Latin-1 lacks).
    process.start(unrtf, {QStringLiteral("--html"), QString::fromStdString(file.string())});
    ASSERT_TRUE(process.waitForFinished(20000));
    ASSERT_EQ(process.exitCode(), 0);
    QTextDocument html;
    html.setHtml(QString::fromUtf8(process.readAllStandardOutput()));
    const QString out = html.toPlainText();
    for (const QString &expected :
         {QStringLiteral("Fuhrparkverwaltung Müller & Söhne"),
          QStringLiteral("Sehr geehrter Herr Öztürk, die Hauptuntersuchung für "
                         "<Fahrzeug/KfzNr> ist \u201Eüberfällig\u201C."),
          QStringLiteral("12.345,67 €"), QStringLiteral("Reifen prüfen"),
          // This reader loses the rest of a word after "\uN?": words only.
          QStringLiteral("Łódź"), QStringLiteral("Жуков"), QStringLiteral("\U0001F697 – fertig"),
          QStringLiteral("Blocksatz mit hängendem Einzug")})
        EXPECT_TRUE(out.contains(expected)) << expected.toStdString() << "\n---\n" << out.toStdString();
}
