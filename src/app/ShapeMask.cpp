#include "app/ShapeMask.h"

namespace cw {

std::vector<Rect> shapeRuns(const std::vector<Color>& pixels, int width, int height) {
    std::vector<Rect> runs;
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * height) return runs;
    for (int y = 0; y < height; ++y) {
        const Color* row = pixels.data() + static_cast<size_t>(y) * width;
        for (int x = 0; x < width;) {
            while (x < width && (row[x] & 0xFFFFFF) == kShapeKeyColor) ++x;
            const int start = x;
            while (x < width && (row[x] & 0xFFFFFF) != kShapeKeyColor) ++x;
            if (x > start) runs.push_back({start, y, x - start, 1});
        }
    }
    return runs;
}

} // namespace cw
