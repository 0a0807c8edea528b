// The page loop of a print run handing its finished pages on one by one, against the same run that
// keeps them all.
#include <map>

#include "engine_fixture.h"
#include "reportengine/EngineTypes.h"
#include "reportengine/PrintRun.h"

using namespace enginetest;

namespace {

class Host : public tb::RunHost {
public:
    std::optional<tb::Value> lookup(const QString &name) const override
    {
        const auto it = values.find(name);
        if (it != values.end())
            return tb::Value::ofText(it->second);
        if (name == QLatin1String("Firma"))
            return tb::Value::ofText(QStringLiteral("Muster GmbH"));
        return std::nullopt;
    }
    void notify(unsigned, intptr_t) override {}
    bool delayTableHeader() const override { return false; }
    double now() const override { return 45292; }

    std::map<QString, QString> values;
};

// Takes the pages and notes how many pages the run still held when it let one go.
class Collector : public tb::PageSink {
public:
    explicit Collector(tb::PrintRun &run) : run_(run) {}
    void page(const tb::Page &page) override
    {
        mostHeld = std::max(mostHeld, run_.model().pages.size());
        pages.push_back(page);
    }
    void tableLine(const tb::TableLineRecord &line) override
    {
        // A page's lines come before the page itself.
        EXPECT_EQ(line.page, int(pages.size()) + 1);
        lines.push_back(line);
    }
    std::vector<tb::Page> pages;
    std::vector<tb::TableLineRecord> lines;
    size_t mostHeld = 0;

private:
    tb::PrintRun &run_;
};

// The list loop on the run itself: a row that does not fit goes again on a new page. Every fifth
// row carries a remark that wraps, so rows differ in height.
void runList(tb::PrintRun &run, Host &host, int rows)
{
    run.print();
    for (int row = 0; row < rows; ++row) {
        host.values[QStringLiteral("Nr")] = QString::number(row + 1);
        host.values[QStringLiteral("Name")] = QStringLiteral("Zeile %1").arg(row + 1);
        host.values[QStringLiteral("Betrag")] = QStringLiteral("1.234,50");
        host.values[QStringLiteral("Memo")] =
            row % 5 == 0 ? QStringLiteral("Überführung nach München, Rückfahrt über Würzburg und Fulda.")
                         : QString();
        if (run.printFields() == tb::TB_WRN_REPEAT_DATA) {
            run.print();
            ASSERT_EQ(run.printFields(), 0);
        }
    }
    while (run.printFieldsEnd() == tb::TB_WRN_REPEAT_DATA) {
    }
}

QStringList linesOf(const std::vector<tb::TableLineRecord> &lines)
{
    QStringList out;
    for (const auto &line : lines) {
        QStringList cells;
        for (const auto &cell : line.cells)
            cells << cell.text;
        out << QStringLiteral("%1|%2|%3").arg(int(line.kind)).arg(line.page).arg(cells.join(u';'));
    }
    return out;
}

QStringList itemsOf(const tb::Page &page)
{
    QStringList out;
    for (const auto &p : page.items)
        out << QStringLiteral("%1|%2|%3,%4|%5,%6,%7,%8")
                   .arg(int(p.kind))
                   .arg(p.text)
                   .arg(p.origin.x())
                   .arg(p.origin.y())
                   .arg(p.rect.x())
                   .arg(p.rect.y())
                   .arg(p.rect.width())
                   .arg(p.rect.height());
    return out;
}

TEST(PrintRunPages, HandedOnOneByOneAsTheyAreFinishedAndLaidOutAsWhenKept)
{
    struct Case {
        const char *what;
        tb::Project project;
        int rows;
        size_t pages; // at least
    } cases[] = {{"list of several pages", listProject(60), 45, 3},
                 {"list of one page", listProject(), 3, 1},
                 {"cards", cardProject(), 0, 3}};
    for (auto &c : cases) {
        SCOPED_TRACE(c.what);
        const bool cards = c.project.kind == tb::ProjectKind::Card;
        Host keptHost, passedHost;
        tb::PrintRun kept(c.project, QStringLiteral("Liste.lst"), keptHost, {});
        tb::PrintRun passed(c.project, QStringLiteral("Liste.lst"), passedHost, {});
        Collector collector(passed);
        passed.streamPagesTo(&collector);
        if (cards) {
            for (const char *kfz : {"HH-AB 1234", "M-ÜX 987", "B-Q 12"}) {
                keptHost.values[QStringLiteral("KfzNr")] = passedHost.values[QStringLiteral("KfzNr")] =
                    QString::fromUtf8(kfz);
                kept.print();
                passed.print();
            }
        } else {
            runList(kept, keptHost, c.rows);
            runList(passed, passedHost, c.rows);
        }
        passed.finishPages();

        ASSERT_GE(kept.model().pages.size(), c.pages);
        ASSERT_EQ(collector.pages.size(), kept.model().pages.size());
        EXPECT_EQ(collector.mostHeld, size_t(1)); // only the page being laid out
        EXPECT_TRUE(passed.model().pages.empty());
        EXPECT_TRUE(passed.model().table.empty()); // the table lines went on with their pages
        EXPECT_EQ(kept.model().table.empty(), cards);
        EXPECT_EQ(linesOf(collector.lines), linesOf(kept.model().table));
        for (size_t i = 0; i < collector.pages.size(); ++i) {
            EXPECT_EQ(collector.pages[i].number, int(i) + 1);
            EXPECT_EQ(itemsOf(collector.pages[i]), itemsOf(kept.model().pages[i])) << "page " << i + 1;
        }
    }
}

} // namespace
