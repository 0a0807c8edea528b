#include "regeln/Terminarten.h"

namespace fleet {

const QList<Terminart> &Terminarten()
{
    static const QList<Terminart> arten = [] {
        const auto art = [](const char *bez, const char *box, const char *stamm, const char *feld, bool km,
                            const char *einst, const char *index, const char *edit, const char *label) {
            return Terminart{QString::fromUtf8(bez),
                             QString::fromLatin1(box),
                             QString::fromLatin1(stamm),
                             QString::fromLatin1(feld),
                             km,
                             QString::fromLatin1(einst),
                             QString::fromLatin1(index),
                             QString::fromLatin1(edit),
                             QString::fromLatin1(label)};
        };
        QList<Terminart> a{
            art("HU", "ChkBoxTUEV", "KfzTUEVTermin", "TUEVTermin", false, "TUEVTerminZeigen", "Tuev",
                "EditTUEVTermin", ""),
            art("AU", "ChkBoxAU", "KfzASUTermin", "ASUTermin", false, "AUTerminZeigen", "Au", "EditASUTermin",
                ""),
            art("Inspektion", "ChkBoxInspektion", "KfzInspektTermin", "InspektionTermin", false,
                "InspektionTerminZeigen", "Inspek", "EditInspektionTermin", "LblInspektionTermin"),
            art("Vignette1", "ChkBoxVignette1", "KfzVignetteTermin1", "Vignette1Termin", false,
                "Vignette1TerminZeigen", "Vig1", "EditVignetteTermin1", "LblVignette1Termin"),
            art("Vignette2", "ChkBoxVignette2", "KfzVignetteTermin2", "Vignette2Termin", false,
                "Vignette2TerminZeigen", "Vig2", "EditVignetteTermin2", "LblVignette2Termin"),
            art("Kl. Inspektion", "ChkBoxKlInspektion", "KfzKlInspektionTermin", "KlInspektionTermin", true,
                "KlInspektionTerminZeigen", "KlInspek", "EditKlInspektionTermin", "LblKlInspektionTermin"),
            art("Gr. Inspektion", "ChkBoxGrInspektion", "KfzGrInspektionTermin", "GrInspektionTermin", true,
                "GrInspektionTerminZeigen", "GrInspek", "EditGrInspektionTermin", "LblGrInspektionTermin"),
        };
        // The free appointments 3, 4, 5, 13 and 14 are odometer readings; the
        // master fields from 4 on carry no "Kfz" prefix.
        for (int i = 1; i <= 14; ++i) {
            const QString n = QString::number(i);
            const bool km = i == 3 || i == 4 || i == 5 || i == 13 || i == 14;
            a.append(Terminart{
                QStringLiteral("Fr. Termin") + n, QStringLiteral("ChkBoxFrTermin") + n,
                (i <= 3 ? QStringLiteral("KfzFreierTermin") : QStringLiteral("FreierTermin")) + n,
                QStringLiteral("FreierTermin") + n, km,
                QStringLiteral("Freitermin") + n + QStringLiteral("Zeigen"), QStringLiteral("FrTerm") + n,
                QStringLiteral("EditFreierTermin") + n, QStringLiteral("LblFreierTermin") + n});
        }
        // Roll-forward data of the seven named kinds, by master field.
        struct Fortschreibung {
            const char *stamm, *intervall, *datumName, *wort;
        };
        const Fortschreibung kBenannt[] = {
            {"KfzTUEVTermin", "TUEVTIntervall", "TÜV", "HU-Termin"},
            {"KfzASUTermin", "ASUTIntervall", "ASU", "AU-Termin"},
            {"KfzInspektTermin", "InspektionTDatumIntervall", "InspektionDatum", "Inspektionstermin"},
            {"KfzKlInspektionTermin", "KlInspektionTIntervall", "", "Kl. Inspektionstermin"},
            {"KfzGrInspektionTermin", "GrInspektionTIntervall", "", "Gr. Inspektionstermin"},
            {"KfzVignetteTermin1", "Vignette1TIntervall", "Vignette1", "Vignette1-Termin"},
            {"KfzVignetteTermin2", "Vignette2TIntervall", "Vignette2", "Vignette2-Termin"},
        };
        for (Terminart &art : a) {
            for (const Fortschreibung &f : kBenannt) {
                if (art.stammFeld == QLatin1String(f.stamm)) {
                    art.intervall = QString::fromLatin1(f.intervall);
                    art.datumName = QString::fromUtf8(f.datumName);
                    art.wort = QString::fromUtf8(f.wort);
                }
            }
        }
        for (int i = 1; i <= 14; ++i) {
            Terminart &art = a[6 + i];
            art.intervall = QStringLiteral("FrTermin%1TIntervall").arg(i);
            if (!art.km)
                art.datumName = QStringLiteral("FreierTermin%1").arg(i);
        }
        return a;
    }();
    return arten;
}

const QList<int> &TerminartenPruefReihenfolge()
{
    // Column order: 0 HU, 1 AU, 2 Inspektion, 3/4 Vignette, 5/6 Kl./Gr., 7.. free 1..14.
    static const QList<int> reihenfolge{0,  1,  2,  7,  8, 9, 10, 11, 12, 13, 14,
                                        15, 16, 17, 18, 3, 4, 5,  6,  19, 20};
    return reihenfolge;
}

const Terminart *TerminartZuFeld(const QString &feld)
{
    for (const Terminart &a : Terminarten())
        if (a.feld.compare(feld, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

const Terminart *TerminartZuEdit(const QString &edit)
{
    for (const Terminart &a : Terminarten())
        if (a.edit == edit)
            return &a;
    return nullptr;
}

} // namespace fleet
