#include <string>

#include <QDate>
#include <QDir>

#include <gtest/gtest.h>

#include "dbe/textfile/CodePage.h"
#include "dbe/textfile/TextTable.h"
#include "temp_dir.h"

using dbe::FieldType;
using dbe::textfile::CodePage;
using dbe::textfile::TextSchema;
using dbe::textfile::TextTable;
using dbe::textfile::TextTableError;

namespace {

std::string pad(const std::string &bytes, size_t width)
{
    std::string s = bytes.substr(0, width);
    s.resize(width, ' ');
    return s;
}

QString dirOf(const testsupport::TempDir &dir)
{
    return QString::fromStdString(dir.str());
}

// A fuel-card file in fixed columns, DOS code page 850 ("Öl" = 99 6C,
// "Süß" = 53 81 E1, "Wäsche" = 57 84 73 63 68 65).
TEST(TextTable, FixedWidthFileInCodePage850)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir / "TANK0105.sch", "; fuel card\r\n"
                                                 "[TANK0105]\r\n"
                                                 "FILETYPE = FIXED\r\n"
                                                 "CHARSET = ascii\r\n"
                                                 "Field1 = Satzart,CHAR,2,00,00\r\n"
                                                 "Field2 = Kennzeichen,CHAR,10,00,02\r\n"
                                                 "Field3 = Artikelbezeichnung,CHAR,12,00,12\r\n"
                                                 "Field4 = Kmstand,LONGINT,7,00,24\r\n"
                                                 "Field5 = Menge,NUMBER,8,02,31\r\n"
                                                 "Field6 = Rechnungsdatum,DATE,10,00,39\r\n");
    testsupport::writeFile(dir / "Tank0105.txt", "10" + pad("AB-CD 12", 10) + pad("\x99l S\x81\xE1", 12) +
                                                     pad("  12345", 7) + pad("   45.50", 8) +
                                                     "05.01.2024\r\n" + //
                                                     "20" + pad("M-XY 9", 10) + pad("W\x84sche", 12) +
                                                     pad("", 7) + pad("abc", 8) + "1.2.2024\r\n" + //
                                                     "10" + pad("S-A 1", 10) + "\r\n" + "\x1a");

    TextTable table(dirOf(dir), "tank0105.TXT");
    EXPECT_TRUE(table.schemaPath().endsWith("TANK0105.sch"));
    EXPECT_EQ(table.schema().section, "TANK0105");
    EXPECT_EQ(table.schema().codePage, CodePage::Dos850);
    ASSERT_EQ(table.fieldCount(), 6);
    EXPECT_EQ(table.schema().fields[3].type, FieldType::Integer);
    EXPECT_EQ(table.fieldNumber("menge"), 5);
    EXPECT_EQ(table.fieldNumber("Preis"), 0);

    ASSERT_TRUE(table.next());
    EXPECT_EQ(table.recordNumber(), 1);
    EXPECT_EQ(table.value("Satzart"), QVariant(QStringLiteral("10")));
    EXPECT_EQ(table.value("Kennzeichen"), QVariant(QStringLiteral("AB-CD 12")));
    EXPECT_EQ(table.value("Artikelbezeichnung"), QVariant(QStringLiteral("Öl Süß")));
    EXPECT_EQ(table.value("KMSTAND"), QVariant(12345));
    EXPECT_EQ(table.value("Menge"), QVariant(45.5));
    EXPECT_EQ(table.value("Rechnungsdatum"), QVariant(QDate(2024, 1, 5)));

    ASSERT_TRUE(table.next());
    EXPECT_EQ(table.value(3), QVariant(QStringLiteral("Wäsche")));
    EXPECT_TRUE(table.isBlank(4)); // empty column
    EXPECT_TRUE(table.isBlank(5)); // no number
    EXPECT_EQ(table.value(6), QVariant(QDate(2024, 2, 1)));

    ASSERT_TRUE(table.next()); // a short line: the missing columns are blank
    EXPECT_EQ(table.value(2), QVariant(QStringLiteral("S-A 1")));
    EXPECT_TRUE(table.isBlank(3));
    EXPECT_TRUE(table.isBlank(6));

    EXPECT_FALSE(table.next()); // the Ctrl-Z mark is no record
    EXPECT_EQ(table.recordNumber(), 0);
    EXPECT_THROW(table.value("Preis"), TextTableError);

    table.rewind();
    ASSERT_TRUE(table.next());
    EXPECT_EQ(table.value(2), QVariant(QStringLiteral("AB-CD 12")));
}

