#include "Render/ImageRenderer.h"

#include "Render/CairoColor.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <librsvg/rsvg.h>

namespace {

constexpr size_t maxRasters = 400;

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           std::equal(suffix.rbegin(), suffix.rend(), s.rbegin(),
                      [](char a, char b) { return std::tolower(a) == std::tolower(b); });
}

} // namespace

double deviceScale(cairo_t* cr) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    double sx = std::hypot(m.xx, m.yx), sy = std::hypot(m.xy, m.yy);
    return std::max(0.01, std::max(sx, sy));
}

ImageRenderer& ImageRenderer::shared() {
    static ImageRenderer renderer;
    return renderer;
}

ImageRenderer::~ImageRenderer() {
    clear();
}

void ImageRenderer::clear() {
    for (auto& [key, s] : pngs_)
        cairo_surface_destroy(s);
    for (auto& [key, s] : rasters_)
        cairo_surface_destroy(s);
    for (auto& [key, h] : svgs_)
        g_object_unref(h);
    pngs_.clear();
    rasters_.clear();
    svgs_.clear();
}

bool ImageRenderer::isTemplate(const UIImage& image) {
    return image.renderingMode() == UIImageRenderingMode::alwaysTemplate ||
           (image.renderingMode() == UIImageRenderingMode::automatic && image.isSymbolImage());
}

std::optional<UIColor> ImageRenderer::tintFor(const UIImage& image, const UIColor& viewTint) {
    if (image.tintColor())
        return image.tintColor();
    if (isTemplate(image))
        return viewTint;
    return std::nullopt;
}

cairo_surface_t* ImageRenderer::png(const std::string& path) {
    auto found = pngs_.find(path);
    if (found != pngs_.end())
        return found->second;
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        s = nullptr;
    }
    pngs_[path] = s;
    return s;
}

RsvgHandle* ImageRenderer::svg(const std::string& path) {
    auto found = svgs_.find(path);
    if (found != svgs_.end())
        return found->second;
    GError* error = nullptr;
    RsvgHandle* h = rsvg_handle_new_from_file(path.c_str(), &error);
    if (error)
        g_error_free(error);
    if (h)
        rsvg_handle_set_dpi(h, 72);
    svgs_[path] = h;
    return h;
}

cairo_surface_t* ImageRenderer::raster(const UIImage& image, int width, int height) {
    const std::string& path = image.path();
    if (path.empty())
        return nullptr;
    if (!endsWith(path, ".svg"))
        return png(path);
    width = std::clamp(width, 1, 8192);
    height = std::clamp(height, 1, 8192);
    std::string key = path + "@" + std::to_string(width) + "x" + std::to_string(height);
    auto found = rasters_.find(key);
    if (found != rasters_.end())
        return found->second;
    RsvgHandle* handle = svg(path);
    if (!handle)
        return nullptr;
    if (rasters_.size() >= maxRasters) {
        for (auto& [k, s] : rasters_)
            cairo_surface_destroy(s);
        rasters_.clear();
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    // Render at the natural aspect, then stretch: an image view's scale-to-fill stretches
    // whatever the file's own aspect rule says.
    CGSize natural = image.size();
    if (image.isSymbolImage() || natural.width <= 0 || natural.height <= 0)
        natural = {24, 24};
    double w = 0, h = 0;
    if (!image.isSymbolImage() && rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h) &&
        w > 0 && h > 0)
        natural = {w, h};
    cairo_scale(cr, width / natural.width, height / natural.height);
    RsvgRectangle viewport{0, 0, natural.width, natural.height};
    GError* error = nullptr;
    rsvg_handle_render_document(handle, cr, &viewport, &error);
    if (error)
        g_error_free(error);
    cairo_destroy(cr);
    rasters_[key] = surface;
    return surface;
}

