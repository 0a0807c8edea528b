#include "fixture.h"

#include <limits>

#include "base/DateTime.h"
#include "dbe/BlobStream.h"

using namespace dbe;

namespace {

class FieldsTest : public DbeFixture {
protected:
    void SetUp() override
    {
        TableDef all;
        all.name = QStringLiteral("Alle.db");
        all.fields = {fd("Text", FieldType::String, 5), fd("Klein", FieldType::SmallInt),
                      fd("Gross", FieldType::Integer),  fd("Zahl", FieldType::Float),
                      fd("Geld", FieldType::Currency),  fd("Tag", FieldType::Date),
                      fd("Zeit", FieldType::Time),      fd("Stempel", FieldType::DateTime),
                      fd("Ja", FieldType::Boolean),     fd("Notiz", FieldType::Memo),
                      fd("Bild", FieldType::Graphic),   fd("Nr", FieldType::AutoInc)};
        all.fields[3].minValue = 1;
        all.fields[3].maxValue = 10;
        session->RegisterTable(all);
    }
};

TEST_F(FieldsTest, ValuesAndGermanTextsOfEveryType)
{
    auto t = table(QStringLiteral("Alle.db"));
    t->Open();
    t->Append();
    auto f = [&](const char *n) { return t->FieldByName(QString::fromLatin1(n)); };
    struct Case {
        const char *field;
        QString input;
        QString asString;
        TFieldType type;
    };
    const std::vector<Case> cases = {
        {"Text", QStringLiteral("Überlang"), QStringLiteral("Überl"), TFieldType::ftString},
        {"Klein", QStringLiteral("-12"), QStringLiteral("-12"), TFieldType::ftSmallint},
        {"Gross", QStringLiteral("70000"), QStringLiteral("70000"), TFieldType::ftInteger},
        {"Zahl", QStringLiteral("2,5"), QStringLiteral("2,5"), TFieldType::ftFloat},
        {"Geld", QStringLiteral("12,345"), QStringLiteral("12,345"), TFieldType::ftCurrency},
        {"Tag", QStringLiteral("1.2.2024"), QStringLiteral("01.02.2024"), TFieldType::ftDate},
        {"Zeit", QStringLiteral("8:30"), QStringLiteral("08:30:00"), TFieldType::ftTime},
        {"Stempel", QStringLiteral("31.12.2024 23:59:58"), QStringLiteral("31.12.2024 23:59:58"),
         TFieldType::ftDateTime},
        {"Ja", QStringLiteral("wahr"), QStringLiteral("Wahr"), TFieldType::ftBoolean},
        {"Notiz", QStringLiteral("Zeile 1\nZeile 2"), QStringLiteral("Zeile 1\nZeile 2"), TFieldType::ftMemo},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.field);
        f(c.field)->SetAsString(c.input);
        EXPECT_EQ(f(c.field)->AsString(), c.asString);
        EXPECT_EQ(f(c.field)->DataType(), c.type);
    }
    f("Geld")->SetDisplayFormat(QStringLiteral("#####0.00"));
    EXPECT_EQ(f("Geld")->DisplayText(), "12,35");
    EXPECT_EQ(f("Geld")->AsCurrency(), base::Currency::fromUnits(123450));
    EXPECT_EQ(f("Tag")->AsDateTime(), base::encodeDate(2024, 2, 1));
    EXPECT_EQ(f("Gross")->AsFloat(), 70000.0);
    EXPECT_THROW(f("Gross")->SetAsString(QStringLiteral("x1")), EDatabaseError);
    EXPECT_THROW(f("Tag")->SetAsString(QStringLiteral("30.2.2024")), EDatabaseError);
    f("Bild")->SetAsBytes(QByteArray("\x89PNG\0\1", 6));
    t->Post();
    t->Close();
    t->Open();
    EXPECT_EQ(f("Nr")->AsInteger(), 1); // numbered by the engine
    EXPECT_EQ(f("Bild")->AsBytes(), QByteArray("\x89PNG\0\1", 6));
    // A read-only blob stream ends with the engine's "end of blob".
    TBlobStream blob(*f("Bild"));
    EXPECT_EQ(blob.Size(), 6);
    EXPECT_EQ(blob.Read(4), QByteArray("\x89PNG", 4));
    EXPECT_EQ(blob.Read(100), QByteArray("\0\1", 2));
    try {
        blob.Read(1);
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::EndOfBlob);
    }
    EXPECT_EQ(TBlobStream(*f("Notiz")).ReadAll(), QByteArray("Zeile 1\nZeile 2"));
    EXPECT_EQ(f("Stempel")->AsDateTime(), base::encodeDateTime(2024, 12, 31, 23, 59, 58));
    EXPECT_TRUE(f("Ja")->AsBoolean());
    t->Edit();
    f("Text")->Clear();
    EXPECT_TRUE(f("Text")->IsNull());
    f("Text")->SetAsString(QString());
    EXPECT_TRUE(f("Text")->IsNull());
    // Validity checks of the catalogue.
    f("Zahl")->SetAsFloat(11);
    try {
        t->Post();
        FAIL();
    } catch (const EDBEngineError &e) {
        EXPECT_EQ(e.ErrorCode(), ErrorCode::MaxValue);
    }
    t->Cancel();
}

