// The designer's editing model without a window: rules, columns, undo steps, locks and the clipboard form.
#include <gtest/gtest.h>

#include "reportengine/Expression.h"
#include "reportengine/ProjectStore.h"
#include "reportengine/designer/DesignRules.h"
#include "reportengine/designer/DesignerDocument.h"

using namespace tb;

namespace {

TableDef threeColumns()
{
    TableDef table;
    LineDef header, row, footer, odd;
    for (int i = 0; i < 3; ++i) {
        CellDef h, c, f;
        h.expr = QStringLiteral("\"H%1\"").arg(i);
        c.expr = QStringLiteral("F%1").arg(i);
        f.expr = QStringLiteral("\"S%1\"").arg(i);
        h.widthMm = c.widthMm = f.widthMm = 10 * (i + 1);
        header.cells.push_back(h);
        row.cells.push_back(c);
        footer.cells.push_back(f);
    }
    odd.cells.resize(1); // a line of another shape is left alone
    odd.cells[0].expr = QStringLiteral("\"Gesamt\"");
    table.header = {header};
    table.rows = {row};
    table.footer = {footer, odd};
    return table;
}

QStringList exprs(const LineDef &line)
{
    QStringList list;
    for (const auto &cell : line.cells)
        list << cell.expr;
    return list;
}

PageObject text(const QString &name, QRectF rect)
{
    PageObject o;
    o.type = PageObject::Type::Text;
    o.name = name;
    o.rectMm = rect;
    Paragraph p;
    p.expr = QStringLiteral("\"Hallo\"");
    o.paragraphs.push_back(p);
    return o;
}

} // namespace

TEST(DesignRules, SnapsToWholeMillimetres)
{
    const struct {
        double in, out;
    } cases[] = {{10.4, 10}, {10.5, 11}, {-0.4, 0}, {-2.6, -3}, {0, 0}};
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(designer::snapMm(c.in), c.out) << c.in;
    EXPECT_EQ(designer::snapRect(QRectF(1.2, 2.7, 30.49, 0.2)), QRectF(1, 3, 30, 0));
}

TEST(DesignRules, NewListHasOneEmptyTableOverThePrintableAreaAndANewCardNothing)
{
    const Project list = designer::newProject(ProjectKind::List);
    ASSERT_EQ(list.objects.size(), 1u);
    const PageObject *table = list.table();
    ASSERT_NE(table, nullptr);
    // A4 portrait, 15 mm margins.
    EXPECT_NEAR(table->rectMm.left(), 15, 1e-9);
    EXPECT_NEAR(table->rectMm.top(), 15, 1e-9);
    EXPECT_NEAR(table->rectMm.width(), 180, 0.5);
    EXPECT_NEAR(table->rectMm.height(), 267, 0.5);
    EXPECT_EQ(designer::columnCount(table->table), 0);

    const Project card = designer::newProject(ProjectKind::Card);
    EXPECT_EQ(card.kind, ProjectKind::Card);
    EXPECT_TRUE(card.objects.empty());

    PageSetup landscape;
    landscape.landscape = true;
    EXPECT_NEAR(designer::paperSizeMm(landscape).width(), 297, 0.5);
}

TEST(DesignRules, RefusesASecondTableAndATableInACard)
{
    QString reason;
    EXPECT_FALSE(
        designer::canInsert(designer::newProject(ProjectKind::List), PageObject::Type::Table, &reason));
    EXPECT_FALSE(reason.isEmpty());
    reason.clear();
    EXPECT_FALSE(
        designer::canInsert(designer::newProject(ProjectKind::Card), PageObject::Type::Table, &reason));
    EXPECT_FALSE(reason.isEmpty());
    Project empty;
    EXPECT_TRUE(designer::canInsert(empty, PageObject::Type::Table, &reason));
    EXPECT_TRUE(
        designer::canInsert(designer::newProject(ProjectKind::List), PageObject::Type::Rect, &reason));
}

