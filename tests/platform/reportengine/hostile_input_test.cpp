// The report engine's readers against hostile input: the reproducers kept in the fuzz corpus give
// their ordinary errors, never a crash, a hang or a garbage value.
#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "reportengine/Expression.h"
#include "reportengine/PageModel.h"
#include "reportengine/ProjectStore.h"

namespace {

QByteArray corpusFile(const char *target, const char *name)
{
    QFile in(QStringLiteral("%1/%2/%3")
                 .arg(QStringLiteral(KARVEN_FUZZ_CORPUS), QLatin1String(target), QLatin1String(name)));
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << name;
    return in.readAll();
}

TEST(HostileInput, DeepFormulasAreSyntaxErrors)
{
    for (const char *name : {"regress-nested-parentheses", "regress-unary-minus", "regress-operator-chain",
                             "regress-not-chain"}) {
        QString error;
        EXPECT_FALSE(tb::Expression::parse(QString::fromUtf8(corpusFile("expression", name)), &error))
            << name;
        EXPECT_TRUE(error.contains(QStringLiteral("verschachtelt"))) << name << ": " << error.toStdString();
    }
    // Real nesting stays well inside the limit.
    QString error;
    const QString deep = QString(50, u'(') + QStringLiteral("1") + QString(50, u')');
    EXPECT_TRUE(tb::Expression::parse(deep, &error)) << error.toStdString();
}

TEST(HostileInput, FormattingAndDateFunctionsGiveTheirErrorValue)
{
    const struct {
        const char *source;
        const char *text;
        bool error;
    } cases[] = {
        {"Str$(1, 1000000000)", "", true},
        {"Str$(1.5, 15)", "1,500000000000000", false},
        {"Date$(100000000000)", "", true},
        {"Date$(0 - 100000000000)", "", true},
        {"Date$(45293)", "02.01.2024", false},
        {"Left$(\"abc\", 100000000000000)", "abc", false},
        {"Mid$(\"abc\", 2, 100000000000000)", "bc", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        const auto expression = tb::Expression::parse(QString::fromUtf8(c.source));
        ASSERT_TRUE(expression);
        QStringList errors;
        tb::EvalContext context;
        context.onError = [&](const QString &e) { errors << e; };
        EXPECT_EQ(expression->evaluate(context).toText(), QString::fromUtf8(c.text));
        EXPECT_EQ(!errors.isEmpty(), c.error) << errors.join(u';').toStdString();
    }
    for (const char *name :
         {"regress-str-decimals", "regress-fstr-decimals", "regress-fstr-digits", "regress-date-days"}) {
        const auto expression = tb::Expression::parse(QString::fromUtf8(corpusFile("expression", name)));
        ASSERT_TRUE(expression) << name;
        QStringList errors;
        tb::EvalContext context;
        context.onError = [&](const QString &e) { errors << e; };
        EXPECT_TRUE(expression->evaluate(context).toText().isEmpty()) << name;
        EXPECT_EQ(errors.size(), 1) << name;
    }
}

TEST(HostileInput, DatesOutsideTheRangeAreNoDates)
{
    for (double value : {1e11, -1e11, 1e300, -4e231, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(base::isValidDateTime(value)) << value;
        EXPECT_EQ(base::datePart(value), 0) << value;
        int y = -1, m = -1, d = -1;
        base::decodeDate(value, y, m, d); // day 0, no undefined conversion
        EXPECT_EQ(y, 1899);
    }
    EXPECT_TRUE(base::isValidDateTime(base::encodeDate(9999, 12, 31) + 0.99));
    EXPECT_TRUE(base::isValidDateTime(base::encodeDate(1, 1, 1)));
    // Whole months beyond the calendar stop at its end instead of overflowing.
    int y = 0, m = 0, d = 0;
    base::decodeDate(base::incMonth(base::encodeDate(2024, 1, 31), 2000000000), y, m, d);
    EXPECT_EQ(y, 9999);
    EXPECT_EQ(base::de::formatFixed(1.5, 1000000000).size(), 17); // "1," and 15 decimals
}

TEST(HostileInput, ProjectFilesBreakingTheParserAreRefused)
{
    tb::Project project;
    QString error;
    // The nested filter loads (it is only text) but is refused as the faulty formula it is.
    ASSERT_TRUE(tb::JsonProjectStore::fromJson(corpusFile("report_project", "regress-filter-nesting"),
                                               project, &error));
    EXPECT_FALSE(tb::Expression::parse(project.filter, &error));
    EXPECT_FALSE(
        tb::JsonProjectStore::fromJson(corpusFile("report_project", "regress-deep-json"), project, &error));
}

TEST(HostileInput, DamagedPreviewFilesAreRefusedWhole)
{
    const QDir dir(QStringLiteral(KARVEN_FUZZ_CORPUS "/preview_file"));
    int seeds = 0, damaged = 0;
    for (const QString &name : dir.entryList(QDir::Files)) {
        QFile in(dir.filePath(name));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        tb::PageModel model;
        const bool read = tb::PageModel::read(in, model);
        if (name.startsWith(QLatin1String("seed-"))) {
            EXPECT_TRUE(read) << name.toStdString();
            EXPECT_FALSE(model.pages.empty()) << name.toStdString();
            ++seeds;
        } else {
            EXPECT_FALSE(read) << name.toStdString();
            EXPECT_TRUE(model.pages.empty()) << name.toStdString();
            ++damaged;
        }
    }
    EXPECT_GE(seeds, 2);
    EXPECT_GE(damaged, 7);
}

TEST(HostileInput, SeedPreviewFilesWrittenAgainGiveTheirOwnBytesAndAnIndex)
{
    // The seeds were written by Qt's own stream; the engine's writer must give the same bytes.
    const QDir dir(QStringLiteral(KARVEN_FUZZ_CORPUS "/preview_file"));
    int seeds = 0;
    for (const QString &name : dir.entryList({QStringLiteral("seed-*")}, QDir::Files)) {
        QFile in(dir.filePath(name));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray original = in.readAll();
        QBuffer source;
        source.setData(original);
        source.open(QIODevice::ReadOnly);
        tb::PageModel model;
        ASSERT_TRUE(tb::PageModel::read(source, model)) << name.toStdString();
        QBuffer written;
        written.open(QIODevice::WriteOnly);
        ASSERT_TRUE(model.write(written));
        const QByteArray bytes = written.data();
        // The index: a mark, the count, an offset per page, where it begins, the mark again.
        EXPECT_EQ(bytes.size(), original.size() + 8 + 8 * qsizetype(model.pages.size()) + 12)
            << name.toStdString();
        EXPECT_EQ(bytes.left(original.size()), original) << name.toStdString();
        ++seeds;
    }
    EXPECT_GE(seeds, 2);
}

} // namespace
