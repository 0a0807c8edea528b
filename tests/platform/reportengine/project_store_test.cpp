#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "reportengine/Engine.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/ScriptedEngineUi.h"
#include "temp_dir.h"

namespace {

const char *kProject = R"json({
  "format": "karven-report-project", "version": 1, "kind": "list", "designerGrid": {"mm": 2.5},
  "page": { "paper": "A4", "orientation": "landscape", "margins_mm": [12, 10, 12, 10], "tray": 2 },
  "font": { "family": "Liberation Sans", "size_pt": 9, "weightHint": 5 },
  "filter": "not Empty(KfzNr)",
  "sums": [ { "name": "SumKm", "expr": "Val(GefahrenKm)", "reset": "page", "note": "x" } ],
  "objects": [
    { "type": "text", "name": "Titel", "rect_mm": [12, 10, 273, 8], "layer": "first", "locked": true,
      "paragraphs": [ { "expr": "\"Touren  \" + KfzNr", "font": { "size_pt": 14, "bold": true },
                        "align": "center", "suppress_if_empty": true, "tabs": [10, 20] } ] },
    { "type": "image", "rect_mm": [12, 22, 273, 70], "layer": "following", "file": "MonUeb~.wmf", "keepAspect": false },
    { "type": "table", "rect_mm": [12, 95, 273, 100], "zebra": "#f2f2f2", "separator": "#c0c0c0",
      "header": [ { "cells": [ { "expr": "\"Datum\"", "width_mm": 22 },
                               { "expr": "\"Gefahren Km\"", "width_mm": 25, "align": "right" } ], "rule_below_pt": 0.8 } ],
      "rows":   [ { "condition": "Val(GefahrenKm) > 0", "cells": [ { "expr": "Datum", "format": "dd.MM.yyyy" },
                    { "expr": "GefahrenKm", "align": "right", "wrap": false, "shade": 3 } ] } ],
      "footer": [ { "cells": [ { "expr": "\"Summe\"" }, { "expr": "FStr$(SumKm, \"#,##0\")", "align": "right" } ] } ] } ],
  "export": { "TXT": { "separator": "\t", "encoding": "UTF-8", "header": true }, "XLS": { "pageObjects": false } }
})json";

TEST(ProjectStore, ReadsTheFormat)
{
    tb::Project p;
    QString error;
    ASSERT_TRUE(tb::JsonProjectStore::fromJson(kProject, p, &error)) << error.toStdString();
    EXPECT_EQ(p.kind, tb::ProjectKind::List);
    EXPECT_TRUE(p.page.landscape);
    EXPECT_EQ(p.page.marginsMm[2], 12);
    EXPECT_EQ(p.filter, QStringLiteral("not Empty(KfzNr)"));
    ASSERT_EQ(p.sums.size(), 1u);
    EXPECT_TRUE(p.sums[0].resetPerPage);
    ASSERT_EQ(p.objects.size(), 3u);
    EXPECT_EQ(p.objects[0].layer, tb::Layer::First);
    EXPECT_EQ(p.objects[0].paragraphs[0].align, tb::Align::Center);
    EXPECT_TRUE(p.objects[0].paragraphs[0].suppressIfEmpty);
    EXPECT_EQ(*p.objects[0].paragraphs[0].font.sizePt, 14);
    EXPECT_FALSE(p.objects[0].paragraphs[0].font.family.has_value());
    EXPECT_FALSE(p.objects[1].keepAspect);
    const tb::PageObject *table = p.table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->table.rows[0].condition, QStringLiteral("Val(GefahrenKm) > 0"));
    EXPECT_FALSE(table->table.rows[0].cells[1].wrap);
    EXPECT_EQ(table->table.rows[0].cells[0].format, QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(table->table.header[0].cells[1].widthMm, 25);
    EXPECT_EQ(table->table.zebra, QColor(0xF2, 0xF2, 0xF2));
    EXPECT_TRUE(p.exportSettings.contains(QStringLiteral("TXT")));
}

TEST(ProjectStore, RoundTripKeepsEverythingIncludingUnknownKeys)
{
    testsupport::TempDir dir;
    const QString file = QString::fromStdString((dir / "Touren.lst").string());
    tb::Project p;
    QString error;
    ASSERT_TRUE(tb::JsonProjectStore::fromJson(kProject, p, &error));
    ASSERT_TRUE(tb::JsonProjectStore().save(file, p, &error));
    tb::Project back;
    ASSERT_TRUE(tb::JsonProjectStore().load(file, back, &error)) << error.toStdString();
    // Written again, the document is the same as the original, unknown keys included.
    const QJsonObject original = QJsonDocument::fromJson(kProject).object();
    const QJsonObject saved = QJsonDocument::fromJson(tb::JsonProjectStore::toJson(back)).object();
    EXPECT_EQ(QJsonDocument(saved).toJson().toStdString(), QJsonDocument(original).toJson().toStdString());
}

