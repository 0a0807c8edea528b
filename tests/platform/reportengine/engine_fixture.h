#pragma once

#include <functional>
#include <vector>

#include <QApplication>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "reportengine/Engine.h"
#include "reportengine/Project.h"
#include "reportengine/ScriptedEngineUi.h"

namespace enginetest {

// The widgets of the engine need an application object; one for the whole test binary.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override;

private:
    QApplication *app_ = nullptr;
};

// A list project: title and page number on every page, one table with a header, one row definition
// (`Nr`, `Name`, `Betrag`, and an optional long `Memo`), and a footer with the count and the sum.
tb::Project listProject(double tableHeightMm = 200);
// A card project with a few variables.
tb::Project cardProject();
QString saveProject(const tb::Project &project, const QString &file);

// Pages of a PDF file as text (pdftotext, one entry per page); empty when the file is missing.
QStringList pdfPages(const QString &file);
// The words of one page of a PDF's text layer with their boxes in points from the top left corner
// (pdftotext -bbox).
struct PdfWord {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};
std::vector<PdfWord> pdfWords(const QString &file, int page = 1);
// Number of pages of a PDF file, read from its page objects (cheaper than running pdftotext).
int pdfPageCount(const QString &file);

// The list loop as the print loops drive it: start, options dialog, pages and rows with the
// page-full rule, footer, end, and preview.
struct LoopResult {
    int start = 0;
    int options = 0;
    int pagesBegun = 0;
    int rowsPrinted = 0;
    std::vector<int> repeatedRows; // rows that got the page-full code and went to the next page
    int lastResult = 0;
    int footer = 0;
    int footerRetry = 0;
    int end = 0;
};
LoopResult runListLoop(tb::IEngine &engine, int job, const QString &project, int flags, int rows,
                       const std::function<void(int row)> &defineRow);

} // namespace enginetest
