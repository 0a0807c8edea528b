#pragma once

#include <vector>

#include <QRectF>
#include <QSizeF>
#include <QString>

#include "reportengine/Project.h"

// Rules of the layout designer that need no window: snapping, new projects and objects, what may be
// inserted, and the columns of the table.
namespace tb::designer {

// Objects snap to the 1 mm grid.
double snapMm(double mm);
QRectF snapRect(const QRectF &rectMm);

QSizeF paperSizeMm(const PageSetup &page);
// The paper less the margins.
QRectF printableAreaMm(const PageSetup &page);

// A new project of the kind: a list with one empty table filling the printable area, or an empty card.
Project newProject(ProjectKind kind);

// False with the reason when an object of the type may not join the project.
bool canInsert(const Project &project, PageObject::Type type, QString *reason);
// A new object of the type at the given place, named uniquely in the project.
PageObject newObject(const Project &project, PageObject::Type type, const QRectF &rectMm);
QString uniqueName(const Project &project, const QString &base);

QString typeCaption(PageObject::Type type);
QString layerCaption(Layer layer);

// The expression source as a literal of the report language: the canvas shows expressions as text.
QString asLiteral(const QString &text);
// The object with every expression replaced by the literal of its source, its condition dropped and
// on every page: what the canvas draws.
PageObject showingExpressions(const PageObject &object);

// Columns of a table: cell i of the first header line and of the first row definition. Edits that
// change the shape apply to every line that has the first row definition's number of cells, so
// header, rows and footer stay aligned.
struct Column {
    CellDef header;
    CellDef cell;
};
int columnCount(const TableDef &table);
Column columnAt(const TableDef &table, int index);
void setColumn(TableDef &table, int index, const Column &column);
void insertColumn(TableDef &table, int at, const Column &column);
void removeColumn(TableDef &table, int index);
void moveColumn(TableDef &table, int from, int to);
void setColumnWidth(TableDef &table, int index, double widthMm);
// The widths the layouter gives the columns (cells without a width share what is left).
std::vector<double> resolvedColumnWidthsMm(const PageObject &table);

} // namespace tb::designer
