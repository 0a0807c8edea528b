#pragma once

#include <QScrollArea>

#include "reportengine/PageModel.h"
#include "reportengine/designer/DesignerSession.h"

class QVBoxLayout;

namespace tb {

namespace designer {

// The project printed with the sample values: the variables as defined and the fields as one sample
// row repeated until the first page is full; a second page shows the "following pages" layer.
PageModel previewPages(const Project &project, const QString &projectFile, const DesignerSettings &settings);

} // namespace designer

// The preview pages one below the other.
class DesignerPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit DesignerPreview(QWidget *parent = nullptr);
    void showPages(const PageModel &model);
    int pageCount() const { return pages_; }

private:
    QWidget *sheet_;
    QVBoxLayout *layout_;
    int pages_ = 0;
};

} // namespace tb
