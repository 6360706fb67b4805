#include "Render/ViewPainter.h"

#include "Render/CairoColor.h"
#include "Render/CairoPath.h"
#include "Render/ControlPainter.h"
#include "Render/ImageRenderer.h"
#include "Render/KitPainter.h"
#include "Render/LayerRenderer.h"
#include "Render/TextRenderer.h"
#include "Services/LottieAnimationView.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIVisualEffectView.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace {

UIColor labelColor(const UILabel& label) {
    if (label.isHighlighted && label.highlightedTextColor)
        return *label.highlightedTextColor;
    if (!label.isEnabled)
        return label.textColor().withAlphaComponent(label.textColor().alpha() * 0.45);
    return label.textColor();
}

// The label's text with every run's font scaled by `factor`.
NSAttributedString scaledText(const NSAttributedString& text, double factor) {
    NSAttributedString scaled = text;
    for (const auto& run : text.runs()) {
        if (run.attributes.font) {
            NSTextAttributes a;
            a.font = run.attributes.font->withSize(run.attributes.font->pointSize() * factor);
            scaled.addAttributes(a, run.range);
        }
    }
    return scaled;
}

void paintLabel(LayerRenderer& r, UILabel& label, const CGRect& b) {
    if (!label.hasText() || label.text().empty())
        return;
    TextStyle style{label.font(), labelColor(label), label.textAlignment, label.lineBreakMode,
                    label.numberOfLines()};
    NSAttributedString text = label.attributedText();
    if (label.isHighlighted || !label.isEnabled) {
        NSTextAttributes a;
        a.foregroundColor = style.color;
        text.addAttributesToAll(a);
    }
    if (label.adjustsFontSizeToFitWidth && label.numberOfLines() == 1 && b.size.width > 0) {
        TextStyle plain = style;
        plain.lineBreak = NSLineBreakMode::byClipping;
        TextLayout natural(text, plain, 0);
        if (natural.size().width > b.size.width) {
            double factor = std::max(label.minimumScaleFactor > 0 ? label.minimumScaleFactor : 0.5,
                                     b.size.width / natural.size().width);
            text = scaledText(text, factor);
            style.font = style.font.withSize(style.font.pointSize() * factor);
        }
    }
    TextLayout layout(text, style, b.size.width);
    layout.draw(r.context(), b, true);
}

void paintImageView(LayerRenderer& r, UIImageView& view, const CGRect& b) {
    auto image = view.displayedImage();
    if (!image)
        return;
    CGRect target = contentModeRect(view.contentMode, b, image->size());
    ImageRenderer::shared().draw(r.context(), *image, target,
                                 ImageRenderer::tintFor(*image, view.tintColor()));
}

void paintTextView(LayerRenderer& r, UITextView& view, const CGRect& b) {
    if (view.text().empty())
        return;
    UIEdgeInsets inset = view.textContainerInset;
    inset.left += 5, inset.right += 5; // the text container's own line padding
    CGRect area = inset.inset(b);
    TextStyle style{view.font, view.textColor, view.textAlignment, NSLineBreakMode::byWordWrapping,
                    0};
    TextLayout layout(view.attributedText(), style, area.size.width);
    layout.draw(r.context(), area, false);
}

// A frosted panel: the style's tint over what lies behind.
void paintEffectView(LayerRenderer& r, UIVisualEffectView& view, const CGRect& b) {
    auto blur = std::dynamic_pointer_cast<UIBlurEffect>(view.effect);
    if (!blur)
        return;
    bool dark = view.traitCollection().userInterfaceStyle == UIUserInterfaceStyle::dark;
    Rgba c{0.97, 0.97, 0.98, 0.82};
    switch (blur->style()) {
    case UIBlurEffectStyle::dark:
        c = {0.11, 0.11, 0.12, 0.78};
        break;
    case UIBlurEffectStyle::extraLight:
        c = {1, 1, 1, 0.88};
        break;
    case UIBlurEffectStyle::light:
        c = {0.98, 0.98, 0.98, 0.75};
        break;
    case UIBlurEffectStyle::systemUltraThinMaterial:
    case UIBlurEffectStyle::systemThinMaterial:
        c = dark ? Rgba{0.15, 0.15, 0.16, 0.6} : Rgba{0.96, 0.96, 0.97, 0.6};
        break;
    default:
        if (dark)
            c = {0.12, 0.12, 0.13, 0.82};
    }
    appendRoundedRect(r.context(), b, view.layer()->cornerRadius, view.layer()->maskedCorners);
    cairo_set_source_rgba(r.context(), c.r, c.g, c.b, c.a);
    cairo_fill(r.context());
}

