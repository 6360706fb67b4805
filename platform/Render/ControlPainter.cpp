#include "Render/ControlPainter.h"

#include "Render/CairoColor.h"
#include "Render/CairoPath.h"
#include "Render/ImageRenderer.h"
#include "Render/LayerRenderer.h"
#include "Render/TextRenderer.h"
#include "UIKit/UIActivityIndicatorView.h"
#include "UIKit/UIButton.h"
#include "UIKit/UIPageControl.h"
#include "UIKit/UIProgressView.h"
#include "UIKit/UISearchBar.h"
#include "UIKit/UISlider.h"
#include "UIKit/UITextField.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace {

const UIColor trackGrey = UIColor::rgba(0.47, 0.47, 0.50, 0.32);
const UIColor placeholderGrey = UIColor::rgba(0.56, 0.56, 0.59, 1);
const UIColor searchFill = UIColor::rgba(0.46, 0.46, 0.50, 0.16);

void fillRounded(cairo_t* cr, const CGRect& r, double radius, const UIColor& color) {
    appendRoundedRect(cr, r, radius);
    setSourceColor(cr, color);
    cairo_fill(cr);
}

void paintButton(LayerRenderer& r, UIButton& button, const CGRect& b) {
    auto background = button.currentBackgroundImage();
    if (!background)
        return;
    double alpha = button.isHighlighted() && button.buttonType() == UIButtonType::custom ? 0.7 : 1;
    CGSize size = background->size();
    if (background->isVector() && size.width >= 24 && size.height >= 24)
        ImageRenderer::shared().drawNineSliced(r.context(), *background, b, {12, 12, 12, 12},
                                               alpha);
    else
        ImageRenderer::shared().draw(r.context(), *background, b, std::nullopt, alpha);
}

// A pressed custom button with a filled background darkens a little, as a finger shows it.
void paintButtonOverlay(LayerRenderer& r, UIButton& button, const CGRect& b) {
    if (!button.isHighlighted() || button.buttonType() != UIButtonType::custom)
        return;
    const auto& bg = button.backgroundColor();
    if (!bg || bg->alpha() < 0.05)
        return;
    appendRoundedRect(r.context(), b, button.layer()->cornerRadius, button.layer()->maskedCorners);
    cairo_set_source_rgba(r.context(), 0, 0, 0, 0.18);
    cairo_fill(r.context());
}

