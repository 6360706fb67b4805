#pragma once

#include "UIKit/CGGeometry.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIImage.h"

#include <map>
#include <optional>
#include <string>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_pattern cairo_pattern_t;
typedef struct _RsvgHandle RsvgHandle;

// Draws images: PNG files decoded once, SVG files parsed once and rasterised at the size
// they are drawn (in device pixels) so they stay sharp at any scale. Template images and
// symbols are filled with a tint through their alpha.
class ImageRenderer {
  public:
    static ImageRenderer& shared();
    ~ImageRenderer();

    // Fills `rect` (user space) with the image, stretched to it.
    void draw(cairo_t* cr, const UIImage& image, const CGRect& rect,
              const std::optional<UIColor>& tint = std::nullopt, double alpha = 1);
    // Stretches the middle and keeps the corners: `caps` in points of the image.
    void drawNineSliced(cairo_t* cr, const UIImage& image, const CGRect& rect,
                        const UIEdgeInsets& caps, double alpha = 1);
    // A repeating pattern of the image at its natural size, its first tile at (0, 0) of user
    // space. The caller destroys it.
    cairo_pattern_t* pattern(cairo_t* cr, const UIImage& image);

    // Whether a view's tint colours this image: templates and symbols.
    static bool isTemplate(const UIImage& image);
    // The colour an image is drawn with in a view of that tint, if any.
    static std::optional<UIColor> tintFor(const UIImage& image, const UIColor& viewTint);

    size_t cachedRasterCount() const { return rasters_.size(); }
    void clear();

  private:
    ImageRenderer() = default;
    // The image as pixels of (about) the size given; null when it cannot be read.
    cairo_surface_t* raster(const UIImage& image, int width, int height);
    cairo_surface_t* png(const std::string& path);
    RsvgHandle* svg(const std::string& path);
    void paintRaster(cairo_t* cr, cairo_surface_t* surface, const CGRect& source,
                     const CGRect& target, const std::optional<UIColor>& tint, double alpha);

    std::map<std::string, cairo_surface_t*> pngs_;
    std::map<std::string, RsvgHandle*> svgs_;
    std::map<std::string, cairo_surface_t*> rasters_;
};

// How many device pixels one unit of user space covers.
double deviceScale(cairo_t* cr);