// Separated values in Windows 1252 ("Wäsche" = 57 E4 73 63 68 65,
// "groß" = 67 72 6F DF), with quotes, doubled quotes and separators inside.
TEST(TextTable, DelimitedFileInCodePage1252)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir / "karte.sch", "[KARTE]\n"
                                              "FILETYPE = VARYING\n"
                                              "SEPARATOR = ;\n"
                                              "DELIMITER = \"\n"
                                              "CHARSET = ANSIINTL\n"
                                              "Field1 = Satzart,CHAR,2,00,00\n"
                                              "Field2 = Kennzeichen,CHAR,10,00,00\n"
                                              "Field3 = Artikelbezeichnung,CHAR,30,00,00\n"
                                              "Field4 = Bruttowarenwert,NUMBER,10,02,00\n"
                                              "Field5 = Gebucht,BOOL,1,00,00\n");
    testsupport::writeFile(dir / "karte.txt",
                           "10;\"AB-CD 12\";\"W\xE4sche \"\"Spezial\"\"; gro\xDF\";12.34;T\r\n"
                           "20; \"M-XY 9\" ;\xD6l;12,5;F\n"
                           "10;;\"\";;\n"
                           "30\n");

    TextTable table(dirOf(dir), "karte.txt");
    EXPECT_EQ(table.schema().kind, TextSchema::Kind::Delimited);
    EXPECT_EQ(table.schema().codePage, CodePage::Windows1252);
    EXPECT_EQ(table.schema().separator, ';');

    ASSERT_TRUE(table.next());
    EXPECT_EQ(table.value(2), QVariant(QStringLiteral("AB-CD 12")));
    EXPECT_EQ(table.value(3), QVariant(QStringLiteral("Wäsche \"Spezial\"; groß")));
    EXPECT_EQ(table.value(4), QVariant(12.34));
    EXPECT_EQ(table.value(5), QVariant(true));

    ASSERT_TRUE(table.next());
    EXPECT_EQ(table.value(2), QVariant(QStringLiteral("M-XY 9")));
    EXPECT_EQ(table.value(3), QVariant(QStringLiteral("Öl")));
    EXPECT_EQ(table.value(4), QVariant(12.5));
    EXPECT_EQ(table.value(5), QVariant(false));

    ASSERT_TRUE(table.next());
    for (int no = 2; no <= 5; ++no)
        EXPECT_TRUE(table.isBlank(no)) << no;

    ASSERT_TRUE(table.next()); // fewer values than fields
    EXPECT_EQ(table.value(1), QVariant(QStringLiteral("30")));
    EXPECT_TRUE(table.isBlank(2));
    EXPECT_FALSE(table.next());
}

TEST(TextTable, MissingFilesAreNamed)
{
    testsupport::TempDir dir;
    try {
        TextTable(dirOf(dir), "tank0105.txt");
        FAIL() << "no error";
    } catch (const TextTableError &e) {
        EXPECT_TRUE(e.message().contains("tank0105.txt")) << e.message().toStdString();
    }
    testsupport::writeFile(dir / "tank0105.txt", "10\n");
    try {
        TextTable(dirOf(dir), "tank0105.txt");
        FAIL() << "no error";
    } catch (const TextTableError &e) {
        EXPECT_TRUE(e.message().contains("tank0105.SCH")) << e.message().toStdString();
    }
}