// A table's definition comes back from the storage as it was made, in another session too: types,
// sizes, checks, defaults, keys and indexes, and names that need quoting; fields are found in any case.
TEST_F(FieldsTest, DefinitionsReadBackFromTheStorageAsMade)
{
    TableDef def;
    def.name = QStringLiteral("Pruef.db");
    def.fields = {fd("Nr", FieldType::Integer), fd("Anzeige \"kurz\"", FieldType::String, 12),
                  fd("Ölstand", FieldType::Float), fd("Betrag", FieldType::Currency)};
    def.fields[0].required = true;
    def.fields[1].defaultValue = QStringLiteral("neu");
    def.fields[2].minValue = 0.5;
    def.fields[2].maxValue = 7;
    def.primaryKey = {QStringLiteral("Nr")};
    def.indexes = {
        {QStringLiteral("ByAnzeige"), {QStringLiteral("Anzeige \"kurz\"")}, ixUnique | ixCaseInsensitive}};
    session->RegisterTable(def);
    {
        auto t = table(QStringLiteral("Pruef.db"));
        t->Open();
        t->Append();
        t->FieldByName(QStringLiteral("Nr"))->SetAsInteger(1);
        t->FieldByName(QStringLiteral("Ölstand"))->SetAsFloat(2.5);
        t->Post();
    }
    TSession other(QString::fromStdString((dir / "other.cfg").string()));
    other.AddStandardAlias(QStringLiteral("Daten"), QString::fromStdString(dir.str()));
    TTable t(&other);
    t.SetDatabaseName(QStringLiteral("Daten"));
    t.SetTableName(QStringLiteral("PRUEF.DB"));
    t.Open();
    const QList<FieldDef> read = t.FieldDefs();
    ASSERT_EQ(read.size(), def.fields.size());
    for (int i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(def.fields[i].name.toStdString());
        EXPECT_EQ(read[i].name, def.fields[i].name);
        EXPECT_EQ(read[i].type, def.fields[i].type);
        EXPECT_EQ(read[i].size, def.fields[i].size);
        EXPECT_EQ(read[i].required, def.fields[i].required);
        EXPECT_EQ(read[i].minValue.isValid(), def.fields[i].minValue.isValid());
        EXPECT_EQ(read[i].minValue.toDouble(), def.fields[i].minValue.toDouble());
        EXPECT_EQ(read[i].maxValue.toDouble(), def.fields[i].maxValue.toDouble());
        EXPECT_EQ(read[i].defaultValue.toString(), def.fields[i].defaultValue.toString());
    }
    const QList<IndexDef> indexes = t.IndexDefs();
    ASSERT_EQ(indexes.size(), 2);
    EXPECT_EQ(indexes[0].fields, QStringList({"Nr"}));
    EXPECT_EQ(indexes[1].name, "ByAnzeige");
    EXPECT_EQ(indexes[1].fields, def.indexes[0].fields);
    EXPECT_EQ(indexes[1].options, ixUnique | ixCaseInsensitive);
    EXPECT_EQ(t.FieldByName(QStringLiteral("Anzeige \"kurz\""))->AsString(), "neu");
    EXPECT_EQ(t.FindField(QStringLiteral("ÖLSTAND")), t.Fields(2));
    EXPECT_EQ(t.FindField(QStringLiteral("anzeige \"KURZ\"")), t.Fields(1));
    EXPECT_EQ(t.FindField(QStringLiteral("Olstand")), nullptr);
    EXPECT_EQ(t.FindField(QStringLiteral("Nr ")), nullptr);
    EXPECT_EQ(t.FieldByName(QStringLiteral("ölstand"))->AsFloat(), 2.5);
    t.Close();
}

