#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "regeln/LeasingPrognose.h"

namespace {

struct Fall {
    const char *name;
    const char *beginn;
    int dauer;
    double schnitt;
    double kmStand;
    base::TDateTime jetzt;
    const char *erwartet;
};

TEST(LeasingEndKmStand, ForecastsTheReadingAtLeaseEnd)
{
    const base::TDateTime mittag = 0.5;
    const Fall faelle[] = {
        // 31.01. + 1 month ends on the last day of February; at 01.02. noon 27.5 days
        // are left: 27.5 / 30.5 = 0.9 months, 10000 + 1000 * 0.9.
        {"end of month clamped", "31.01.2024", 1, 1000, 10000, base::encodeDate(2024, 2, 1) + mittag,
         "10900"},
        // One day later the lease would have ended on 01.03. without the clamp.
        {"after the clamped end", "31.01.2024", 1, 1000, 10000, base::encodeDate(2024, 2, 29) + mittag,
         "n.v."},
        {"on the start day", "01.01.2024", 12, 2000, 5000, base::encodeDate(2024, 1, 1), "29000"},
        {"months rounded to one decimal", "01.01.2024", 12, 1000, 0, base::encodeDate(2024, 7, 1), "6000"},
        {"no average", "01.01.2024", 12, 0, 5000, base::encodeDate(2024, 1, 1), "n.v."},
        {"no duration", "01.01.2024", 0, 1000, 5000, base::encodeDate(2024, 1, 1), "n.v."},
        {"negative duration", "01.01.2024", -3, 1000, 5000, base::encodeDate(2024, 1, 1), "n.v."},
        {"no start", "", 12, 1000, 5000, base::encodeDate(2024, 1, 1), "n.v."},
        {"unreadable start", "31.02.2024", 12, 1000, 5000, base::encodeDate(2024, 1, 1), "Fehler"},
        {"word as start", "bald", 12, 1000, 5000, base::encodeDate(2024, 1, 1), "Fehler"},
        {"lease over", "01.01.2020", 12, 1000, 5000, base::encodeDate(2024, 1, 1), "n.v."},
        {"negative average", "01.01.2024", 12, -100, 5000, base::encodeDate(2024, 1, 1), "3800"},
    };
    for (const Fall &f : faelle) {
        QString ergebnis = QStringLiteral("alt");
        fleet::LeasingEndKmStand(QString::fromUtf8(f.beginn), f.dauer, ergebnis, f.schnitt, f.kmStand,
                                 f.jetzt);
        EXPECT_EQ(ergebnis, QString::fromUtf8(f.erwartet)) << f.name;
    }
}

} // namespace
