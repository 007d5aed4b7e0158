// `TAnimatedBitmap`'s frame logic: a bitmap strip cut into `Columns` x `Rows` frames, one of
// them shown at a time and stepped by a timer. The drawing itself belongs to the window side.
#pragma once

#include "platform/EventLoop.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace cw {

struct FrameRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};

class AnimatedBitmap {
  public:
    // Stepped by the caller (a window timer, for instance): follow `setOnIntervalChanged`.
    AnimatedBitmap() = default;
    // Stepped by a timer of the event loop.
    explicit AnimatedBitmap(EventLoop& loop);
    AnimatedBitmap(const AnimatedBitmap&) = delete;
    AnimatedBitmap& operator=(const AnimatedBitmap&) = delete;

    // Size of the control when it is created.
    static constexpr int kInitialSize = 30;

    [[nodiscard]] int columns() const { return columns_; }
    [[nodiscard]] int rows() const { return rows_; }
    [[nodiscard]] int frameCount() const { return columns_ * rows_; }
    [[nodiscard]] int activePicture() const { return activePicture_; }
    [[nodiscard]] uint32_t interval() const { return interval_; }
    [[nodiscard]] bool reversePlay() const { return reversePlay_; }
    [[nodiscard]] bool transparent() const { return transparent_; }

    // Values below 1 count as 1. A new value asks for a repaint later.
    void setColumns(int columns);
    void setRows(int rows);
    // Asks for a repaint at once.
    void setActivePicture(int index);
    // Milliseconds per frame; 0 stops the animation.
    void setInterval(uint32_t ms);
    void setReversePlay(bool reverse) { reversePlay_ = reverse; }
    void setTransparent(bool transparent) { transparent_ = transparent; }

    // One timer step: the next frame (or the previous one in reverse), wrapping around.
    void tick();

    // The part of a bitmap of that size to draw now; an empty rectangle when the bitmap is
    // empty. An active picture outside the frames goes back to frame 0 first.
    [[nodiscard]] FrameRect frameToPaint(int bitmapWidth, int bitmapHeight);

    // `immediate`: paint now (a new frame); otherwise the area may be painted later.
    void setOnRepaint(std::function<void(bool immediate)> callback) {
        onRepaint_ = std::move(callback);
    }
    // For a caller that steps the animation itself: the new period, 0 to stop.
    void setOnIntervalChanged(std::function<void(uint32_t ms)> callback) {
        onIntervalChanged_ = std::move(callback);
    }

  private:
    void repaint(bool immediate) {
        if (onRepaint_) onRepaint_(immediate);
    }

    int columns_ = 1;
    int rows_ = 1;
    int activePicture_ = 0;
    uint32_t interval_ = 0;
    bool reversePlay_ = false;
    bool transparent_ = false;
    std::unique_ptr<Timer> timer_;
    std::function<void(bool)> onRepaint_;
    std::function<void(uint32_t)> onIntervalChanged_;
};

} // namespace cw