TEST_F(FieldsTest, DeclaredFieldsFixSubsetAndOrderAndMayMove)
{
    auto t = table(QStringLiteral("Kfz.db"));
    t->AddField(QStringLiteral("Info"))->SetDisplayLabel(QStringLiteral("Bemerkung"));
    t->AddField(QStringLiteral("kfznr"))->SetVisible(false);
    t->Open();
    ASSERT_EQ(t->FieldCount(), 2);
    EXPECT_EQ(t->Fields(0)->FieldName(), "Info");
    EXPECT_EQ(t->Fields(0)->DisplayLabel(), "Bemerkung");
    EXPECT_EQ(t->Fields(1)->FieldNo(), 1);
    EXPECT_EQ(t->FindField(QStringLiteral("Km")), nullptr);
    t->Fields(1)->SetIndex(0);
    EXPECT_EQ(t->Fields(0)->FieldName(), "kfznr");
    EXPECT_EQ(t->FieldByName(QStringLiteral("Info"))->Index(), 1);
    t->Close();
    t->Open();
    EXPECT_EQ(t->Fields(0)->FieldName(), "kfznr"); // declared fields survive closing
}

TEST_F(FieldsTest, LookupFieldShowsAndSetsTheKeyAndCalculatedFieldsFollow)
{
    auto codes = table(QStringLiteral("Codes.db"));
    codes->Open();
    for (const auto &[code, name] :
         std::vector<std::pair<QString, QString>>{{"TUV", "Hauptuntersuchung"}, {"ASU", "Abgas"}}) {
        codes->Append();
        codes->FieldByName(QStringLiteral("Code"))->SetAsString(code);
        codes->FieldByName(QStringLiteral("Name"))->SetAsString(name);
        codes->Post();
    }
    auto k = table(QStringLiteral("Kosten.db"));
    k->AddField(QStringLiteral("KfzNr"));
    k->AddField(QStringLiteral("Art"));
    k->AddField(QStringLiteral("Betrag"));
    TField *lookup =
        k->AddLookupField(QStringLiteral("ArtDummy"), QStringLiteral("Art"), codes.get(),
                          QStringLiteral("Code"), QStringLiteral("Name"), TFieldType::ftString, 20);
    TField *doubled = k->AddCalculatedField(QStringLiteral("Doppelt"), TFieldType::ftFloat);
    k->OnCalcFields = [&](TDataSet &ds) {
        ds.FieldByName(QStringLiteral("Doppelt"))
            ->SetAsFloat(ds.FieldByName(QStringLiteral("Betrag"))->AsFloat() * 2);
    };
    k->Open();
    k->Append();
    k->FieldByName(QStringLiteral("Art"))->SetAsString(QStringLiteral("ASU"));
    k->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(21);
    EXPECT_EQ(lookup->AsString(), "Abgas");
    EXPECT_EQ(doubled->AsFloat(), 42.0);
    lookup->SetAsString(QStringLiteral("Hauptuntersuchung"));
    EXPECT_EQ(k->FieldByName(QStringLiteral("Art"))->AsString(), "TUV");
    k->Post();
    EXPECT_EQ(k->RecordText(1, lookup), "Hauptuntersuchung");
    EXPECT_EQ(k->RecordValue(1, doubled).toDouble(), 42.0);
    EXPECT_EQ(codes->FieldByName(QStringLiteral("Code"))->AsString(), "ASU"); // lookup did not move it
}

TEST_F(FieldsTest, TypedNumbersReadTheDotAsThousandsSeparator)
{
    auto t = table(QStringLiteral("Alle.db"));
    t->Open();
    t->Append();
    // Field, typed text, stored value as text; empty: refused with the message.
    struct Case {
        const char *field;
        const char *typed;
        const char *stored;
        const char *message;
    };
    const Case cases[] = {
        {"Geld", "1.150", "1150", nullptr},
        {"Zahl", "112.500", "112500", nullptr},
        {"Geld", "34.500,50", "34500,5", nullptr},
        {"Gross", "-1.000.000", "-1000000", nullptr},
        {"Klein", "1.150", "1150", nullptr},
        {"Geld", "1.15", nullptr,
         "Geld: '1.15' ist keine gültige Zahl. Bitte eine Zahl eingeben (z. B. 1.234,50)."},
        {"Zahl", "1.1500", nullptr,
         "Zahl: '1.1500' ist keine gültige Zahl. Bitte eine Zahl eingeben (z. B. 1.234,50)."},
        {"Geld", "1..150", nullptr,
         "Geld: '1..150' ist keine gültige Zahl. Bitte eine Zahl eingeben (z. B. 1.234,50)."},
        {"Gross", "1.15", nullptr, "Gross: '1.15' ist keine ganze Zahl. Bitte eine ganze Zahl eingeben."},
        {"Gross", "120/163", nullptr,
         "Gross: '120/163' ist keine ganze Zahl. Bitte eine ganze Zahl eingeben."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        TField *f = t->FieldByName(QString::fromLatin1(c.field));
        f->SetAsString(QStringLiteral("7"));
        try {
            f->SetText(QString::fromUtf8(c.typed));
            EXPECT_EQ(c.message, nullptr);
            EXPECT_EQ(f->AsString(), QString::fromUtf8(c.stored));
        } catch (const EDatabaseError &e) {
            ASSERT_NE(c.message, nullptr);
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.message));
            EXPECT_EQ(f->AsString(), "7"); // the value is left as it was
        }
    }
    t->FieldByName(QStringLiteral("Zahl"))->SetAsFloat(2);
    t->Post();
    // Filter texts keep their own form: the point is a decimal point there.
    t->SetFilter(QStringLiteral("Zahl > 1.5"));
    t->SetFiltered(true);
    EXPECT_EQ(t->RecordCount(), 1);
    t->SetFilter(QStringLiteral("Zahl > 2.500"));
    EXPECT_EQ(t->RecordCount(), 0);
}

