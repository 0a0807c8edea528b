#pragma once

#include <memory>

#include <QString>
#include <QVariantList>

#include "daten/DataModule1.h"
#include "kern_umgebung.h"

// A fresh home with the central data module open, and helpers to fill the
// vehicle master and the notes.
namespace termintest {

class TerminUmgebung {
public:
    TerminUmgebung();
    ~TerminUmgebung();

    fleet::TDataModule1 &dm() { return *dm_; }
    dbe::TSession &session() { return umgebung_.session(); }

    // A vehicle with its odometer reading and appointment values by master field.
    void fahrzeug(const QString &kfzNr, double km, const QMap<QString, QVariant> &termine = {},
                  const QString &info = QString());
    void notiz(const QString &kfzNr, const QString &terminName, const QString &wert,
               const QVariant &vereinbart = QVariant(), const QString &text = QStringLiteral("Notiz"));
    int notizen();
    // Client thresholds: warning days, warning km, overdue days, overdue km.
    void schwellen(int tage, int km, int ueberTage, int ueberKm);
    // The master value of one appointment field as text.
    QString stammWert(const QString &kfzNr, const QString &feld);

private:
    kerntest::Umgebung umgebung_;
    std::unique_ptr<fleet::TDataModule1> dm_;
};

} // namespace termintest
