#include <QFile>
#include <QFileInfo>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "Tb14.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "engine_fixture.h"
#include "fake_engine_fixture.h"
#include "reportengine/Engine.h"
#include "reportengine/ScriptedEngineUi.h"
#include "temp_dir.h"

namespace {

dbe::FieldDef fd(const char *name, dbe::FieldType type, int size = 0)
{
    dbe::FieldDef f;
    f.name = QString::fromUtf8(name);
    f.type = type;
    f.size = size;
    return f;
}

// A table with a field of every kind and two rows: one filled, one blank but for its number.
class FieldTable {
public:
    FieldTable()
    {
        session = std::make_unique<dbe::TSession>(QString::fromStdString((dir / "dbe.cfg").string()));
        session->AddStandardAlias(QStringLiteral("Daten"), QString::fromStdString(dir.str()));
        dbe::TableDef def;
        def.name = QStringLiteral("KfzTour.db");
        def.fields = {fd("Nr", dbe::FieldType::AutoInc),      fd("Klein", dbe::FieldType::SmallInt),
                      fd("Km", dbe::FieldType::Integer),      fd("Liter", dbe::FieldType::Float),
                      fd("Betrag", dbe::FieldType::Currency), fd("Datum", dbe::FieldType::Date),
                      fd("Zeit", dbe::FieldType::Time),       fd("Ab", dbe::FieldType::DateTime),
                      fd("Gebucht", dbe::FieldType::Boolean), fd("Tour", dbe::FieldType::String, 20),
                      fd("Memo", dbe::FieldType::Memo)};
        session->RegisterTables({def});
        table = std::make_unique<dbe::TTable>(session.get());
        table->SetDatabaseName(QStringLiteral("Daten"));
        table->SetTableName(QStringLiteral("KfzTour.db"));
        table->Open();
        table->Append();
        table->FieldByName(QStringLiteral("Klein"))->SetAsInteger(-3);
        table->FieldByName(QStringLiteral("Km"))->SetAsInteger(120500);
        table->FieldByName(QStringLiteral("Liter"))->SetAsFloat(42.5);
        table->FieldByName(QStringLiteral("Betrag"))->SetAsFloat(1234.5);
        table->FieldByName(QStringLiteral("Datum"))->SetAsDateTime(45000);
        table->FieldByName(QStringLiteral("Zeit"))->SetAsDateTime(0.75);
        table->FieldByName(QStringLiteral("Ab"))->SetAsDateTime(45000.5);
        table->FieldByName(QStringLiteral("Gebucht"))->SetAsBoolean(true);
        table->FieldByName(QStringLiteral("Tour"))->SetAsString(QStringLiteral("Hamburg; Kiel"));
        table->FieldByName(QStringLiteral("Memo"))->SetAsString(QStringLiteral("zwei\nZeilen"));
        table->Post();
        table->Append();
        table->Post();
        table->First();
    }

