#pragma once

#include <memory>
#include <utility>

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include "dbe/Session.h"
#include "temp_dir.h"
#include "ui/Messages.h"

// A fresh home for one test: data and configuration under a temporary
// directory, set up as on an empty machine.
namespace kerntest {

class Umgebung {
public:
    // Points XDG_DATA_HOME, XDG_CONFIG_HOME and KARVENFP_CONFIG_DIR into the
    // temporary directory; with `einrichten` the first start has run.
    explicit Umgebung(bool einrichten = true);
    ~Umgebung();

    const testsupport::TempDir &verzeichnis() const { return dir_; }
    QString daten() const; // $XDG_DATA_HOME/karvenfp
    dbe::TSession &session() { return *session_; }
    // A new session that reads the configuration again (for a second start).
    void neueSession();

private:
    testsupport::TempDir dir_;
    std::unique_ptr<dbe::TSession> session_;
    QString altesVerzeichnis_;
};

// Appends one row to a table of an alias and posts it.
void zeileAnfuegen(dbe::TSession &session, const QString &alias, const QString &tabelle,
                   const QStringList &felder, const QVariantList &werte);

// Field values by field name.
using Werte = QList<std::pair<QString, QVariant>>;

// Writes fields of the first record of a table (the one record of a settings table).
void satzSetzen(dbe::TSession &session, const QString &alias, const QString &tabelle, const Werte &werte);

// A second workstation: a process of its own on the same directories.
class ZweiterArbeitsplatz {
public:
    // Starts holding a table ("offen", "exklusiv", "sperren") until destroyed.
    ZweiterArbeitsplatz(const QString &modus, const QString &alias, const QString &tabelle);
    ~ZweiterArbeitsplatz();
    bool bereit() const { return bereit_; }

    // Runs one short command ("zaehlen", "sperrversuch") and returns its output.
    static QString einmal(const QString &modus, const QString &alias, const QString &tabelle);

private:
    QProcess prozess_;
    bool bereit_ = false;
};

// Message service of these tests: records every box and answers OK.
class MeldungsRekorder : public ui::Messages {
public:
    MeldungsRekorder();
    ~MeldungsRekorder() override;
    ui::Answer show(ui::MsgType type, const QString &text, ui::MsgButtons buttons) override;
    QStringList texte;

private:
    ui::Messages *vorher_;
};

} // namespace kerntest
