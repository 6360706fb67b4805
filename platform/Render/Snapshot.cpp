#include "Render/Snapshot.h"

#include "Foundation/RunLoop.h"
#include "Render/LayerRenderer.h"
#include "Render/TextRenderer.h"
#include "UIKit/UIView.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdlib>

SnapshotImage::SnapshotImage(CGSize points, double scale) : size_(points), scale_(scale) {
    int w = std::max(1, int(std::ceil(points.width * scale)));
    int h = std::max(1, int(std::ceil(points.height * scale)));
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
}

SnapshotImage::~SnapshotImage() {
    if (surface_)
        cairo_surface_destroy(surface_);
}

SnapshotImage::SnapshotImage(SnapshotImage&& other) noexcept
    : size_(other.size_), scale_(other.scale_), surface_(other.surface_) {
    other.surface_ = nullptr;
}

int SnapshotImage::pixelWidth() const {
    return cairo_image_surface_get_width(surface_);
}

int SnapshotImage::pixelHeight() const {
    return cairo_image_surface_get_height(surface_);
}

SnapshotImage::Pixel SnapshotImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= pixelWidth() || y >= pixelHeight())
        return {};
    cairo_surface_flush(surface_);
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    Pixel p;
    p.a = uint8_t(argb >> 24);
    auto unpremultiply = [&](uint32_t c) {
        return p.a == 0 ? uint8_t(0) : uint8_t(std::min<uint32_t>(255, (c * 255 + p.a / 2) / p.a));
    };
    p.r = unpremultiply((argb >> 16) & 0xFF);
    p.g = unpremultiply((argb >> 8) & 0xFF);
    p.b = unpremultiply(argb & 0xFF);
    return p;
}

SnapshotImage::Pixel SnapshotImage::pixelAt(CGPoint point) const {
    return pixel(int(std::floor(point.x * scale_)), int(std::floor(point.y * scale_)));
}

int SnapshotImage::countDiffering(const CGRect& rect, Pixel reference, int tolerance) const {
    CGRect r = rect.standardized();
    int x0 = std::max(0, int(std::floor(r.minX() * scale_)));
    int y0 = std::max(0, int(std::floor(r.minY() * scale_)));
    int x1 = std::min(pixelWidth(), int(std::ceil(r.maxX() * scale_)));
    int y1 = std::min(pixelHeight(), int(std::ceil(r.maxY() * scale_)));
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            Pixel p = pixel(x, y);
            if (std::abs(p.r - reference.r) > tolerance ||
                std::abs(p.g - reference.g) > tolerance ||
                std::abs(p.b - reference.b) > tolerance || std::abs(p.a - reference.a) > tolerance)
                ++count;
        }
    }
    return count;
}

bool SnapshotImage::writePNG(const std::string& path, std::string* error) const {
    cairo_status_t status = cairo_surface_write_to_png(surface_, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS && error)
        *error = cairo_status_to_string(status);
    return status == CAIRO_STATUS_SUCCESS;
}

void Snapshot::prepare() {
    static bool prepared = [] {
        TextLayout::installMeasurer();
        return true;
    }();
    (void)prepared;
}

SnapshotImage Snapshot::image(UIView& root, double scale, std::optional<double> time) {
    prepare();
    root.layoutIfNeeded();
    SnapshotImage image(root.bounds().size, scale);
    cairo_t* cr = cairo_create(image.surface());
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_scale(cr, scale, scale);
    LayerRenderer renderer(cr, time.value_or(RunLoop::main().now()));
    renderer.drawView(root);
    cairo_destroy(cr);
    return image;
}

bool Snapshot::render(UIView& root, const std::string& path, double scale, std::string* error) {
    return image(root, scale).writePNG(path, error);
}
