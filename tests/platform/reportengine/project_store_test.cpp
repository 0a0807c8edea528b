#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "reportengine/ProjectStore.h"
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