    testsupport::TempDir dir;
    std::unique_ptr<dbe::TSession> session;
    std::unique_ptr<dbe::TTable> table;
};

class Tb14FieldTest : public FakeEngineTest {};

TEST_F(Tb14FieldTest, DatabaseFieldsBecomeTypedFields)
{
    FieldTable data;
    reporting::TTb14_ tb;
    const int job = tb.hTbJob();
    auto defineRow = [&] {
        fake_->clearCalls();
        for (int i = 0; i < data.table->FieldCount(); ++i)
            tb.DefineFieldFromDbField(*data.table->Fields(i));
        QStringList out;
        for (const QString &c : fake_->calls)
            out << c.mid(QStringLiteral("TbDefineFieldExtA(%1, ").arg(job).size()).chopped(4);
        return out;
    };
    const QString number = QString::number(tb::TB_FIELD_NUMBER), date = QString::number(tb::TB_FIELD_DATE),
                  text = QString::number(tb::TB_FIELD_TEXT), flag = QString::number(tb::TB_FIELD_BOOLEAN);
    EXPECT_EQ(defineRow(),
              (QStringList{"Nr, 1, " + number, "Klein, -3, " + number, "Km, 120500, " + number,
                           "Liter, 42,5, " + number, "Betrag, 1234,5, " + number, "Datum, 45000, " + date,
                           "Zeit, 18:00:00, " + text, "Ab, 45000,5, " + date, "Gebucht, Wahr, " + flag,
                           "Tour, Hamburg; Kiel, " + text, "Memo, zwei\nZeilen, " + text}));
    data.table->Next();
    EXPECT_EQ(defineRow(),
              (QStringList{"Nr, 2, " + number, "Klein, (NULL), " + number, "Km, (NULL), " + number,
                           "Liter, (NULL), " + number, "Betrag, (NULL), " + number, "Datum, (NULL), " + date,
                           "Zeit, (NULL), " + text, "Ab, (NULL), " + date, "Gebucht, (NULL), " + flag,
                           "Tour, (NULL), " + text, "Memo, (NULL), " + text}));
}

// The export form's road on the real engine: rows from the table as typed fields, target and file from
// the print options event, written at the end of the run.
TEST(Tb14Run, ExportWritesTheTableThroughTheRealEngine)
{
    FieldTable data;
    auto ui = std::make_unique<tb::ScriptedEngineUi>();
    auto engine = std::make_unique<tb::Engine>(std::move(ui));
    engine->setNow(45300);
    auto previous = tb::setEngine(std::move(engine));
    {
        tb::Project p;
        p.kind = tb::ProjectKind::List;
        tb::PageObject table;
        table.type = tb::PageObject::Type::Table;
        table.rectMm = QRectF(15, 20, 180, 250);
        tb::LineDef header, row;
        for (const char *name : {"Nr", "Km", "Betrag", "Datum", "Gebucht", "Tour"}) {
            tb::CellDef h;
            h.expr = QStringLiteral("\"%1\"").arg(QLatin1String(name));
            header.cells.push_back(h);
            tb::CellDef c;
            c.expr = QLatin1String(name);
            row.cells.push_back(c);
        }
        table.table.header.push_back(header);
        table.table.rows.push_back(row);
        p.objects.push_back(table);
        p.exportSettings = QJsonObject{
            {QStringLiteral("TXT"), QJsonObject{{QStringLiteral("separator"), QStringLiteral("\t")}}}};
        const QString projectFile =
            enginetest::saveProject(p, QString::fromStdString((data.dir / "ExportTourenGr.lst").string()));
        const QString exportFile = QString::fromStdString((data.dir / "export.txt").string());

        reporting::TTb14_ tb;
        tb.SetSortVariables(reporting::TPropYesNo::Yes);
        tb.SetCompressStorage(reporting::TPropYesNo::Yes);
        dbe::TTable &t = *data.table;
        tb.OnDefineFields = [&](QObject *, int, bool design, int &percent, bool &last, intptr_t &) {
            for (int i = 0; i < t.FieldCount(); ++i)
                tb.DefineFieldFromDbField(*t.Fields(i));
            if (design)
                return;
            percent = int(std::lround(double(t.RecNo()) / t.RecordCount() * 100));
            t.Next();
            last = t.Eof();
        };
        tb.OnSetPrintOptions = [&](QObject *, int &) {
            tb.PrintSetOptionString(tb::TB_PRNOPTSTR_EXPORT_TARGET, QStringLiteral("TXT"));
            const QFileInfo info(exportFile);
            tb.XSetParameter(1, QStringLiteral("TXT"), QStringLiteral("Export.Path"), info.absolutePath());
            tb.XSetParameter(1, QStringLiteral("TXT"), QStringLiteral("Export.File"), info.fileName());
            tb.XSetParameter(1, QStringLiteral("TXT"), QStringLiteral("Export.Quiet"), QStringLiteral("1"));
            tb.XSetParameter(1, QStringLiteral("TXT"), QStringLiteral("Export.ShowResult"),
                             QStringLiteral("0"));
        };
        t.First();
        EXPECT_EQ(tb.Print(0, tb::TB_OBJECT_LIST, projectFile, false, tb::TB_PRINT_EXPORT, tb::TB_BOX_EXPORT,
                           nullptr, QStringLiteral("Exportiere..."), false, QString()),
                  0);
        QFile out(exportFile);
        ASSERT_TRUE(out.open(QIODevice::ReadOnly));
        EXPECT_EQ(out.readAll(), QByteArray("Nr\tKm\tBetrag\tDatum\tGebucht\tTour\r\n"
                                            "1\t120500\t1234,5\t15.03.2023\tWahr\tHamburg; Kiel\r\n"
                                            "2\t\t\t\t\t\r\n"));
    }
    tb::setEngine(std::move(previous));
}

} // namespace
