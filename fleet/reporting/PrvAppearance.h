#pragma once

namespace reporting {

// Position, size and zoom of the engine's preview window (job options 25 to 29), shared by both
// engine components. -1 means "the engine's default".
class TPrvAppearance {
public:
    int ZoomPerc() const { return zoomPerc_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Ignored while no job is open or for values below -1; otherwise stored, and sent to the
    // engine when it is a usable value (zoom, width and height above 0, left and top from 0).
    void SetZoomPerc(int value);
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);

    int job() const { return job_; }
    void setJob(int handle) { job_ = handle; }

private:
    bool accepts(int value) const { return job_ != -1 && value >= -1; }

    int zoomPerc_ = 100;
    int left_ = -1;
    int top_ = -1;
    int width_ = -1;
    int height_ = -1;
    int job_ = -1;
};

} // namespace reporting