TEST_F(FieldsTest, ValuesOutsideTheTypesRangeAreRefusedAndLeaveTheRecord)
{
    auto t = table(QStringLiteral("Alle.db"));
    t->Open();
    t->Append();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Field, value given, message; an empty message: taken as given.
    struct Case {
        const char *field;
        QVariant value;
        const char *message;
    };
    const std::vector<Case> cases = {
        {"Gross", QStringLiteral("2147483647"), nullptr},
        {"Gross", QStringLiteral("-2147483648"), nullptr},
        {"Gross", QStringLiteral("2147483648"),
         "2147483648 ist kein gültiger Wert für das Feld 'Gross'. Der erlaubte Bereich ist -2147483648 bis "
         "2147483647."},
        {"Gross", QStringLiteral("99999999999999999999"),
         "99999999999999999999 ist kein gültiger Wert für das Feld 'Gross'. Der erlaubte Bereich ist "
         "-2147483648 bis 2147483647."},
        {"Gross", QVariant(qint64(5000000000)),
         "5000000000 ist kein gültiger Wert für das Feld 'Gross'. Der erlaubte Bereich ist -2147483648 bis "
         "2147483647."},
        {"Gross", QVariant(quint64(1) << 63),
         "9223372036854775808 ist kein gültiger Wert für das Feld 'Gross'. Der erlaubte Bereich ist "
         "-2147483648 bis 2147483647."},
        {"Gross", QVariant(1e20),
         "1e+20 ist kein gültiger Wert für das Feld 'Gross'. Der erlaubte Bereich ist -2147483648 bis "
         "2147483647."},
        {"Gross", QVariant(nan), "'NAN' ist kein gültiger Integerwert"},
        {"Gross", QVariant(2147483646.6), nullptr},
        {"Klein", QVariant(32767), nullptr},
        {"Klein", QVariant(-32768), nullptr},
        {"Klein", QVariant(70000),
         "70000 ist kein gültiger Wert für das Feld 'Klein'. Der erlaubte Bereich ist -32768 bis 32767."},
        {"Klein", QStringLiteral("70000"),
         "70000 ist kein gültiger Wert für das Feld 'Klein'. Der erlaubte Bereich ist -32768 bis 32767."},
        {"Klein", QVariant(-32769),
         "-32769 ist kein gültiger Wert für das Feld 'Klein'. Der erlaubte Bereich ist -32768 bis 32767."},
        {"Nr", QVariant(qint64(1) << 40),
         "1099511627776 ist kein gültiger Wert für das Feld 'Nr'. Der erlaubte Bereich ist -2147483648 bis "
         "2147483647."},
        {"Zahl", QVariant(1e300), nullptr},
        {"Zahl", QVariant(nan), "'NAN' ist kein gültiger Gleitkommawert"},
        {"Geld", QVariant(inf), "'INF' ist kein gültiger Gleitkommawert"},
        {"Geld", QVariant(-inf), "'-INF' ist kein gültiger Gleitkommawert"},
        {"Zahl", QStringLiteral("1e400"),
         "Zahl: '1e400' ist keine gültige Zahl. Bitte eine Zahl eingeben (z. B. 1.234,50)."},
        // Money is summed as 64-bit fixed point with four decimals: nothing beyond that enters.
        {"Geld", QStringLiteral("1.000.000.000.000.000"),
         "1e+15 ist kein gültiger Wert für das Feld 'Geld'. Der erlaubte Bereich ist -922337203685477,5807 "
         "bis "
         "922337203685477,5807."},
        {"Geld", QStringLiteral("1e15"),
         "1e+15 ist kein gültiger Wert für das Feld 'Geld'. Der erlaubte Bereich ist -922337203685477,5807 "
         "bis "
         "922337203685477,5807."},
        {"Geld", QVariant(-1e15),
         "-1e+15 ist kein gültiger Wert für das Feld 'Geld'. Der erlaubte Bereich ist -922337203685477,5807 "
         "bis "
         "922337203685477,5807."},
        {"Geld", QStringLiteral("922.337.203.685.477"), nullptr},
        {"Geld", QVariant(-922337203685477.0), nullptr},
        {"Zahl", QStringLiteral("1e15"), nullptr},
        {"Tag", QVariant(base::encodeDate(9999, 12, 31)), nullptr},
        {"Tag", QVariant(base::encodeDate(1, 1, 1)), nullptr},
        {"Tag", QVariant(1e12), "'1000000000000' ist kein gültiges Datum"},
        {"Tag", QVariant(-1e7), "'-10000000' ist kein gültiges Datum"},
        {"Tag", QVariant(nan), "'NAN' ist kein gültiges Datum"},
        {"Zeit", QVariant(1e12), "'1000000000000' ist keine gültige Zeit"},
        {"Stempel", QVariant(inf), "'INF' ist kein gültiges Datum und Zeit"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.value.toString().toStdString());
        TField *f = t->FieldByName(QString::fromLatin1(c.field));
        f->Clear();
        f->SetValue(1);
        const QVariant before = f->Value();
        try {
            f->SetValue(c.value);
            EXPECT_EQ(c.message, nullptr);
            EXPECT_NE(f->Value(), before);
        } catch (const EDatabaseError &e) {
            ASSERT_NE(c.message, nullptr);
            EXPECT_EQ(e.Message().toStdString(), c.message);
            EXPECT_EQ(f->Value(), before);
        }
    }
    // Through SetAsInteger and SetAsFloat alike.
    EXPECT_THROW(t->FieldByName(QStringLiteral("Klein"))->SetAsInteger(40000), EDatabaseError);
    EXPECT_THROW(t->FieldByName(QStringLiteral("Zahl"))->SetAsFloat(nan), EDatabaseError);
    t->Cancel();
}