void ImageRenderer::paintRaster(cairo_t* cr, cairo_surface_t* surface, const CGRect& source,
                                const CGRect& target, const std::optional<UIColor>& tint,
                                double alpha) {
    if (source.size.width <= 0 || source.size.height <= 0 || target.size.width <= 0 ||
        target.size.height <= 0)
        return;
    cairo_save(cr);
    cairo_rectangle(cr, target.origin.x, target.origin.y, target.size.width, target.size.height);
    cairo_clip(cr);
    cairo_translate(cr, target.origin.x, target.origin.y);
    cairo_scale(cr, target.size.width / source.size.width, target.size.height / source.size.height);
    cairo_translate(cr, -source.origin.x, -source.origin.y);
    cairo_pattern_t* p = cairo_pattern_create_for_surface(surface);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(p, CAIRO_FILTER_GOOD);
    if (tint) {
        setSourceColor(cr, *tint, alpha);
        cairo_mask(cr, p);
    } else {
        cairo_set_source(cr, p);
        cairo_paint_with_alpha(cr, alpha);
    }
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void ImageRenderer::draw(cairo_t* cr, const UIImage& image, const CGRect& rect,
                         const std::optional<UIColor>& tint, double alpha) {
    double scale = deviceScale(cr);
    int w = int(std::ceil(rect.width() * scale)), h = int(std::ceil(rect.height() * scale));
    cairo_surface_t* s = raster(image, w, h);
    if (!s)
        return;
    CGRect source{0, 0, double(cairo_image_surface_get_width(s)),
                  double(cairo_image_surface_get_height(s))};
    paintRaster(cr, s, source, rect.standardized(), tint, alpha);
}

void ImageRenderer::drawNineSliced(cairo_t* cr, const UIImage& image, const CGRect& rect,
                                   const UIEdgeInsets& caps, double alpha) {
    CGSize natural = image.size();
    if (natural.width <= 0 || natural.height <= 0)
        return;
    double scale = deviceScale(cr);
    cairo_surface_t* s = raster(image, int(std::ceil(natural.width * scale)),
                                int(std::ceil(natural.height * scale)));
    if (!s)
        return;
    double px = cairo_image_surface_get_width(s) / natural.width;
    double py = cairo_image_surface_get_height(s) / natural.height;
    CGRect r = rect.standardized();
    // Caps never take more than half of either the image or the target.
    double left = std::min({caps.left, natural.width / 2, r.size.width / 2});
    double right = std::min({caps.right, natural.width / 2, r.size.width / 2});
    double top = std::min({caps.top, natural.height / 2, r.size.height / 2});
    double bottom = std::min({caps.bottom, natural.height / 2, r.size.height / 2});
    double sx[4] = {0, left, natural.width - right, natural.width};
    double sy[4] = {0, top, natural.height - bottom, natural.height};
    double tx[4] = {r.minX(), r.minX() + left, r.maxX() - right, r.maxX()};
    double ty[4] = {r.minY(), r.minY() + top, r.maxY() - bottom, r.maxY()};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            CGRect source{sx[i] * px, sy[j] * py, (sx[i + 1] - sx[i]) * px,
                          (sy[j + 1] - sy[j]) * py};
            CGRect target{tx[i], ty[j], tx[i + 1] - tx[i], ty[j + 1] - ty[j]};
            paintRaster(cr, s, source, target, std::nullopt, alpha);
        }
    }
}

cairo_pattern_t* ImageRenderer::pattern(cairo_t* cr, const UIImage& image) {
    CGSize natural = image.size();
    if (natural.width <= 0 || natural.height <= 0)
        return nullptr;
    double scale = deviceScale(cr);
    cairo_surface_t* s = raster(image, int(std::ceil(natural.width * scale)),
                                int(std::ceil(natural.height * scale)));
    if (!s)
        return nullptr;
    cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
    cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, cairo_image_surface_get_width(s) / natural.width,
                            cairo_image_surface_get_height(s) / natural.height);
    cairo_pattern_set_matrix(p, &m);
    return p;
}
