#include "Render/AlphaBlur.h"

#include <algorithm>
#include <cairo.h>
#include <vector>

namespace {

// One box pass along a line of `count` samples `step` bytes apart.
void boxLine(unsigned char* data, int count, int step, int radius, std::vector<int>& line) {
    line.resize(count);
    for (int i = 0; i < count; ++i)
        line[i] = data[i * step];
    int window = 2 * radius + 1, sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += (i >= 0 && i < count) ? line[i] : 0;
    for (int i = 0; i < count; ++i) {
        data[i * step] = static_cast<unsigned char>(sum / window);
        int out = i - radius, in = i + radius + 1;
        sum -= (out >= 0 && out < count) ? line[out] : 0;
        sum += (in >= 0 && in < count) ? line[in] : 0;
    }
}

} // namespace

void blurAlpha(cairo_surface_t* surface, int radius) {
    if (radius <= 0)
        return;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    std::vector<int> line;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxLine(data + y * stride, w, 1, radius, line);
        for (int x = 0; x < w; ++x)
            boxLine(data + x, h, stride, radius, line);
    }
    cairo_surface_mark_dirty(surface);
}
