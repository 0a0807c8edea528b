#include <map>

#include <gtest/gtest.h>

#include "reportengine/Expression.h"
#include "reportengine/Value.h"

namespace {

struct Case {
    const char *source;
    const char *expected;
};

tb::EvalContext context(QStringList *errors = nullptr)
{
    static const std::map<QString, tb::Value> names = {
        {QStringLiteral("KfzNr"), tb::Value::ofText(QStringLiteral("HH-AB 1"))},
        {QStringLiteral("Leer"), tb::Value::ofText(QString())},
        {QStringLiteral("Km"), tb::Value::ofText(QStringLiteral("1.234,6"))},
        {QStringLiteral("Menge"), tb::Value::ofNumber(12.5)},
        {QStringLiteral("Datum"), tb::Value::ofDate(45292)}, // 01.01.2024
        {QStringLiteral("Gebucht"), tb::Value::ofText(QStringLiteral("Wahr"))},
        {QStringLiteral("Benzin/Liter"), tb::Value::ofText(QStringLiteral("40"))},
        {QStringLiteral("Null"), tb::Value::null()},
        {QStringLiteral("Termin"), tb::Value::ofText(QStringLiteral("TTblTermineTUEVTermin"))},
    };
    tb::EvalContext c;
    c.page = 3;
    c.now = 45292.75;
    c.projectFile = QStringLiteral("Touren.lst");
    c.lookup = [](const QString &name) -> std::optional<tb::Value> {
        const auto it = names.find(name);
        if (it == names.end())
            return std::nullopt;
        return it->second;
    };
    c.onError = [errors](const QString &e) {
        if (errors)
            errors->append(e);
    };
    return c;
}

QString eval(const char *source, QStringList *errors = nullptr)
{
    QString error;
    const auto e = tb::Expression::parse(QString::fromUtf8(source), &error);
    if (!e)
        return QStringLiteral("SYNTAX: ") + error;
    return e->evaluate(context(errors)).toText();
}

TEST(Expression, EvaluatesTheLanguage)
{
    const Case cases[] = {
        {"", ""},
        {"\"Touren  \" + KfzNr", "Touren  HH-AB 1"},
        {"\"a\"\"b\"", "a\"b"},
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"-2 + 10 / 4", "0,5"},
        {"7 / 0", ""},
        {"\"1\" + 2", "12"}, // text concatenates
        {"Val(Km) + 0.4", "1235"},
        {"Val(\"12,5 km\")", "12,5"},
        {"Val(\"1.234.567\")", "1234567"},
        {"Val(\"3.5\")", "3,5"},
        {"Val(\"abc\")", "0"},
        {"Menge * 2", "25"},
        {"Str$(Menge, 2)", "12,50"},
        {"Str$(1/3)", "0,333333333333333"},
        {"FStr$(1234567.891, \"#,##0.00\")", "1.234.567,89"},
        {"FStr$(Val(Km), \"#,##0\")", "1.235"},
        {"FStr$(Null, \"#,##0\")", ""},
        {"Date$(Datum)", "01.01.2024"},
        {"Date$(Datum, \"MMMM yyyy\")", "Januar 2024"},
        {"Date$(\"15.03.2024\", \"dd.MM.yy\")", "15.03.24"},
        {"Date$(45292, \"dddd, d. MMMM\")", "Montag, 1. Januar"},
        {"Date$(Now(), \"hh:mm\")", "18:00"},
        {"Date$(Today())", "01.01.2024"},
        {"Date$(Leer)", ""},
        {"If(Gebucht = \"Wahr\", \"gebucht\", \"offen\")", "gebucht"},
        {"If(Empty(Leer), \"leer\", \"voll\")", "leer"},
        {"If(not Empty(KfzNr) and Menge > 10, \"ja\", \"nein\")", "ja"},
        {"If(Menge < 10 or Menge >= 12.5, \"ja\", \"nein\")", "ja"},
        {"If(Menge <> 12.5, \"ja\", \"nein\")", "nein"},
        {"If(Val(Km) <= 1234.6, \"ja\", \"nein\")", "ja"},
        {"Choose(Termin, \"TTblTermineInspektionTermin\", \"Inspektion\", \"TTblTermineTUEVTermin\", \"HU\", "
         "\"?\")",
         "HU"},
        {"Choose(\"x\", \"a\", \"1\", \"sonst\")", "sonst"},
        {"Choose(\"x\", \"a\", \"1\")", ""},
        {"Upper$(\"Straße\") + Lower$(\"ABC\")", "STRASSEabc"},
        {"Trim$(\"  a b  \")", "a b"},
        {"Left$(KfzNr, 2) + Mid$(KfzNr, 4, 2) + Right$(KfzNr, 1)", "HHAB1"},
        {"Mid$(\"abcdef\", 3)", "cdef"},
        {"Len(KfzNr)", "7"},
        {"\"Seite \" + Str$(Page(), 0)", "Seite 3"},
        {"ProjectFile$()", "Touren.lst"},
        {"[Benzin/Liter] * 2", "80"},
        {"Datum + 1", "02.01.2024"},
        {"if(1 = 1, \"klein\", \"\")", "klein"},
        {"Empty(Null)", "Wahr"},
        {"Unbekannt + \"x\"", "x"},
        // syntax errors
        {"1 +", "SYNTAX"},
        {"\"offen", "SYNTAX"},
        {"Foo(1)", "SYNTAX"},
        {"Left$(\"a\")", "SYNTAX"},
        {"(1 + 2", "SYNTAX"},
        {"[Name", "SYNTAX"},
        {"1 2", "SYNTAX"},
        {"a # b", "SYNTAX"},
        {"and", "SYNTAX"},
    };
    for (const auto &c : cases) {
        const QString result = eval(c.source);
        if (QLatin1String(c.expected) == QLatin1String("SYNTAX"))
            EXPECT_TRUE(result.startsWith(QStringLiteral("SYNTAX")))
                << c.source << " -> " << result.toStdString();
        else
            EXPECT_EQ(result.toStdString(), c.expected) << c.source;
    }
}

TEST(Expression, ReportsUndefinedNamesOnlyWhereEvaluated)
{
    QStringList errors;
    EXPECT_EQ(eval("If(1 = 1, KfzNr, Fehlt)", &errors), QStringLiteral("HH-AB 1"));
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(eval("Fehlt", &errors), QString());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("Fehlt")));
}

TEST(Expression, CollectsReferencedNames)
{
    const auto e =
        tb::Expression::parse(QStringLiteral("If(Empty(KfzNr), [Datum von], KfzNr + Str$(Page(), 0))"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->names(), (QStringList{QStringLiteral("KfzNr"), QStringLiteral("Datum von")}));
}

TEST(Expression, ConditionsHoldWhenEmpty)
{
    const auto c = context();
    EXPECT_TRUE(tb::Expression::parse(QString())->holds(c));
    EXPECT_FALSE(tb::Expression::parse(QStringLiteral("Empty(KfzNr)"))->holds(c));
    EXPECT_TRUE(tb::Expression::parse(QStringLiteral("Gebucht"))->holds(c));
}

} // namespace