TEST(ProjectStore, RejectsWhatIsNoProject)
{
    testsupport::TempDir dir;
    const struct {
        const char *what;
        const char *json;
    } cases[] = {
        {"not json", "{ kaputt"},
        {"other format", R"({"format": "x", "version": 1, "kind": "list"})"},
        {"no version", R"({"format": "karven-report-project", "kind": "list"})"},
        {"unknown kind", R"({"format": "karven-report-project", "version": 1, "kind": "label"})"},
        {"unknown object", R"({"format": "karven-report-project", "version": 1, "kind": "card",
                              "objects": [{"type": "barcode"}]})"},
        {"sum without name", R"({"format": "karven-report-project", "version": 1, "kind": "list",
                                "sums": [{"expr": "1"}]})"},
    };
    for (const auto &c : cases) {
        tb::Project p;
        QString error;
        EXPECT_FALSE(tb::JsonProjectStore::fromJson(c.json, p, &error)) << c.what;
        EXPECT_FALSE(error.isEmpty()) << c.what;
    }
    tb::Project p;
    QString error;
    EXPECT_FALSE(
        tb::JsonProjectStore().load(QString::fromStdString((dir / "fehlt.lst").string()), p, &error));
}

} // namespace

namespace {

// A broken project file is refused with the reason the user is shown: where a syntax error stands,
// which key holds a wrong value. The engine passes the reason on with its code.
TEST(ProjectFileErrors, EachIsRefusedWithItsReason)
{
    testsupport::TempDir dir;
    const struct {
        const char *json;
        const char *message;
    } cases[] = {
        {"", "Die Projektdatei ist leer"},
        {"  \n", "Die Projektdatei ist leer"},
        {"{\n \"format\": \"karven-report-project\",\n \"version\": 1\n \"kind\": \"list\"}",
         "Syntaxfehler in Zeile 4, Spalte 3: Objekt nicht abgeschlossen"},
        {"{\"format\": \"karven-report-project\", \"version\": 1, \"kind\": \"list\",",
         "Syntaxfehler in Zeile 1, Spalte"},
        {R"({"format": "karven-report-project", "version": 1})", "Projektart fehlt (kind)"},
        {R"({"format": "karven-report-project", "version": 1, "kind": "label"})",
         "kind: Unbekannte Projektart \"label\""},
        {R"({"format": "karven-report-project", "version": 1, "kind": "card",
             "objects": [{"type": "text", "rect_mm": [0, 0, 10, 10]}, {"type": "barcode"}]})",
         "objects[1].type: Unbekannter Objekttyp \"barcode\""},
        {R"({"format": "karven-report-project", "version": 1, "kind": "card",
             "objects": [{"type": "text", "rect_mm": [0, 0, "zehn", 10]}]})",
         "objects[0].rect_mm: vier Zahlen erwartet"},
        {R"({"format": "karven-report-project", "version": 1, "kind": "list",
             "objects": [{"type": "table", "rows": [{"cells": [{"expr": "Nr"}]}]}]})",
         "objects[0].rect_mm: Tabelle ohne Rechteck"},
        {R"({"format": "karven-report-project", "version": 1, "kind": "list", "filter": "Nr = ",
             "objects": [{"type": "table", "rect_mm": [10, 10, 100, 100], "rows": [{"cells": [{"expr": "Nr"}]}]}]})",
         "Formel \"Nr = \""},
    };
    tb::Engine engine(std::make_unique<tb::ScriptedEngineUi>());
    const int job = engine.TbJobOpen(-1);
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.json);
        const QString file =
            QString::fromStdString((dir.path() / ("f" + std::to_string(n++) + ".lst")).string());
        testsupport::writeFile(std::filesystem::path(file.toStdString()), c.json);
        EXPECT_EQ(engine.TbPrintWithBoxStartA(job, tb::TB_OBJECT_LIST, file, tb::TB_PRINT_PRINTER, 1, nullptr,
                                              QString()),
                  tb::TB_ERR_BAD_PROJECT);
        EXPECT_TRUE(engine.TbGetErrorTextA(job).startsWith(QString::fromUtf8(c.message)))
            << engine.TbGetErrorTextA(job).toStdString();
        engine.TbPrintEnd(job, 0);
    }
}

// Keys the engine does not know are kept; one that is a typing slip of a known key is named.
TEST(ProjectFileErrors, TypingSlipsInKeysAreNamedAndKept)
{
    const QByteArray json = R"({"format": "karven-report-project", "version": 1, "kind": "list",
        "page": {"orientaton": "landscape"}, "kuenftig": 1,
        "objects": [{"type": "table", "rect_mm": [10, 10, 100, 100],
                     "rows": [{"cells": [{"expr": "Nr", "widht_mm": 20}]}]}]})";
    tb::Project p;
    QString error;
    ASSERT_TRUE(tb::JsonProjectStore::fromJson(json, p, &error)) << error.toStdString();
    EXPECT_EQ(p.page.extra.value(QStringLiteral("orientaton")).toString(), QStringLiteral("landscape"));
    const QStringList warnings = tb::JsonProjectStore::keyWarnings(json);
    ASSERT_EQ(warnings.size(), 2) << warnings.join(u'\n').toStdString();
    const QString all = warnings.join(u'\n');
    EXPECT_TRUE(all.contains(QStringLiteral("page.orientaton – gemeint ist wohl \"orientation\"")))
        << all.toStdString();
    EXPECT_TRUE(
        all.contains(QStringLiteral("objects[0].rows[0].cells[0].widht_mm – gemeint ist wohl \"width_mm\"")));
    EXPECT_FALSE(all.contains(QStringLiteral("kuenftig"))); // a key of another version, not a slip
}

} // namespace
