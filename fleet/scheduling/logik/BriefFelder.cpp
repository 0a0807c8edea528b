#include "logik/BriefFelder.h"

namespace fleet::brief {

namespace {

void nummeriert(QStringList &liste, const QString &stamm, int von, int bis)
{
    for (int i = von; i <= bis; ++i)
        liste << stamm + QString::number(i);
}

} // namespace

QStringList FahrzeugFelder()
{
    QStringList f{QStringLiteral("KfzNr"),
                  QStringLiteral("Info"),
                  QStringLiteral("Gruppe"),
                  QStringLiteral("PkwNummer"),
                  QStringLiteral("VersPolNr"),
                  QStringLiteral("FahrerName"),
                  QStringLiteral("FahrerNr"),
                  QStringLiteral("FahrerKz"),
                  QStringLiteral("BesitzerKz"),
                  QStringLiteral("Kostenstelle"),
                  QStringLiteral("KfzMarke"),
                  QStringLiteral("KfzHerstellerKz"),
                  QStringLiteral("KfzBaujahr"),
                  QStringLiteral("KfzHubraum"),
                  QStringLiteral("KfzKW/PS"),
                  QStringLiteral("KfzAufbau"),
                  QStringLiteral("KfzZulassung"),
                  QStringLiteral("KfzKmStand"),
                  QStringLiteral("KfzTUEVTermin"),
                  QStringLiteral("KfzASUTermin"),
                  QStringLiteral("KfzInspektTermin"),
                  QStringLiteral("KfzFreierTermin1"),
                  QStringLiteral("KfzFreierTermin2"),
                  QStringLiteral("KfzFreierTermin3"),
                  QStringLiteral("KfzVignetteTermin1"),
                  QStringLiteral("KfzVignetteTermin2"),
                  QStringLiteral("KfzKlInspektionTermin"),
                  QStringLiteral("KfzGrInspektionTermin"),
                  QStringLiteral("KfzSonstiges"),
                  QStringLiteral("Anschaffungswert"),
                  QStringLiteral("Restbuchwert"),
                  QStringLiteral("HaftpflNettoBetrag"),
                  QStringLiteral("KaskoNettoBetrag"),
                  QStringLiteral("Steuer"),
                  QStringLiteral("Vermoegenssteuer"),
                  QStringLiteral("GewKapSteuer"),
                  QStringLiteral("AFA"),
                  QStringLiteral("Zinssatz"),
                  QStringLiteral("Zinsen")};
    nummeriert(f, QStringLiteral("Freifeld"), 1, 5);
    nummeriert(f, QStringLiteral("FreifeldNum"), 1, 3);
    nummeriert(f, QStringLiteral("FreifeldWae"), 1, 2);
    nummeriert(f, QStringLiteral("FreifeldDatum"), 1, 3);
    f << QStringLiteral("Memo");
    nummeriert(f, QStringLiteral("FreierTermin"), 4, 8);
    return f;
}

QStringList FahrerFelder()
{
    QStringList f{
        QStringLiteral("Name"),    QStringLiteral("Nummer"),       QStringLiteral("Kennzeichen"),
        QStringLiteral("Vorname"), QStringLiteral("Strasse"),      QStringLiteral("Plz"),
        QStringLiteral("Ort"),     QStringLiteral("Geburtsdatum"), QStringLiteral("Telefon"),
        QStringLiteral("Fax"),     QStringLiteral("Mobil"),        QStringLiteral("FscheinKlassenAllgemein")};
    nummeriert(f, QStringLiteral("FscheinKlassen"), 1, 10);
    nummeriert(f, QStringLiteral("GueltigBis"), 1, 10);
    nummeriert(f, QStringLiteral("Beschraenkungen"), 1, 10);
    f << QStringLiteral("FscheinNummer") << QStringLiteral("FscheinBehoerde")
      << QStringLiteral("FscheinDatum") << QStringLiteral("FscheinVorlage");
    nummeriert(f, QStringLiteral("Freifeld"), 1, 50);
    f << QStringLiteral("Memo");
    return f;
}

const QList<Wertpunkt> &Wertpunkte()
{
#define FLEET_BRIEF_WERTPUNKT(item, beschriftung, tabelle, feld)                                             \
    Wertpunkt{#item, QStringLiteral(beschriftung), Tabelle::tabelle, QStringLiteral(feld)},
    static const QList<Wertpunkt> punkte{FLEET_BRIEF_WERTPUNKTE(FLEET_BRIEF_WERTPUNKT)};
#undef FLEET_BRIEF_WERTPUNKT
    return punkte;
}

} // namespace fleet::brief
