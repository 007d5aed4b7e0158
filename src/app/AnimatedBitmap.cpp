#include "app/AnimatedBitmap.h"

#include <algorithm>

namespace cw {

AnimatedBitmap::AnimatedBitmap(EventLoop& loop) : timer_(loop.createTimer()) {
    timer_->setOnTimer([this] { tick(); });
}

void AnimatedBitmap::setColumns(int columns) {
    columns = std::max(columns, 1);
    if (columns == columns_) return;
    columns_ = columns;
    repaint(false);
}

void AnimatedBitmap::setRows(int rows) {
    rows = std::max(rows, 1);
    if (rows == rows_) return;
    rows_ = rows;
    repaint(false);
}

void AnimatedBitmap::setActivePicture(int index) {
    activePicture_ = index;
    repaint(true);
}

void AnimatedBitmap::setInterval(uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (timer_) {
        if (ms > 0) timer_->setInterval(ms);
        timer_->setEnabled(ms > 0);
    }
    if (onIntervalChanged_) onIntervalChanged_(ms);
}

void AnimatedBitmap::tick() {
    const int last = frameCount() - 1;
    if (reversePlay_)
        activePicture_ = (activePicture_ <= 0 || activePicture_ > last) ? last : activePicture_ - 1;
    else
        activePicture_ = (activePicture_ < 0 || activePicture_ >= last) ? 0 : activePicture_ + 1;
    repaint(true);
}

FrameRect AnimatedBitmap::frameToPaint(int bitmapWidth, int bitmapHeight) {
    if (bitmapWidth <= 0 || bitmapHeight <= 0) return {};
    if (activePicture_ < 0 || activePicture_ >= frameCount()) activePicture_ = 0;
    const int width = bitmapWidth / columns_;
    const int height = bitmapHeight / rows_;
    // Frames are counted row by row.
    const int column = activePicture_ % columns_;
    const int row = activePicture_ / columns_;
    return {column * width, row * height, width, height};
}

} // namespace cw
