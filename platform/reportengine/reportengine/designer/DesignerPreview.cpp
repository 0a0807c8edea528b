#include "reportengine/designer/DesignerPreview.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "reportengine/EngineTypes.h"
#include "reportengine/PagePainter.h"
#include "reportengine/PrintRun.h"
#include "reportengine/designer/ExpressionCheck.h"

namespace tb {

namespace designer {

namespace {

constexpr int kMaxSampleRows = 300; // a filter that refuses the sample must not loop for ever

class SampleHost : public RunHost {
public:
    explicit SampleHost(const DesignerSettings &settings) : settings_(settings) {}
    std::optional<Value> lookup(const QString &name) const override { return sampleValue(settings_, name); }
    void notify(unsigned, intptr_t) override {}
    bool delayTableHeader() const override { return false; }
    double now() const override { return settings_.now; }

private:
    const DesignerSettings &settings_;
};

} // namespace

PageModel previewPages(const Project &project, const QString &projectFile, const DesignerSettings &settings)
{
    SampleHost host(settings);
    Layouter::Options options;
    options.multipleRowDefinitions = settings.multipleRowDefinitions;
    PrintRun run(project, projectFile, host, options);
    run.print();
    if (project.kind == ProjectKind::List && project.table() && !project.table()->table.rows.empty()) {
        for (int row = 0; row < kMaxSampleRows; ++row)
            if (run.printFields() == TB_WRN_REPEAT_DATA)
                break;
    }
    run.print();
    if (project.kind == ProjectKind::List)
        run.printFieldsEnd();
    return run.model();
}

} // namespace designer

DesignerPreview::DesignerPreview(QWidget *parent) : QScrollArea(parent), sheet_(new QWidget)
{
    layout_ = new QVBoxLayout(sheet_);
    layout_->setAlignment(Qt::AlignHCenter);
    layout_->setSpacing(16);
    setWidget(sheet_);
    setWidgetResizable(true);
    setBackgroundRole(QPalette::Dark);
}

void DesignerPreview::showPages(const PageModel &model)
{
    while (QLayoutItem *item = layout_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    pages_ = int(model.pages.size());
    for (const Page &page : model.pages) {
        auto *label = new QLabel(sheet_);
        label->setPixmap(QPixmap::fromImage(PagePainter::render(page, 96)));
        label->setToolTip(QStringLiteral("Seite %1").arg(page.number));
        layout_->addWidget(label);
        label->show(); // at once, not at the next turn of the event loop
    }
}

} // namespace tb
