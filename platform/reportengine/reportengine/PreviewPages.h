#pragma once

#include <memory>
#include <vector>

#include <QFile>
#include <QString>

#include "reportengine/PageModel.h"

namespace tb {

// The pages a preview shows, by their place in the preview (0-based).
class PreviewPages {
public:
    virtual ~PreviewPages() = default;
    virtual int count() const = 0;
    // The page at `index`; null when it is out of range or cannot be read. Valid until the next call.
    virtual const Page *page(int index) = 0;
    virtual QString projectFile() const = 0;

    // The pages of a preview file: read one at a time where the file says where each begins,
    // else read whole. Null when the file cannot be read.
    static std::unique_ptr<PreviewPages> open(const QString &file);
};

// Pages held in memory.
class ModelPages : public PreviewPages {
public:
    explicit ModelPages(PageModel model) : model_(std::move(model)) {}
    int count() const override { return int(model_.pages.size()); }
    const Page *page(int index) override;
    QString projectFile() const override { return model_.projectFile; }

private:
    PageModel model_;
};

// Pages read from a preview file when they are asked for; one is held at a time. The header and
// the index are checked when the file is opened, each page when it is read.
class PreviewFilePages : public PreviewPages {
public:
    // False when the file has no usable header or index.
    bool open(const QString &file);
    int count() const override { return int(offsets_.size()); }
    const Page *page(int index) override;
    QString projectFile() const override { return projectFile_; }

private:
    QFile file_;
    QString projectFile_;
    std::vector<qint64> offsets_;
    Page page_;
    int held_ = -1;
};

} // namespace tb
