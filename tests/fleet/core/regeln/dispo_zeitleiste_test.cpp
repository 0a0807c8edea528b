// The dispatch time line's data: the days of a view, the window of days, and
// the bookings read for a span of days over a client's real booking table.
#include <cmath>

#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "detail_umgebung.h"
#include "regeln/DispoZeitleiste.h"

namespace {

using base::encodeDate;
using base::encodeTime;
using fleet::DispoTage;

const double kOffen = std::numeric_limits<double>::infinity();

TEST(DispoZeitleiste, DaysOfTheViewModes)
{
    const base::TDateTime heute = encodeDate(2024, 2, 10);
    struct Fall {
        int modus;
        QString monat;
        DispoTage tage;
    };
    const Fall faelle[] = {
        {0, "Februar", {-kOffen, kOffen}},
        {1, "Februar", {encodeDate(2024, 2, 3), encodeDate(2024, 2, 20)}},
        {2, "Februar", {encodeDate(2024, 2, 1), encodeDate(2024, 2, 29)}},
        {2, "Brumaire", {-kOffen, kOffen}},
        {3, "Februar", {encodeDate(2024, 2, 3), encodeDate(2024, 2, 3)}},
        {4, "Februar", {heute, heute}},
        {5, "Februar", {heute, kOffen}},
    };
    for (const Fall &f : faelle) {
        const fleet::DispoSichtDaten sicht{
            f.modus, encodeDate(2024, 2, 3) + 0.3, encodeDate(2024, 2, 20) + 0.7, heute + 0.4, "2024",
            f.monat};
        EXPECT_EQ(fleet::DispoSichtTage(sicht), f.tage) << f.modus << " " << f.monat.toStdString();
    }
}

TEST(DispoZeitleiste, TheWindowFollowsTheMarkedBookingWithinTheView)
{
    const double t = encodeDate(2024, 5, 10);
    const DispoTage alle{-kOffen, kOffen};
    const DispoTage mai{encodeDate(2024, 5, 1), encodeDate(2024, 5, 31)};
    struct Fall {
        const char *was;
        DispoTage sicht;
        std::optional<DispoTage> bisher, markiert;
        DispoTage fenster;
    };
    const Fall faelle[] = {
        {"from the marked booking", alle, std::nullopt, DispoTage{t + 0.5, t + 2}, {t, t + 6}},
        {"kept while the marked booking lies in it",
         alle,
         DispoTage{t - 3, t + 3},
         DispoTage{t + 2, t + 9},
         {t - 3, t + 3}},
        {"moved when it does not", alle, DispoTage{t - 3, t + 3}, DispoTage{t + 4, t + 4}, {t + 4, t + 10}},
        {"without a marked booking: today", alle, std::nullopt, std::nullopt, {t + 20, t + 26}},
        {"without one in a period: its first day", mai, std::nullopt, std::nullopt, {mai.von, mai.von + 6}},
        {"never past the view's last day",
         mai,
         std::nullopt,
         DispoTage{mai.bis - 1, mai.bis},
         {mai.bis - 6, mai.bis}},
        {"nor before its first", mai, std::nullopt, DispoTage{mai.von - 9, mai.von}, {mai.von, mai.von + 6}},
        {"moved when the view changed", mai, DispoTage{t + 30, t + 36}, DispoTage{t, t}, {t, t + 6}},
        {"a view shorter than the window", DispoTage{t, t + 2}, std::nullopt, DispoTage{t, t}, {t, t + 2}},
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(fleet::DispoFenster(f.sicht, f.bisher, f.markiert, t + 20.4, 7), f.fenster) << f.was;
}

class DispoZeitleisteLesen : public ::testing::Test {
protected:
    detailtest::Mandant m;
    const base::TDateTime tag = encodeDate(2024, 3, 4);

    void buchung(const QString &kfz, base::TDateTime von, const QVariant &bis, const QString &tour)
    {
        kerntest::zeileAnfuegen(m.session(), fleet::kAliasFuhrpark, "KfzDispo.DB",
                                {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis", "Tour"},
                                {kfz, von, bis, encodeTime(8, 0), encodeTime(16, 0), tour});
    }
    // "vehicle day" of each bar read, its begin's day counted from `tag`.
    QStringList lesen(const DispoTage &tage, int hoechstens = 100)
    {
        dbe::TTable &dispo = m.dm->TTblDispo;
        dispo.Refresh();
        lesung = fleet::DispoBalkenLesen(dispo, tage, hoechstens);
        QStringList balken;
        for (const fleet::DispoBalken &b : lesung.balken)
            balken << b.kfzNr + QLatin1Char(' ') + QString::number(std::floor(b.beginn) - tag);
        return balken;
    }
    fleet::DispoBalkenLesung lesung;
};

TEST_F(DispoZeitleisteLesen, OnlyTheBookingsOfTheDaysAreRead)
{
    buchung("A-1", tag - 10, tag - 8, "vorher");
    buchung("A-1", tag - 2, tag, "hinein");
    buchung("A-1", tag + 1, QVariant(), "ohne Ende"); // lasts its first day
    buchung("A-1", tag + 3, tag + 40, "hinaus");
    buchung("A-1", tag + 9, tag + 9, "nachher");
    buchung("B-2", tag + 1, tag + 1, "anderes");

    struct Fall {
        DispoTage tage;
        QStringList balken;
    };
    const Fall faelle[] = {
        {{tag, tag + 6}, {"A-1 -2", "A-1 1", "A-1 3"}},
        {{tag + 2, tag + 2}, {}},
        {{tag + 1, tag + 1}, {"A-1 1"}},
        {{tag + 8, kOffen}, {"A-1 3", "A-1 9"}},
        {{-kOffen, kOffen}, {"A-1 -10", "A-1 -2", "A-1 1", "A-1 3", "A-1 9"}},
    };
    for (const Fall &f : faelle) {
        EXPECT_EQ(lesen(f.tage), f.balken) << f.tage.von - tag;
        EXPECT_EQ(lesung.gelesen, f.balken.size()) << f.tage.von - tag;
        EXPECT_TRUE(lesung.vollstaendig);
    }
    // The bar of a booking without its derived fields: its dates and times.
    lesen({tag + 1, tag + 1});
    ASSERT_EQ(lesung.balken.size(), 1);
    EXPECT_DOUBLE_EQ(lesung.balken[0].beginn, tag + 1 + encodeTime(8, 0));
    EXPECT_DOUBLE_EQ(lesung.balken[0].ende, tag + 1 + encodeTime(16, 0));
    EXPECT_EQ(lesung.balken[0].schluessel.value(0).toString(), QStringLiteral("A-1"));
    EXPECT_TRUE(lesung.balken[0].schluessel.value(2).isNull());

    // All vehicles, filtered by the view: both filters hold.
    dbe::TTable &dispo = m.dm->TTblDispo;
    dispo.SetMasterSource(nullptr);
    dispo.SetMasterFields(QString());
    EXPECT_EQ(lesen({tag, tag + 6}), (QStringList{"A-1 -2", "A-1 1", "A-1 3", "B-2 1"}));
    dispo.SetFilter(QStringLiteral("Tour <> 'hinein'"));
    dispo.SetFiltered(true);
    EXPECT_EQ(lesen({tag, tag + 6}), (QStringList{"A-1 1", "A-1 3", "B-2 1"}));
    // A filter that is switched off is not applied.
    dispo.SetFiltered(false);
    EXPECT_EQ(lesen({tag, tag + 6}).size(), 4);

    // At most so many: one more is read to tell that there are more.
    EXPECT_EQ(lesen({-kOffen, kOffen}, 2), (QStringList{"A-1 -10", "A-1 -2"}));
    EXPECT_FALSE(lesung.vollstaendig);
    EXPECT_EQ(lesung.gelesen, 3);
}

} // namespace
