#include "logik/TourSummen.h"

#include <exception>

#include "daten/Aliase.h"
#include "dbe/Field.h"

namespace fleet {

namespace {

const QStringList kTourSchluessel{QStringLiteral("KfzNr"),      QStringLiteral("Datum"),
                                  QStringLiteral("DatumBis"),   QStringLiteral("Tour"),
                                  QStringLiteral("FahrerName"), QStringLiteral("Kostenstelle")};

double zahl(dbe::TDataSet &touren, const QString &feld)
{
    dbe::TField *f = touren.FieldByName(feld);
    return f->IsNull() ? 0.0 : f->AsFloat();
}

} // namespace

KfzStammKmSaetze::KfzStammKmSaetze(dbe::TSession *session) : stamm_(session)
{
    stamm_.SetDatabaseName(kAliasFuhrpark);
    stamm_.SetTableName(QStringLiteral("KfzStamm.db"));
    stamm_.Open();
}

std::optional<double> KfzStammKmSaetze::KmSatz(const QString &kfzNr)
{
    if (!stamm_.FindKey({kfzNr}))
        return std::nullopt;
    dbe::TField *satz = stamm_.FieldByName(QStringLiteral("FreifeldWae1"));
    return satz->IsNull() ? 0.0 : satz->AsFloat();
}

TourSummierer::TourSummierer(KmSatzQuelle *saetze) : saetze_(saetze)
{
    summen_.KostenNichtVerfuegbar = saetze == nullptr;
}

void TourSummierer::TourAddieren(dbe::TDataSet &touren)
{
    const double km = zahl(touren, QStringLiteral("GefahrenKm"));
    if (!summen_.KostenNichtVerfuegbar) {
        try {
            const QString kfz = touren.FieldByName(QStringLiteral("KfzNr"))->AsString();
            if (letztesKfz_ != kfz) {
                const std::optional<double> satz = saetze_->KmSatz(kfz);
                if (satz) {
                    satz_ = *satz;
                    letztesKfz_ = kfz;
                } else {
                    // A vehicle no longer in the master: this tour costs nothing.
                    satz_ = 0;
                    letztesKfz_.reset();
                }
            }
            summen_.Kosten += km * satz_;
        } catch (const std::exception &) {
            summen_.KostenNichtVerfuegbar = true;
        }
    }
    summen_.Km += km;
    summen_.Ertrag += zahl(touren, QStringLiteral("Ertrag"));
    ++summen_.Anzahl;
}

void TourSummenAlle(dbe::TDataSet &touren, TourSummierer &summierer, const std::function<void()> &schritt)
{
    QVariantList schluessel;
    const bool leer = touren.IsEmpty();
    if (!leer)
        for (const QString &feld : kTourSchluessel)
            schluessel << touren.FieldByName(feld)->Value();
    for (touren.First(); !touren.Eof(); touren.Next()) {
        if (schritt)
            schritt();
        summierer.TourAddieren(touren);
    }
    if (leer)
        return;
    try {
        touren.Locate(kTourSchluessel.join(QLatin1Char(';')), schluessel);
    } catch (const std::exception &) {
        // Not back on the remembered tour: the sums stand all the same.
    }
}

void TourSummenMarkiert(dbe::TDataSet &touren, int anzahl, const std::function<void(int)> &zurMarke,
                        TourSummierer &summierer, const std::function<void()> &schritt)
{
    for (int i = 0; i < anzahl; ++i) {
        if (schritt)
            schritt();
        try {
            zurMarke(i);
        } catch (const std::exception &) {
            return;
        }
        summierer.TourAddieren(touren);
    }
}

} // namespace fleet