TEST(DesignRules, ColumnEditsKeepHeaderRowsAndFooterAligned)
{
    TableDef table = threeColumns();
    designer::setColumnWidth(table, 1, 25);
    EXPECT_EQ(table.header[0].cells[1].widthMm, 25);
    EXPECT_EQ(table.rows[0].cells[1].widthMm, 25);
    EXPECT_EQ(table.footer[0].cells[1].widthMm, 25);

    designer::moveColumn(table, 0, 2);
    EXPECT_EQ(exprs(table.rows[0]), (QStringList{"F1", "F2", "F0"}));
    EXPECT_EQ(exprs(table.header[0]), (QStringList{"\"H1\"", "\"H2\"", "\"H0\""}));
    EXPECT_EQ(exprs(table.footer[0]), (QStringList{"\"S1\"", "\"S2\"", "\"S0\""}));

    designer::Column column;
    column.header.expr = QStringLiteral("\"Neu\"");
    column.cell.expr = QStringLiteral("Neu");
    column.cell.widthMm = 12;
    designer::insertColumn(table, 1, column);
    EXPECT_EQ(exprs(table.rows[0]), (QStringList{"F1", "Neu", "F2", "F0"}));
    EXPECT_EQ(exprs(table.header[0]), (QStringList{"\"H1\"", "\"Neu\"", "\"H2\"", "\"H0\""}));
    EXPECT_EQ(table.footer[0].cells.size(), 4u);
    EXPECT_EQ(table.footer[0].cells[1].widthMm, 12);
    EXPECT_EQ(table.footer[1].cells.size(), 1u);

    designer::removeColumn(table, 0);
    EXPECT_EQ(exprs(table.rows[0]), (QStringList{"Neu", "F2", "F0"}));
    EXPECT_EQ(exprs(table.footer[0]), (QStringList{"", "\"S2\"", "\"S0\""}));
    EXPECT_EQ(exprs(table.footer[1]), (QStringList{"\"Gesamt\""}));
    // Out of range does nothing.
    designer::removeColumn(table, 7);
    designer::moveColumn(table, 0, 9);
    EXPECT_EQ(designer::columnCount(table), 3);

    // A new, empty table gets its first column in the header and the rows.
    TableDef empty;
    designer::insertColumn(empty, 0, column);
    EXPECT_EQ(designer::columnCount(empty), 1);
    EXPECT_EQ(designer::columnAt(empty, 0).header.expr, QStringLiteral("\"Neu\""));
}

TEST(DesignRules, FlexibleColumnsShareWhatIsLeft)
{
    PageObject table;
    table.type = PageObject::Type::Table;
    table.rectMm = QRectF(0, 0, 100, 50);
    table.table = threeColumns();
    table.table.rows[0].cells[0].widthMm = 0;
    table.table.rows[0].cells[2].widthMm = 0;
    const auto widths = designer::resolvedColumnWidthsMm(table);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_DOUBLE_EQ(widths[0], 40);
    EXPECT_DOUBLE_EQ(widths[1], 20);
    EXPECT_DOUBLE_EQ(widths[2], 40);
}

TEST(DesignRules, CanvasShowsExpressionsAsText)
{
    PageObject o = text(QStringLiteral("T"), QRectF(0, 0, 10, 10));
    o.paragraphs[0].expr = QStringLiteral("\"Seite \" + Str$(Page(), 0)");
    o.condition = QStringLiteral("Page() > 1");
    o.layer = Layer::Following;
    const PageObject shown = designer::showingExpressions(o);
    EXPECT_EQ(shown.paragraphs[0].expr, QStringLiteral("\"\"\"Seite \"\" + Str$(Page(), 0)\""));
    EXPECT_TRUE(shown.condition.isEmpty());
    EXPECT_EQ(shown.layer, Layer::All);
    const auto parsed = Expression::parse(shown.paragraphs[0].expr);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->evaluate({}).text, o.paragraphs[0].expr);
}

