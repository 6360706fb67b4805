#pragma once

#include "UIKit/CGGeometry.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

typedef struct _cairo_surface cairo_surface_t;
class UIView;

// Pixels of a rendered screen: premultiplied ARGB in a cairo image surface, `scale` pixels per
// point.
class SnapshotImage {
  public:
    struct Pixel {
        uint8_t r = 0, g = 0, b = 0, a = 0;
        bool operator==(const Pixel&) const = default;
    };

    SnapshotImage(CGSize points, double scale);
    ~SnapshotImage();
    SnapshotImage(SnapshotImage&& other) noexcept;
    SnapshotImage& operator=(SnapshotImage&&) = delete;
    SnapshotImage(const SnapshotImage&) = delete;

    CGSize size() const { return size_; }
    double scale() const { return scale_; }
    int pixelWidth() const;
    int pixelHeight() const;
    cairo_surface_t* surface() const { return surface_; }

    // Un-premultiplied colour of a device pixel; transparent outside the image.
    Pixel pixel(int x, int y) const;
    // The pixel under a point (in points).
    Pixel pixelAt(CGPoint point) const;
    // How many pixels inside a rectangle (in points) differ from `reference` by more than
    // `tolerance` in any channel.
    int countDiffering(const CGRect& rect, Pixel reference, int tolerance = 24) const;
    // False, with a reason, when the file cannot be written.
    bool writePNG(const std::string& path, std::string* error = nullptr) const;

  private:
    CGSize size_;
    double scale_;
    cairo_surface_t* surface_;
};

// Renders a view tree without any display: lays it out, then draws it as the window would at
// the moment given (the run loop's now by default), on black like a phone's screen.
class Snapshot {
  public:
    // Installs the text measurement drawing uses; call before laying out views that will be
    // drawn (the window and every snapshot do it).
    static void prepare();

    static SnapshotImage image(UIView& root, double scale = 2,
                               std::optional<double> time = std::nullopt);
    static bool render(UIView& root, const std::string& path, double scale = 2,
                       std::string* error = nullptr);
};