// The current frame at the device's pixel density, so the vector art stays sharp.
void paintAnimationView(LayerRenderer& r, LottieAnimationView& view, const CGRect& b) {
    if (!view.hasAnimation() || b.isEmpty())
        return;
    cairo_t* cr = r.context();
    double sx = b.size.width, sy = b.size.height;
    cairo_user_to_device_distance(cr, &sx, &sy);
    int width = int(std::lround(std::abs(sx))), height = int(std::lround(std::abs(sy)));
    if (width < 1 || height < 1)
        return;
    cairo_surface_t* frame = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(frame) != CAIRO_STATUS_SUCCESS)
        return cairo_surface_destroy(frame);
    cairo_surface_flush(frame);
    view.renderCurrentFrame(reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(frame)),
                            size_t(width), size_t(height),
                            size_t(cairo_image_surface_get_stride(frame)));
    cairo_surface_mark_dirty(frame);
    cairo_save(cr);
    cairo_translate(cr, b.minX(), b.minY());
    cairo_scale(cr, b.size.width / width, b.size.height / height);
    cairo_set_source_surface(cr, frame, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(frame);
}

} // namespace

std::vector<ViewPainter::Painter>& ViewPainter::painters() {
    static std::vector<Painter> list;
    return list;
}

std::vector<ViewPainter::Painter>& ViewPainter::overlayPainters() {
    static std::vector<Painter> list;
    return list;
}

void ViewPainter::addPainter(Painter painter) {
    painters().push_back(std::move(painter));
}

void ViewPainter::addOverlayPainter(Painter painter) {
    overlayPainters().push_back(std::move(painter));
}

bool ViewPainter::paintBackground(LayerRenderer& r, UIView& view, const CGRect& b) {
    return KitPainter::paintBackground(r, view, b);
}

void ViewPainter::paint(LayerRenderer& r, UIView& view, const CGRect& b) {
    for (const auto& painter : painters()) {
        if (painter(r, view, b))
            return;
    }
    KitPainter::paint(r, view, b);
    if (auto label = dynamic_cast<UILabel*>(&view))
        return paintLabel(r, *label, b);
    if (auto image = dynamic_cast<UIImageView*>(&view))
        return paintImageView(r, *image, b);
    if (auto text = dynamic_cast<UITextView*>(&view))
        return paintTextView(r, *text, b);
    if (auto effect = dynamic_cast<UIVisualEffectView*>(&view))
        return paintEffectView(r, *effect, b);
    if (auto animation = dynamic_cast<LottieAnimationView*>(&view))
        return paintAnimationView(r, *animation, b);
    ControlPainter::paint(r, view, b);
}

void ViewPainter::paintOverlay(LayerRenderer& r, UIView& view, const CGRect& b) {
    for (const auto& painter : overlayPainters()) {
        if (painter(r, view, b))
            return;
    }
    KitPainter::paintOverlay(r, view, b);
    ControlPainter::paintOverlay(r, view, b);
}

CGRect contentModeRect(UIViewContentMode mode, const CGRect& b, CGSize size) {
    using M = UIViewContentMode;
    if (mode == M::scaleToFill || mode == M::redraw || size.width <= 0 || size.height <= 0)
        return b;
    if (mode == M::scaleAspectFit || mode == M::scaleAspectFill) {
        double sx = b.size.width / size.width, sy = b.size.height / size.height;
        double s = mode == M::scaleAspectFit ? std::min(sx, sy) : std::max(sx, sy);
        size = {size.width * s, size.height * s};
    }
    double x = b.midX() - size.width / 2, y = b.midY() - size.height / 2;
    if (mode == M::left || mode == M::topLeft || mode == M::bottomLeft)
        x = b.minX();
    if (mode == M::right || mode == M::topRight || mode == M::bottomRight)
        x = b.maxX() - size.width;
    if (mode == M::top || mode == M::topLeft || mode == M::topRight)
        y = b.minY();
    if (mode == M::bottom || mode == M::bottomLeft || mode == M::bottomRight)
        y = b.maxY() - size.height;
    return {x, y, size.width, size.height};
}
