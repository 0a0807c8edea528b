#include "termin_umgebung.h"

#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Table.h"

namespace termintest {

TerminUmgebung::TerminUmgebung()
{
    dm_ = std::make_unique<fleet::TDataModule1>(&umgebung_.session());
    fleet::DataModule1 = dm_.get();
}

TerminUmgebung::~TerminUmgebung()
{
    fleet::DataModule1 = nullptr;
    dm_.reset();
}

void TerminUmgebung::fahrzeug(const QString &kfzNr, double km, const QMap<QString, QVariant> &termine,
                              const QString &info)
{
    // Past the vehicle rules: a table of its own, then the data module reads again.
    dbe::TTable t(&session());
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName(QStringLiteral("KfzStamm.db"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("KfzNr"))->SetAsString(kfzNr);
    t.FieldByName(QStringLiteral("KfzKmStand"))->SetAsFloat(km);
    t.FieldByName(QStringLiteral("Info"))->SetAsString(info);
    for (auto it = termine.begin(); it != termine.end(); ++it)
        t.FieldByName(it.key())->SetValue(it.value());
    t.Post();
    dm_->TTblMain.Refresh();
}

void TerminUmgebung::notiz(const QString &kfzNr, const QString &terminName, const QString &wert,
                           const QVariant &vereinbart, const QString &text)
{
    dbe::TTable t(&session());
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName(QStringLiteral("KfzTerminInfo.db"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("Kfznr"))->SetAsString(kfzNr);
    t.FieldByName(QStringLiteral("TerminName"))->SetAsString(terminName);
    t.FieldByName(QStringLiteral("TerminWert"))->SetAsString(wert);
    t.FieldByName(QStringLiteral("TerminInfo"))->SetAsString(text);
    if (vereinbart.isValid())
        t.FieldByName(QStringLiteral("TerminVereinbart"))->SetValue(vereinbart);
    t.Post();
}

int TerminUmgebung::notizen()
{
    dbe::TTable t(&session());
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName(QStringLiteral("KfzTerminInfo.db"));
    t.Open();
    return t.RecordCount();
}

void TerminUmgebung::schwellen(int tage, int km, int ueberTage, int ueberKm)
{
    dbe::TTable &e = dm_->TTblEinstellungenAllgem;
    if (!e.Active())
        e.Open();
    e.Edit();
    e.FieldByName(QStringLiteral("Numfeld1"))->SetAsInteger(tage);
    e.FieldByName(QStringLiteral("Numfeld2"))->SetAsInteger(km);
    e.FieldByName(QStringLiteral("Numfeld4"))->SetAsInteger(ueberTage);
    e.FieldByName(QStringLiteral("Numfeld5"))->SetAsInteger(ueberKm);
    e.Post();
}

QString TerminUmgebung::stammWert(const QString &kfzNr, const QString &feld)
{
    dbe::TTable t(&session());
    t.SetDatabaseName(fleet::kAliasFuhrpark);
    t.SetTableName(QStringLiteral("KfzStamm.db"));
    t.Open();
    if (!t.Locate(QStringLiteral("KfzNr"), kfzNr))
        return QStringLiteral("<fehlt>");
    return t.FieldByName(feld)->AsString();
}

} // namespace termintest
