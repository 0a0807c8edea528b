#include "nav_db_fixture.h"

#include "base/GermanFormat.h"
#include "dbe/Field.h"

namespace {

dbe::FieldDef fd(const char *name, dbe::FieldType type, int size = 0)
{
    dbe::FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

struct Vehicle {
    const char *nr, *gruppe;
    int achsen, km;
    bool aktiv;
    double preis;
    const char *datum, *zeit, *stempel;
};

} // namespace

NavDbFixture::NavDbFixture()
{
    using FT = dbe::FieldType;
    session = std::make_unique<dbe::TSession>(QString::fromStdString((dir / "dbe.cfg").string()));
    session->AddStandardAlias(QStringLiteral("Daten"), QString::fromStdString(dir.str()));
    dbe::TableDef stamm;
    stamm.name = QStringLiteral("Stamm.db");
    stamm.fields = {fd("KfzNr", FT::String, 10), fd("Gruppe", FT::String, 20), fd("Achsen", FT::SmallInt),
                    fd("Km", FT::Integer),       fd("Aktiv", FT::Boolean),     fd("Preis", FT::Float),
                    fd("Datum", FT::Date),       fd("Zeit", FT::Time),         fd("Stempel", FT::DateTime),
                    fd("Bemerkung", FT::Memo),   fd("Bild", FT::Graphic)};
    stamm.primaryKey = {QStringLiteral("KfzNr")};
    stamm.indexes = {{QStringLiteral("ByGruppe"), {QStringLiteral("Gruppe")}, 0}};
    dbe::TableDef tour;
    tour.name = QStringLiteral("Tour.db");
    tour.fields = {fd("KfzNr", FT::String, 10), fd("Datum", FT::Date), fd("Tour", FT::Integer),
                   fd("Fahrer", FT::String, 20)};
    tour.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("Datum"), QStringLiteral("Tour")};
    dbe::TableDef pos;
    pos.name = QStringLiteral("TourPos.db");
    pos.fields = {fd("KfzNr", FT::String, 10), fd("Datum", FT::Date), fd("Tour", FT::Integer),
                  fd("Pos", FT::Integer)};
    pos.primaryKey = {QStringLiteral("KfzNr"), QStringLiteral("Datum"), QStringLiteral("Tour"),
                      QStringLiteral("Pos")};
    session->RegisterTables({stamm, tour, pos});

    const Vehicle rows[] = {
        {"A1", "Lieferung", 2, 1000, true, 1.5, "01.01.2024", "08:00:00", "01.01.2024 08:00:00"},
        {"A2", "Linie", 3, 5000, false, 2.5, "15.06.2024", "12:30:00", "15.06.2024 12:30:00"},
        {"A3", "lkw", 2, 20000, true, 10.0, "31.12.2024", "18:00:00", "31.12.2024 18:00:00"},
        {"A4", nullptr, 0, 0, false, 0, nullptr, nullptr, nullptr},
        {"B5", "Bus", 4, 7000, false, 3.25, "01.03.2025", "06:15:00", "01.03.2025 06:15:00"},
    };
    auto t = table("Stamm.db");
    dbe::TTransaction rowsTogether(*session, QStringLiteral("Daten"));
    for (const Vehicle &v : rows) {
        t->Append();
        t->FieldByName("KfzNr")->SetAsString(QString::fromUtf8(v.nr));
        t->FieldByName("Km")->SetAsInteger(v.km);
        if (v.gruppe) {
            t->FieldByName("Gruppe")->SetAsString(QString::fromUtf8(v.gruppe));
            t->FieldByName("Achsen")->SetAsInteger(v.achsen);
            t->FieldByName("Aktiv")->SetAsBoolean(v.aktiv);
            t->FieldByName("Preis")->SetAsFloat(v.preis);
            t->FieldByName("Datum")->SetAsDateTime(*base::de::parseDate(QString::fromUtf8(v.datum)));
            t->FieldByName("Zeit")->SetAsDateTime(*base::de::parseTime(QString::fromUtf8(v.zeit)));
            t->FieldByName("Stempel")->SetAsDateTime(*base::de::parseDateTime(QString::fromUtf8(v.stempel)));
            t->FieldByName("Bemerkung")->SetAsString(QStringLiteral("Notiz ") + QString::fromUtf8(v.gruppe));
        }
        t->Post();
    }
    rowsTogether.Commit();
}

std::unique_ptr<dbe::TTable> NavDbFixture::table(const char *name, bool open)
{
    auto t = std::make_unique<dbe::TTable>(session.get());
    t->SetDatabaseName(QStringLiteral("Daten"));
    t->SetTableName(QString::fromUtf8(name));
    if (open) {
        t->Open();
        if (dbe::TField *aktiv = t->FindField("Aktiv"))
            aktiv->SetDisplayValues(QStringLiteral("Ja;Nein"));
    }
    return t;
}

QStringList NavDbFixture::vehicles(dbe::TDataSet &t)
{
    const dbe::TBookmark mark = t.IsEmpty() ? dbe::TBookmark() : t.GetBookmark();
    QStringList out;
    for (t.First(); !t.Eof(); t.Next())
        out << t.FieldByName("KfzNr")->AsString();
    if (!mark.IsNull())
        t.GotoBookmark(mark);
    return out;
}

QString NavDbFixture::current(dbe::TDataSet &t)
{
    return t.FieldByName("KfzNr")->AsString();
}

void NavDbFixture::addTour(dbe::TTable &tours, const char *kfzNr, const char *datum, int tour)
{
    tours.Append();
    tours.FieldByName("KfzNr")->SetAsString(QString::fromUtf8(kfzNr));
    tours.FieldByName("Datum")->SetAsDateTime(*base::de::parseDate(QString::fromUtf8(datum)));
    tours.FieldByName("Tour")->SetAsInteger(tour);
    tours.Post();
}