void paintThumb(cairo_t* cr, const CGRect& thumb) {
    CGPoint c = thumb.center();
    double radius = thumb.size.width / 2;
    for (int i = 3; i >= 1; --i) {
        cairo_arc(cr, c.x, c.y + 0.5 * i, radius + 0.6 * i, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.05);
        cairo_fill(cr);
    }
    cairo_arc(cr, c.x, c.y, radius, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

void paintSlider(LayerRenderer& r, UISlider& slider, const CGRect& b) {
    cairo_t* cr = r.context();
    CGRect track = slider.trackRect(b);
    CGRect thumb = slider.thumbRect(b, track, slider.value());
    double split = thumb.midX();
    UIColor minimum = slider.minimumTrackTintColor.value_or(slider.tintColor());
    UIColor maximum = slider.maximumTrackTintColor.value_or(trackGrey);
    double radius = track.size.height / 2;
    fillRounded(cr, track, radius, maximum);
    cairo_save(cr);
    cairo_rectangle(cr, track.minX(), track.minY() - 1, split - track.minX(), track.height() + 2);
    cairo_clip(cr);
    fillRounded(cr, track, radius, minimum);
    cairo_restore(cr);
    if (auto image = slider.currentThumbImage()) {
        CGSize s = image->size();
        CGRect at{thumb.midX() - s.width / 2, thumb.midY() - s.height / 2, s.width, s.height};
        auto tint = slider.thumbTintColor ? slider.thumbTintColor
                                          : ImageRenderer::tintFor(*image, slider.tintColor());
        ImageRenderer::shared().draw(cr, *image, at, tint);
        return;
    }
    paintThumb(cr, thumb);
    if (slider.thumbTintColor) {
        cairo_arc(cr, thumb.midX(), thumb.midY(), thumb.width() / 2, 0, 2 * M_PI);
        setSourceColor(cr, *slider.thumbTintColor);
        cairo_fill(cr);
    }
}

void paintProgress(LayerRenderer& r, UIProgressView& progress, const CGRect& b) {
    cairo_t* cr = r.context();
    bool bar = progress.progressViewStyle == UIProgressViewStyle::bar;
    double radius = bar ? 0 : std::min(b.size.height, 4.0) / 2;
    CGRect track{b.minX(), b.midY() - std::min(b.size.height, 4.0) / 2, b.width(),
                 std::min(b.size.height, 4.0)};
    if (!bar || progress.trackTintColor)
        fillRounded(cr, track, radius, progress.trackTintColor.value_or(trackGrey));
    CGRect filled = track;
    filled.size.width = track.width() * std::clamp(double(progress.progress()), 0.0, 1.0);
    if (filled.size.width > 0)
        fillRounded(cr, filled, radius, progress.progressTintColor.value_or(progress.tintColor()));
}

std::string bullets(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            out += "\u2022";
    }
    return out;
}

void paintTextField(LayerRenderer& r, UITextField& field, const CGRect& b) {
    cairo_t* cr = r.context();
    bool inSearchBar = dynamic_cast<UISearchBar*>(field.superview().get()) != nullptr;
    CGRect text = b;
    if (inSearchBar) {
        fillRounded(cr, b, 10, searchFill);
        if (auto glass = UIImage::systemName("magnifyingglass")) {
            double side = std::min(18.0, b.size.height - 4);
            ImageRenderer::shared().draw(
                cr, *glass, {b.minX() + 6, b.midY() - side / 2, side, side}, placeholderGrey);
        }
        text = {b.minX() + 30, b.minY(), b.width() - 38, b.height()};
    } else if (field.borderStyle == UITextBorderStyle::roundedRect) {
        fillRounded(cr, b, 5, UIColor::systemBackground());
        appendRoundedRect(cr, b.insetBy(0.25, 0.25), 5);
        cairo_set_line_width(cr, 0.5);
        setSourceColor(cr, UIColor::rgba(0, 0, 0, 0.2));
        cairo_stroke(cr);
        text = b.insetBy(7, 0);
    } else if (field.borderStyle != UITextBorderStyle::none) {
        appendRoundedRect(cr, b.insetBy(0.5, 0.5), 0);
        cairo_set_line_width(cr, 1);
        setSourceColor(cr, UIColor::gray());
        cairo_stroke(cr);
        text = b.insetBy(4, 0);
    }
    bool empty = field.text().empty();
    std::string shown = field.isSecureTextEntry ? bullets(field.text()) : field.text();
    size_t caretIndex = field.isSecureTextEntry
                            ? bullets(field.text().substr(0, field.caretPosition())).size()
                            : field.caretPosition();
    TextStyle style{field.font, empty ? placeholderGrey : field.textColor, field.textAlignment,
                    NSLineBreakMode::byClipping, 1};
    TextLayout layout(NSAttributedString(empty ? field.placeholder : shown), style, 0);
    cairo_save(cr);
    cairo_rectangle(cr, text.minX() - 1, text.minY(), text.width() + 3, text.height());
    cairo_clip(cr);
    double x = text.minX() + layout.alignedOffset(text.width());
    double caret = empty ? x : x + layout.offsetOfIndex(caretIndex);
    // Text longer than the field slides so the caret stays in view.
    if (caret > text.maxX() - 2) {
        x -= caret - (text.maxX() - 2);
        caret = text.maxX() - 2;
    }
    double y = text.midY() - std::max(layout.size().height, field.font.lineHeight()) / 2;
    layout.draw(cr, {x, y});
    if (field.isEditing()) {
        r.markTimed();
        if (std::fmod(r.time(), ControlPainter::caretPeriod) < ControlPainter::caretPeriod * 0.6) {
            double h = field.font.lineHeight();
            cairo_rectangle(cr, std::round(caret * 2) / 2, text.midY() - h / 2, 2, h);
            setSourceColor(cr, field.tintColor());
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void paintSpinner(LayerRenderer& r, UIActivityIndicatorView& spinner, const CGRect& b) {
    cairo_t* cr = r.context();
    bool large = spinner.style() == UIActivityIndicatorViewStyle::large;
    double size = large ? 37 : 20;
    int spokes = 8;
    CGPoint c = b.center();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, size * (large ? 0.095 : 0.11));
    for (int i = 0; i < spokes; ++i) {
        double angle = -M_PI / 2 + 2 * M_PI * i / spokes;
        double inner = size * 0.24, outer = size * 0.47;
        cairo_move_to(cr, c.x + inner * std::cos(angle), c.y + inner * std::sin(angle));
        cairo_line_to(cr, c.x + outer * std::cos(angle), c.y + outer * std::sin(angle));
        // The leading spoke is the brightest; the trail fades behind it.
        setSourceColor(cr, spinner.color, 0.25 + 0.75 * (i + 1) / spokes);
        cairo_stroke(cr);
    }
}

void paintPageControl(LayerRenderer& r, UIPageControl& control, const CGRect& b) {
    int pages = control.numberOfPages();
    if (pages <= 0 || (pages == 1 && control.hidesForSinglePage))
        return;
    cairo_t* cr = r.context();
    double dot = 7, step = 16;
    double start = b.midX() - step * (pages - 1) / 2;
    for (int i = 0; i < pages; ++i) {
        bool current = i == control.currentPage();
        UIColor color = current ? control.currentPageIndicatorTintColor.value_or(UIColor::white())
                                : control.pageIndicatorTintColor.value_or(UIColor::white(1, 0.3));
        cairo_arc(cr, start + step * i, b.midY(), dot / 2, 0, 2 * M_PI);
        setSourceColor(cr, color);
        cairo_fill(cr);
    }
}

} // namespace

void ControlPainter::paint(LayerRenderer& r, UIView& view, const CGRect& b) {
    if (auto button = dynamic_cast<UIButton*>(&view))
        return paintButton(r, *button, b);
    if (auto slider = dynamic_cast<UISlider*>(&view))
        return paintSlider(r, *slider, b);
    if (auto progress = dynamic_cast<UIProgressView*>(&view))
        return paintProgress(r, *progress, b);
    if (auto field = dynamic_cast<UITextField*>(&view))
        return paintTextField(r, *field, b);
    if (auto spinner = dynamic_cast<UIActivityIndicatorView*>(&view))
        return paintSpinner(r, *spinner, b);
    if (auto pages = dynamic_cast<UIPageControl*>(&view))
        return paintPageControl(r, *pages, b);
}

void ControlPainter::paintOverlay(LayerRenderer& r, UIView& view, const CGRect& b) {
    if (auto button = dynamic_cast<UIButton*>(&view))
        paintButtonOverlay(r, *button, b);
}