TEST(DesignerDocument, EditsAreUndoStepsAndArrowMovesMerge)
{
    Project project = designer::newProject(ProjectKind::Card);
    project.objects.push_back(text(QStringLiteral("Titel"), QRectF(10, 10, 50, 8)));
    DesignerDocument doc(project);
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(doc.moveObjects({0}, QPointF(1, 0), false, nullptr));
    EXPECT_TRUE(doc.moveObjects({0}, QPointF(1, 0), true, nullptr));
    EXPECT_TRUE(doc.moveObjects({0}, QPointF(0, 1), true, nullptr));
    EXPECT_EQ(doc.object(0).rectMm.topLeft(), QPointF(12, 11));
    EXPECT_EQ(doc.undoStack().count(), 1);
    doc.undoStack().undo();
    EXPECT_EQ(doc.object(0).rectMm.topLeft(), QPointF(10, 10));
    EXPECT_FALSE(doc.isModified());

    QString reason;
    const int rect = doc.insertObject(
        designer::newObject(doc.project(), PageObject::Type::Rect, QRectF(20, 40, 30, 10)), &reason);
    ASSERT_EQ(rect, 1);
    EXPECT_EQ(doc.object(1).name, QStringLiteral("Rechteck1"));
    EXPECT_TRUE(doc.setObjectRect(1, QRectF(20, 40, 35, 12), &reason));
    EXPECT_TRUE(doc.removeObjects({1}, &reason));
    EXPECT_EQ(doc.objectCount(), 1);
    doc.undoStack().undo();
    EXPECT_EQ(doc.object(1).rectMm, QRectF(20, 40, 35, 12));
    doc.undoStack().undo();
    doc.undoStack().undo();
    EXPECT_EQ(doc.objectCount(), 1);
    doc.undoStack().redo();
    EXPECT_EQ(doc.objectCount(), 2);
    EXPECT_TRUE(doc.isModified());

    const int table = doc.insertObject(
        designer::newObject(doc.project(), PageObject::Type::Table, QRectF(0, 0, 10, 10)), &reason);
    EXPECT_EQ(table, -1);
    EXPECT_FALSE(reason.isEmpty());
}

TEST(DesignerDocument, LockedObjectsCanBeSeenButNotChanged)
{
    Project project = designer::newProject(ProjectKind::Card);
    project.objects.push_back(text(QStringLiteral("Logo"), QRectF(10, 10, 50, 8)));
    project.objects.push_back(text(QStringLiteral("Frei"), QRectF(10, 30, 50, 8)));
    DesignerDocument doc(project);
    doc.setLockedNames({QStringLiteral("logo")});
    EXPECT_TRUE(doc.isLocked(0));
    EXPECT_FALSE(doc.isLocked(1));
    QString reason;
    EXPECT_FALSE(doc.moveObjects({0, 1}, QPointF(1, 0), false, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("Logo")));
    EXPECT_FALSE(doc.setObjectRect(0, QRectF(0, 0, 5, 5), &reason));
    EXPECT_FALSE(doc.replaceObject(0, text(QStringLiteral("Logo"), QRectF()), QStringLiteral("x"), &reason));
    EXPECT_FALSE(doc.removeObjects({0}, &reason));
    EXPECT_FALSE(doc.placeObjects({0}, {QPointF(3, 3)}, &reason));
    EXPECT_EQ(doc.undoStack().count(), 0);
    EXPECT_EQ(doc.object(0).rectMm, QRectF(10, 10, 50, 8));
    EXPECT_TRUE(doc.moveObjects({1}, QPointF(1, 0), false, &reason));
}

TEST(DesignerDocument, ClipboardCarriesObjectsAsProjectJson)
{
    Project project = designer::newProject(ProjectKind::List);
    PageObject titel = text(QStringLiteral("Titel"), QRectF(10, 10, 50, 8));
    titel.extra.insert(QStringLiteral("x_eigen"), 7);
    project.objects.push_back(titel);
    DesignerDocument doc(project);
    const QString json = doc.objectsJson({0, 1});
    Project parsed;
    QString error;
    ASSERT_TRUE(JsonProjectStore::fromJson(json.toUtf8(), parsed, &error)) << error.toStdString();
    ASSERT_EQ(parsed.objects.size(), 2u);

    QString reason;
    const QList<int> added = doc.pasteJson(json, &reason);
    // The table cannot come twice; the text comes as a copy beside the original, with its own keys.
    ASSERT_EQ(added, (QList<int>{2}));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(doc.object(2).name, QStringLiteral("Text1"));
    EXPECT_EQ(doc.object(2).rectMm, QRectF(15, 15, 50, 8));
    EXPECT_EQ(doc.object(2).extra.value(QStringLiteral("x_eigen")).toInt(), 7);
    EXPECT_TRUE(doc.pasteJson(QStringLiteral("kein JSON"), &reason).isEmpty());
    EXPECT_EQ(doc.undoStack().count(), 1);
}
