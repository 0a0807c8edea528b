#include "reportengine/PreviewPages.h"

#include <QDataStream>

#include "reportengine/PreviewFormat.h"

namespace tb {

std::unique_ptr<PreviewPages> PreviewPages::open(const QString &file)
{
    auto pages = std::make_unique<PreviewFilePages>();
    if (pages->open(file))
        return pages;
    PageModel model;
    if (!PageModel::readFile(file, model))
        return nullptr;
    return std::make_unique<ModelPages>(std::move(model));
}

const Page *ModelPages::page(int index)
{
    return index >= 0 && index < count() ? &model_.pages[size_t(index)] : nullptr;
}

bool PreviewFilePages::open(const QString &file)
{
    file_.setFileName(file);
    if (!file_.open(QIODevice::ReadOnly))
        return false;
    QDataStream s(&file_);
    preview::prepare(s);
    quint32 pages = 0;
    return preview::readHeader(s, projectFile_, pages) &&
           preview::readIndex(file_, pages, file_.pos(), offsets_);
}

const Page *PreviewFilePages::page(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    if (index == held_)
        return &page_;
    held_ = -1;
    page_ = Page();
    if (!file_.seek(offsets_[size_t(index)]))
        return nullptr;
    QDataStream s(&file_);
    preview::prepare(s);
    // A page ends where the next begins; one that reads beyond is damaged.
    if (!preview::readPage(s, file_, page_) ||
        (size_t(index) + 1 < offsets_.size() && file_.pos() > offsets_[size_t(index) + 1]))
        return nullptr;
    held_ = index;
    return &page_;
}

} // namespace tb