struct BadSchema {
    const char *content;
    int line;
    const char *says;
};

TEST(TextTable, MalformedSchemaNamesFileAndLine)
{
    const BadSchema cases[] = {
        {"FILETYPE = FIXED\n[T]\n", 1, "vor dem Abschnitt"},
        {"[T]\nFILETYPE = CSV\nField1 = A,CHAR,2,00,00\n", 2, "Dateityp"},
        {"[T]\nFILETYPE = FIXED\nCHARSET = klingon\nField1 = A,CHAR,2,00,00\n", 3, "Zeichensatz"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,2,00,00\nField2 = B,MONEY,2,00,02\n", 4, "Feldtyp"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,zwei,00,00\n", 3, "Breite"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,2\n", 3, "Name,Typ"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,2,00,00\nField3 = C,CHAR,2,00,04\n", 4, "Feld 2 fehlt"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,2,00,00\nField1 = B,CHAR,2,00,02\n", 4, "doppelt"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,2,00,00\nField2 = a,CHAR,2,00,02\n", 4, "doppelt"},
        {"[T]\nFILETYPE = VARYING\nSEPARATOR = ;;\nField1 = A,CHAR,2,00,00\n", 3, "Zeichen"},
        {"[T]\nFILETYPE = FIXED\nFarbe = blau\nField1 = A,CHAR,2,00,00\n", 3, "Farbe"},
        {"[T]\nFILETYPE FIXED\n", 2, "="},
        {"[T]\nField1 = A,CHAR,2,00,00\n", 3, "FILETYPE"},
        {"[T]\nFILETYPE = FIXED\n", 3, "keine Felder"},
        {"[T]\nFILETYPE = FIXED\nField1 = A,CHAR,2,00,00\n[U]\n", 4, "Abschnitt"},
    };
    for (const BadSchema &c : cases) {
        try {
            TextSchema::parse(c.content, "/some/dir/T.SCH");
            ADD_FAILURE() << "accepted: " << c.content;
        } catch (const TextTableError &e) {
            const std::string message = e.message().toStdString();
            EXPECT_EQ(e.line(), c.line) << message;
            EXPECT_EQ(e.file(), "T.SCH");
            EXPECT_NE(message.find("T.SCH, Zeile " + std::to_string(c.line)), std::string::npos) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << message;
        }
    }
}

TEST(TextTable, SchemaDefaultsAndQuotedCharacters)
{
    const TextSchema plain = TextSchema::parse("[T]\nfiletype = fixed\nfield1 = A,char,2,00,00\n", "T.SCH");
    EXPECT_EQ(plain.kind, TextSchema::Kind::Fixed);
    EXPECT_EQ(plain.codePage, CodePage::Dos850);
    const TextSchema tabbed = TextSchema::parse(
        "[T]\nFILETYPE = VARYING\nSEPARATOR = TAB\nDELIMITER = \"'\"\nField1 = A,CHAR,2,00,00\n", "T.SCH");
    EXPECT_EQ(tabbed.separator, '\t');
    EXPECT_EQ(tabbed.delimiter, '\'');
}

TEST(CodePage, RoundTripOfGermanLettersAndReplacement)
{
    const QString german = QStringLiteral("ÄÖÜäöüß€");
    EXPECT_EQ(
        dbe::textfile::decode(dbe::textfile::encode(german, CodePage::Windows1252), CodePage::Windows1252),
        german);
    EXPECT_EQ(dbe::textfile::encode(QStringLiteral("Öl"), CodePage::Dos850), QByteArray("\x99l"));
    // 850 has no euro sign; 1252 leaves 0x81 undefined.
    EXPECT_EQ(dbe::textfile::encode(QStringLiteral("5€"), CodePage::Dos850), QByteArray("5?"));
    EXPECT_EQ(dbe::textfile::decode("a\x81z", CodePage::Windows1252), QStringLiteral("a\uFFFDz"));
}

} // namespace
