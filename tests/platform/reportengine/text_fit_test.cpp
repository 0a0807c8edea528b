// Text that does not fit its cell or box is set smaller rather than cut; a number that does not fit
// even at the smallest size shows as overflowing, never with digits lost.
#include <QHash>

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "reportengine/Layouter.h"
#include "reportengine/TextFit.h"

namespace {

struct Shown {
    QString text;
    double sizePt = 0;
};

// The text runs a one-cell table row shows for `value` in a cell `widthMm` wide at 9 pt.
std::vector<Shown> cellShows(const QString &value, double widthMm, bool wrap)
{
    tb::Project project = enginetest::listProject();
    tb::PageObject &table = project.objects.back();
    tb::CellDef cell;
    cell.expr = QStringLiteral("Wert");
    cell.widthMm = widthMm;
    cell.align = tb::Align::Right;
    cell.wrap = wrap;
    table.table.rows = {tb::LineDef{}};
    table.table.rows[0].cells = {cell};
    const tb::Layouter layouter(project, QString(), {});
    tb::EvalContext context;
    context.lookup = [&](const QString &) -> std::optional<tb::Value> { return tb::Value::ofText(value); };
    std::vector<Shown> shown;
    for (const auto &item : layouter.rows(context, 0).items)
        if (item.kind == tb::Primitive::Kind::Text)
            shown.push_back({item.text, item.font.sizePt});
    return shown;
}

TEST(TextFit, ACellSetsWhatItCannotHoldSmallerAndANumberNeverLosesDigits)
{
    struct Case {
        const char *value;
        double widthMm;
        bool wrap;
        const char *shown; // one run expected
        double minPt, maxPt;
    } cases[] = {
        {"1.234,56", 30, false, "1.234,56", 9, 9},              // fits: as it is
        {"1.234.567,89", 18, false, "1.234.567,89", 6, 8.5},    // smaller, whole
        {"-99.999.999,99", 10, false, "###", 6, 6},             // not even at 6 pt: marked
        {"31.12.2024", 13, true, "31.12.2024", 6, 8.5},         // a date is one piece too
        {"Kühltransporte", 19, true, "Kühltransporte", 6, 8.5}, // one word wider than its cell
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        const auto shown = cellShows(QString::fromUtf8(c.value), c.widthMm, c.wrap);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, QString::fromUtf8(c.shown));
        EXPECT_GE(shown[0].sizePt, c.minPt);
        EXPECT_LE(shown[0].sizePt, c.maxPt);
    }
    // A long text of several words wraps at its own size before anything is set smaller.
    const auto lines = cellShows(QStringLiteral("Überführung nach München über Würzburg"), 30, true);
    ASSERT_GT(lines.size(), 1u);
    for (const Shown &l : lines)
        EXPECT_EQ(l.sizePt, 9);
}

TEST(TextFit, NumberTexts)
{
    for (const char *number : {"0,00", "-1.250,50", "99.999.999,99", "1234567", "31.12.2024", "+5"})
        EXPECT_TRUE(tb::isNumberText(QString::fromUtf8(number))) << number;
    for (const char *text : {"", "HH-AB 123", "12 Stück", "1,2,3", "abc", "1.234,5 l"})
        EXPECT_FALSE(tb::isNumberText(QString::fromUtf8(text))) << text;
}

// A text box shrinks all its paragraphs until they fit its width and height; only below 6 pt does
// it cut.
TEST(TextFit, ATextBoxShrinksToHoldItsText)
{
    const QString name = QStringLiteral("Spedition Bärbel Müllers Güterverkehrsgesellschaft mbH & Co. KG");
    struct Case {
        double widthMm, heightMm;
        bool wrap;
        bool whole;
    } cases[] = {
        {120, 6, false, true}, // fits at its size
        {80, 6, false, true},  // one line, smaller
        {58, 6, true, true},   // two lines, smaller
        {20, 6, true, false},  // no room even at 6 pt
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.widthMm);
        tb::Project project = enginetest::cardProject();
        tb::PageObject box;
        box.type = tb::PageObject::Type::Text;
        box.name = QStringLiteral("Firma");
        box.rectMm = QRectF(15, 80, c.widthMm, c.heightMm);
        tb::Paragraph paragraph;
        paragraph.expr = QStringLiteral("Firma");
        paragraph.wrap = c.wrap;
        box.paragraphs = {paragraph};
        project.objects = {box};
        const tb::Layouter layouter(project, QString(), {});
        tb::EvalContext context;
        context.lookup = [&](const QString &) -> std::optional<tb::Value> { return tb::Value::ofText(name); };
        tb::Page page;
        page.number = 1;
        layouter.drawPageObjects(page, context);
        QString shown;
        double size = 99;
        for (const auto &item : page.items) {
            if (item.kind != tb::Primitive::Kind::Text)
                continue;
            shown += item.text;
            size = std::min(size, item.font.sizePt);
            EXPECT_LE(item.origin.y() + 0.1, tb::mmToPt(80 + c.heightMm)); // inside the box
        }
        EXPECT_EQ(QString(shown).remove(u' ') == QString(name).remove(u' '), c.whole) << shown.toStdString();
        EXPECT_GE(size, tb::kMinFitPt);
        EXPECT_EQ(size < 9, c.widthMm < 120);
    }
}

} // namespace