TEST_F(FieldsTest, TextIsCutAtACharacterAndLoneSurrogatesAreRefused)
{
    auto t = table(QStringLiteral("Alle.db"));
    t->Open();
    t->Append();
    TField *text = t->FieldByName(QStringLiteral("Text"));     // 5 UTF-16 units
    const QString car = QString::fromUtf8("\xF0\x9F\x9A\x97"); // one character of two units
    struct Case {
        QString input;
        QString stored; // empty: refused
    };
    const std::vector<Case> cases = {
        {QStringLiteral("Ölöfen"), QStringLiteral("Ölöfe")},
        {QStringLiteral("Auto") + car, QStringLiteral("Auto")}, // the pair would be cut: left out
        {QStringLiteral("Aut") + car, QStringLiteral("Aut") + car},
        {car + car + car, car + car},
        {QStringLiteral("A") + QChar(0xD83D) + QStringLiteral("B"), QString()},
        {QStringLiteral("AB") + QChar(0xDE97), QString()},
        {QStringLiteral("AB") + QChar(0xD83D), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        text->SetAsString(QStringLiteral("alt"));
        if (c.stored.isEmpty()) {
            try {
                text->SetAsString(c.input);
                ADD_FAILURE() << "taken";
            } catch (const EDatabaseError &e) {
                EXPECT_EQ(e.Message(),
                          QString::fromUtf8("Der Text für das Feld 'Text' enthält ein ungültiges Zeichen"));
            }
            EXPECT_EQ(text->AsString(), "alt");
        } else {
            text->SetAsString(c.input);
            EXPECT_EQ(text->AsString(), c.stored);
        }
    }
    // A memo refuses a lone surrogate as well; stored texts come back whole.
    EXPECT_THROW(t->FieldByName(QStringLiteral("Notiz"))->SetAsString(QString(QChar(0xDC00))),
                 EDatabaseError);
    text->SetAsString(QStringLiteral("Aut") + car);
    t->Post();
    t->Close();
    t->Open();
    EXPECT_EQ(t->FieldByName(QStringLiteral("Text"))->AsString(), QStringLiteral("Aut") + car);
}

} // namespace
