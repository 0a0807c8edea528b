#include "PrvAppearance.h"

#include "reportengine/IEngine.h"

namespace reporting {

void TPrvAppearance::SetZoomPerc(int value)
{
    if (!accepts(value))
        return;
    zoomPerc_ = value;
    if (value > 0)
        tb::engine().TbSetOption(job_, tb::opt::PreviewZoom, value);
}

void TPrvAppearance::SetLeft(int value)
{
    if (!accepts(value))
        return;
    left_ = value;
    if (value >= 0)
        tb::engine().TbSetOption(job_, tb::opt::PreviewLeft, value);
}

void TPrvAppearance::SetTop(int value)
{
    if (!accepts(value))
        return;
    top_ = value;
    if (value >= 0)
        tb::engine().TbSetOption(job_, tb::opt::PreviewTop, value);
}

void TPrvAppearance::SetWidth(int value)
{
    if (!accepts(value))
        return;
    width_ = value;
    if (value > 0)
        tb::engine().TbSetOption(job_, tb::opt::PreviewWidth, value);
}

void TPrvAppearance::SetHeight(int value)
{
    if (!accepts(value))
        return;
    height_ = value;
    if (value > 0)
        tb::engine().TbSetOption(job_, tb::opt::PreviewHeight, value);
}

} // namespace reporting
