// The letter editor's database panel: the vehicle and driver of a letter, the
// value items of the popup menu and the replacement of placeholders.
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "daten/Aliase.h"
#include "formulare/KARVENTextFormular.h"
#include "logik/BriefPlatzhalter.h"
#include "ui/Connect.h"
#include "ui/DBLookupComboBox.h"
#include "ui/Messages.h"
#include "ui/PopupMenu.h"

Q_LOGGING_CATEGORY(lcBrief, "fleet.brief")

namespace fleet {

namespace {

// The editor's text as the replacement scan sees it.
class EditorText : public brief::BriefText {
public:
    explicit EditorText(QTextEdit &editor) : editor_(editor) {}
    int Laenge() const override { return int(editor_.document()->toRawText().size()); }
    int Suchen(QChar zeichen, int ab) const override
    {
        return int(editor_.document()->toRawText().indexOf(zeichen, ab));
    }
    void Markieren(int start, int laenge) override
    {
        QTextCursor cursor(editor_.document());
        cursor.setPosition(start);
        cursor.setPosition(start + laenge, QTextCursor::KeepAnchor);
        editor_.setTextCursor(cursor);
    }
    QString Markierung() const override { return editor_.textCursor().selectedText(); }
    void MarkierungErsetzen(const QString &text) override
    {
        QTextCursor cursor = editor_.textCursor();
        cursor.insertText(text);
        editor_.setTextCursor(cursor);
    }

private:
    QTextEdit &editor_;
};

// Values of the declared fields of the two tables.
class TabellenWerte : public brief::Feldwerte {
public:
    TabellenWerte(const dbe::TTable &fahrer, const dbe::TTable &fahrzeug)
        : fahrer_(fahrer), fahrzeug_(fahrzeug)
    {
    }
    std::optional<QString> Fahrer(const QString &feld) const override { return wert(fahrer_, feld); }
    std::optional<QString> Fahrzeug(const QString &feld) const override { return wert(fahrzeug_, feld); }

private:
    static std::optional<QString> wert(const dbe::TTable &tabelle, const QString &feld)
    {
        const dbe::TField *f = tabelle.Active() ? tabelle.FindField(feld) : nullptr;
        if (!f)
            return std::nullopt;
        return f->AsString();
    }
    const dbe::TTable &fahrer_;
    const dbe::TTable &fahrzeug_;
};

} // namespace

void TKARVENTextFormular::panelAufbauen()
{
    PanDatenbank->setFrameShape(QFrame::StyledPanel);
    auto *raster = new QGridLayout(PanDatenbank);
    raster->setContentsMargins(6, 4, 6, 4);
    raster->addWidget(new QLabel(QStringLiteral("Fahrzeug:"), PanDatenbank), 0, 0);
    DBLkpCmbBoxFahrzeug = ui::make<ui::DBLookupComboBox>(PanDatenbank, "DBLkpCmbBoxFahrzeug");
    raster->addWidget(DBLkpCmbBoxFahrzeug, 0, 1);
    raster->addWidget(new QLabel(QStringLiteral("Fahrer:"), PanDatenbank), 1, 0);
    DBLkpCmbBoxFahrer = ui::make<ui::DBLookupComboBox>(PanDatenbank, "DBLkpCmbBoxFahrer");
    raster->addWidget(DBLkpCmbBoxFahrer, 1, 1);
    for (ui::DBLookupComboBox *box : {DBLkpCmbBoxFahrzeug, DBLkpCmbBoxFahrer}) {
        box->setMinimumWidth(200);
        box->setEnabled(false);
        box->setPositionsListSource(true);
    }
    BtnDatenbank = ui::make<QPushButton>(PanDatenbank, "BtnDatenbank", QStringLiteral("Datenbank aktiv."));
    BtnDatenbank->setToolTip(QStringLiteral("Aktiviert/Deaktivert die Verbindungen zur Datenbank"));
    BtnDatenbank->setStatusTip(BtnDatenbank->toolTip());
    raster->addWidget(BtnDatenbank, 0, 2);
    BtnErsetzen = ui::make<QPushButton>(PanDatenbank, "BtnErsetzen", QStringLiteral("Ersetzen"));
    BtnErsetzen->setEnabled(false);
    raster->addWidget(BtnErsetzen, 1, 2);
    raster->addWidget(new QLabel(QStringLiteral("Gültige Datenbank - Variable"), PanDatenbank), 0, 3);
    ListBoxVariable = ui::make<QListWidget>(PanDatenbank, "ListBoxVariable");
    ListBoxVariable->setFixedHeight(44);
    ListBoxVariable->setMinimumWidth(220);
    raster->addWidget(ListBoxVariable, 1, 3);
    raster->setColumnStretch(4, 1);

    QMenu *fahrzeug = PopupMenu1->addMenu(QStringLiteral("Fahrzeug"));
    fahrzeug->setObjectName(QStringLiteral("Fahrzeug1"));
    PopupMenu1->addSeparator();
    QMenu *fahrer = PopupMenu1->addMenu(QStringLiteral("Fahrer"));
    fahrer->setObjectName(QStringLiteral("Fahrer1"));
    PopupMenu1->addSeparator();
    Variable1 = PopupMenu1->addItem("Variable1", QStringLiteral("Variable"));

    // One line of the value table per item, each with its own handler.
#define FLEET_BRIEF_PUNKT(item, beschriftung, tabelle, feld)                                                 \
    {                                                                                                        \
        QMenu *menue = brief::Tabelle::tabelle == brief::Tabelle::Fahrer ? fahrer : fahrzeug;                \
        QAction *punkt = ui::make<QAction>(menue, #item, QStringLiteral(beschriftung));                      \
        menue->addAction(punkt);                                                                             \
        ui::on(punkt, &QAction::triggered, this, [this] { item##Click(); });                                 \
    }
    FLEET_BRIEF_WERTPUNKTE(FLEET_BRIEF_PUNKT)
#undef FLEET_BRIEF_PUNKT

    ui::on(BtnDatenbank, &QPushButton::clicked, this, [this] { BtnDatenbankClick(); });
    ui::on(BtnErsetzen, &QPushButton::clicked, this, [this] { BtnErsetzenClick(); });
    ui::on(Variable1, &QAction::triggered, this, [this] { Variable1Click(); });
}

void TKARVENTextFormular::tabellenAnlegen()
{
    TblFahrzeug.SetName(QStringLiteral("TblFahrzeug"));
    TblFahrzeug.SetDatabaseName(kAliasFuhrpark);
    TblFahrzeug.SetTableName(QStringLiteral("KfzStamm.DB"));
    for (const QString &feld : brief::FahrzeugFelder())
        TblFahrzeug.AddField(feld);
    TblFahrer.SetName(QStringLiteral("TblFahrer"));
    TblFahrer.SetDatabaseName(kAliasFuhrpark);
    TblFahrer.SetTableName(QStringLiteral("KfzFahrer.DB"));
    for (const QString &feld : brief::FahrerFelder())
        TblFahrer.AddField(feld);

    DBLkpCmbBoxFahrzeug->setListSource(&DataSrcFahrzeug);
    DBLkpCmbBoxFahrzeug->setKeyField(QStringLiteral("KfzNr"));
    DBLkpCmbBoxFahrzeug->setListField(QStringLiteral("KfzNr;Info;Gruppe"));
    DBLkpCmbBoxFahrer->setListSource(&DataSrcFahrer);
    DBLkpCmbBoxFahrer->setKeyField(QStringLiteral("Name"));
    DBLkpCmbBoxFahrer->setListField(QStringLiteral("Name;Strasse;Plz;Ort"));
}

void TKARVENTextFormular::VariablenlisteFuellen()
{
    ListBoxVariable->clear();
    try {
        const auto eintragen = [this](dbe::TTable &tabelle, const QString &kategorie) {
            tabelle.Open();
            for (int i = 0; i < tabelle.FieldCount(); ++i)
                ListBoxVariable->addItem(
                    QStringLiteral("<%1/%2>").arg(kategorie, tabelle.Fields(i)->FieldName()));
            tabelle.Close();
        };
        eintragen(TblFahrer, QStringLiteral("Fahrer"));
        eintragen(TblFahrzeug, QStringLiteral("Fahrzeug"));
    } catch (const std::exception &fehler) {
        qCWarning(lcBrief) << fehler.what();
        ListBoxVariable->clear();
        TblFahrer.Close();
        TblFahrzeug.Close();
        ui::messages().error(QStringLiteral("Variablenliste konnte nicht gefüllt werden"));
    }
}

void TKARVENTextFormular::DatenbankSchliessen(const QString &beschriftung)
{
    TblFahrzeug.Close();
    TblFahrer.Close();
    DBLkpCmbBoxFahrzeug->setEnabled(false);
    DBLkpCmbBoxFahrer->setEnabled(false);
    BtnErsetzen->setEnabled(false);
    BtnDatenbank->setText(beschriftung);
}

void TKARVENTextFormular::BtnDatenbankClick()
{
    if (TblFahrzeug.Active()) {
        DatenbankSchliessen(QStringLiteral("Datenbank aktiv."));
        return;
    }
    try {
        TblFahrzeug.Open();
        TblFahrer.Open();
        for (ui::DBLookupComboBox *box : {DBLkpCmbBoxFahrzeug, DBLkpCmbBoxFahrer}) {
            box->setEnabled(true);
            box->refreshList();
        }
        DBLkpCmbBoxFahrzeug->setEditText(TblFahrzeug.FieldByName(QStringLiteral("Kfznr"))->AsString());
        DBLkpCmbBoxFahrer->setEditText(TblFahrer.FieldByName(QStringLiteral("Name"))->AsString());
        BtnErsetzen->setEnabled(true);
        BtnDatenbank->setText(QStringLiteral("Datenbank deaktiv."));
    } catch (const std::exception &fehler) {
        qCWarning(lcBrief) << fehler.what();
        DatenbankSchliessen(QStringLiteral("Datenbank aktiv."));
    }
}

void TKARVENTextFormular::Variable1Click()
{
    const QListWidgetItem *eintrag = ListBoxVariable->currentItem();
    if (!eintrag || REditText->isReadOnly())
        return;
    REditText->textCursor().insertText(eintrag->text());
}

void TKARVENTextFormular::WertEinfuegen(int wertpunkt)
{
    const brief::Wertpunkt &punkt = brief::Wertpunkte().at(wertpunkt);
    dbe::TTable &tabelle = punkt.tabelle == brief::Tabelle::Fahrer ? TblFahrer : TblFahrzeug;
    if (!tabelle.Active() || REditText->isReadOnly())
        return;
    REditText->textCursor().insertText(tabelle.FieldByName(punkt.feld)->AsString());
}

namespace {
// The index of each value item in the table, in declaration order.
enum WertpunktNummer {
#define FLEET_BRIEF_NUMMER(item, beschriftung, tabelle, feld) Nr##item,
    FLEET_BRIEF_WERTPUNKTE(FLEET_BRIEF_NUMMER)
#undef FLEET_BRIEF_NUMMER
};
} // namespace

#define FLEET_BRIEF_HANDLER(item, beschriftung, tabelle, feld)                                               \
    void TKARVENTextFormular::item##Click()                                                                  \
    {                                                                                                        \
        WertEinfuegen(Nr##item);                                                                             \
    }
FLEET_BRIEF_WERTPUNKTE(FLEET_BRIEF_HANDLER)
#undef FLEET_BRIEF_HANDLER

void TKARVENTextFormular::BtnErsetzenClick()
{
    REditText->setFocus();
    EditorText text(*REditText);
    const TabellenWerte werte(TblFahrer, TblFahrzeug);
    const brief::ErsetzenErgebnis ergebnis = brief::PlatzhalterErsetzen(text, werte);
    switch (ergebnis.ende) {
    case brief::ErsetzenErgebnis::Ende::Fertig:
        ui::messages().information(brief::Zaehlmeldung(ergebnis));
        return;
    case brief::ErsetzenErgebnis::Ende::OhneAbschluss:
        ui::messages().error(brief::kOhneAbschlussMeldung);
        return;
    case brief::ErsetzenErgebnis::Ende::LeererText:
    case brief::ErsetzenErgebnis::Ende::FehlerAmEnde:
        return;
    }
}

} // namespace fleet
