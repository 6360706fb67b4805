#include "Render/LayerRenderer.h"

#include "Render/AlphaBlur.h"
#include "Render/CairoColor.h"
#include "Render/CairoPath.h"
#include "Render/ImageRenderer.h"
#include "Render/ViewPainter.h"
#include "UIKit/CAGradientLayer.h"
#include "UIKit/CAShapeLayer.h"
#include "UIKit/UIView.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace {

bool visible(const std::optional<UIColor>& color) {
    return color && (color->isPattern() || color->alpha() > 0.001);
}

// Where contents of that size sit in the bounds, by the gravity.
CGRect gravityRect(CALayerContentsGravity gravity, const CGRect& b, CGSize size) {
    using G = CALayerContentsGravity;
    if (gravity == G::resize || size.width <= 0 || size.height <= 0)
        return b;
    if (gravity == G::resizeAspect || gravity == G::resizeAspectFill) {
        double sx = b.size.width / size.width, sy = b.size.height / size.height;
        double s = gravity == G::resizeAspect ? std::min(sx, sy) : std::max(sx, sy);
        size = {size.width * s, size.height * s};
    }
    double x = b.midX() - size.width / 2, y = b.midY() - size.height / 2;
    if (gravity == G::top)
        y = b.minY();
    if (gravity == G::bottom)
        y = b.maxY() - size.height;
    if (gravity == G::left)
        x = b.minX();
    if (gravity == G::right)
        x = b.maxX() - size.width;
    return {x, y, size.width, size.height};
}

} // namespace

LayerRenderer::LayerRenderer(cairo_t* cr, double time) : cr_(cr), time_(time) {}

void LayerRenderer::drawView(const UIView& view) {
    cairo_save(cr_);
    CGRect frame = view.frame();
    cairo_translate(cr_, -frame.origin.x, -frame.origin.y);
    draw(*view.layer());
    cairo_restore(cr_);
}

void LayerRenderer::draw(const CALayer& model) {
    if (model.isHidden)
        return;
    std::shared_ptr<CALayer> presented;
    const CALayer* layer = &model;
    if (!model.animationKeys().empty()) {
        presented = model.presentationLayer(time_);
        layer = presented.get();
        sawAnimation_ = true;
    }
    if (layer->isHidden || layer->opacity <= 0.001f)
        return;
    cairo_save(cr_);
    applyGeometry(*layer);
    bool group = layer->opacity < 0.999f || layer->mask;
    if (group)
        cairo_push_group(cr_);
    if (layer->mask)
        drawMasked(*layer);
    else
        drawResolved(*layer, true);
    if (group) {
        cairo_pop_group_to_source(cr_);
        cairo_paint_with_alpha(cr_, std::clamp(double(layer->opacity), 0.0, 1.0));
    }
    cairo_restore(cr_);
}

void LayerRenderer::applyGeometry(const CALayer& layer) {
    CGPoint p = layer.position();
    cairo_translate(cr_, p.x, p.y);
    CGAffineTransform t = layer.affineTransform();
    if (!t.isIdentity()) {
        cairo_matrix_t m{t.a, t.b, t.c, t.d, t.tx, t.ty};
        cairo_transform(cr_, &m);
    }
    CGRect b = layer.bounds();
    CGPoint a = layer.anchorPoint();
    cairo_translate(cr_, -a.x * b.size.width - b.origin.x, -a.y * b.size.height - b.origin.y);
}

void LayerRenderer::drawMasked(const CALayer& layer) {
    cairo_push_group(cr_);
    drawResolved(layer, true);
    cairo_pattern_t* content = cairo_pop_group(cr_);
    cairo_push_group(cr_);
    draw(*layer.mask);
    cairo_pattern_t* mask = cairo_pop_group(cr_);
    cairo_set_source(cr_, content);
    cairo_mask(cr_, mask);
    cairo_pattern_destroy(mask);
    cairo_pattern_destroy(content);
}

void LayerRenderer::drawResolved(const CALayer& layer, bool withShadow) {
    if (withShadow && layer.shadowOpacity > 0.001f && visible(layer.shadowColor))
        drawShadow(layer);
    drawBody(layer);
}

void LayerRenderer::drawBody(const CALayer& layer) {
    drawBackground(layer);
    cairo_save(cr_);
    if (layer.masksToBounds) {
        appendRoundedRect(cr_, layer.bounds(), layer.cornerRadius, layer.maskedCorners);
        cairo_clip(cr_);
    }
    drawGradient(layer);
    drawShape(layer);
    drawContents(layer);
    if (UIView* view = layer.owningView())
        ViewPainter::paint(*this, *view, layer.bounds());
    drawSublayers(layer);
    if (UIView* view = layer.owningView())
        ViewPainter::paintOverlay(*this, *view, layer.bounds());
    cairo_restore(cr_);
    drawBorder(layer);
}

void LayerRenderer::drawShadow(const CALayer& layer) {
    double radius = std::max(0.0, double(layer.shadowRadius));
    double scale = deviceScale(cr_);
    // A blurred shadow is soft anyway: one pixel per point is enough for it.
    double res = radius >= 1 ? std::min(1.0, scale) : scale;
    CGRect shape = layer.shadowPath ? layer.shadowPath->boundingBox() : layer.bounds();
    double margin = std::ceil(radius * 1.5) + 2;
    CGRect area = shape.standardized().insetBy(-margin, -margin);
    int w = int(std::ceil(area.size.width * res)), h = int(std::ceil(area.size.height * res));
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192)
        return;
    cairo_surface_t* alpha = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* s = cairo_create(alpha);
    cairo_scale(s, res, res);
    cairo_translate(s, -area.origin.x, -area.origin.y);
    cairo_set_source_rgba(s, 0, 0, 0, 1);
    if (layer.shadowPath) {
        appendPath(s, *layer.shadowPath);
        cairo_fill(s);
    } else if (visible(layer.backgroundColor)) {
        appendRoundedRect(s, layer.bounds(), layer.cornerRadius, layer.maskedCorners);
        cairo_fill(s);
    } else {
        // No shape given: the shadow follows whatever the layer draws.
        LayerRenderer silhouette(s, time_);
        silhouette.drawBody(layer);
    }
    cairo_destroy(s);
    blurAlpha(alpha, int(std::lround(radius * res / 2)));

    Rgba c = resolvedRgba(*layer.shadowColor);
    cairo_save(cr_);
    cairo_translate(cr_, layer.shadowOffset.width + area.origin.x,
                    layer.shadowOffset.height + area.origin.y);
    cairo_scale(cr_, 1 / res, 1 / res);
    cairo_set_source_rgba(cr_, c.r, c.g, c.b,
                          c.a * std::clamp(double(layer.shadowOpacity), 0.0, 1.0));
    cairo_mask_surface(cr_, alpha, 0, 0);
    cairo_restore(cr_);
    cairo_surface_destroy(alpha);
}

void LayerRenderer::drawBackground(const CALayer& layer) {
    if (!visible(layer.backgroundColor))
        return;
    UIColor color = layer.backgroundColor->resolvedColor(UITraitCollection::current());
    appendRoundedRect(cr_, layer.bounds(), layer.cornerRadius, layer.maskedCorners);
    if (color.isPattern() && color.patternImageValue()) {
        // Patterns tile from the top-left corner of the bounds.
        if (cairo_pattern_t* p = ImageRenderer::shared().pattern(cr_, *color.patternImageValue())) {
            cairo_matrix_t m;
            cairo_pattern_get_matrix(p, &m);
            cairo_matrix_translate(&m, -layer.bounds().origin.x, -layer.bounds().origin.y);
            cairo_pattern_set_matrix(p, &m);
            cairo_set_source(cr_, p);
            cairo_fill(cr_);
            cairo_pattern_destroy(p);
            return;
        }
    }
    setSourceColor(cr_, color);
    cairo_fill(cr_);
}

void LayerRenderer::drawGradient(const CALayer& layer) {
    auto g = dynamic_cast<const CAGradientLayer*>(&layer);
    if (!g || g->colors.empty())
        return;
    CGRect b = layer.bounds();
    auto at = [&](CGPoint unit) {
        return CGPoint{b.origin.x + unit.x * b.size.width, b.origin.y + unit.y * b.size.height};
    };
    CGPoint s = at(g->startPoint), e = at(g->endPoint);
    cairo_pattern_t* p = nullptr;
    if (g->type == CAGradientLayerType::radial) {
        double rx = std::max(0.01, std::fabs(e.x - s.x)), ry = std::max(0.01, std::fabs(e.y - s.y));
        p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
        cairo_matrix_t m;
        cairo_matrix_init_translate(&m, s.x, s.y);
        cairo_matrix_scale(&m, rx, ry);
        cairo_matrix_invert(&m);
        cairo_pattern_set_matrix(p, &m);
    } else {
        p = cairo_pattern_create_linear(s.x, s.y, e.x, e.y);
    }
    std::vector<double> locations = g->effectiveLocations();
    size_t n = std::min(locations.size(), g->colors.size());
    for (size_t i = 0; i < n; ++i) {
        Rgba c = resolvedRgba(g->colors[i]);
        cairo_pattern_add_color_stop_rgba(p, locations[i], c.r, c.g, c.b, c.a);
    }
    if (n == 0) {
        Rgba c = resolvedRgba(g->colors.front());
        cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, c.a);
    }
    appendRoundedRect(cr_, b, layer.cornerRadius, layer.maskedCorners);
    cairo_set_source(cr_, p);
    cairo_fill(cr_);
    cairo_pattern_destroy(p);
}

void LayerRenderer::drawShape(const CALayer& layer) {
    auto shape = dynamic_cast<const CAShapeLayer*>(&layer);
    if (!shape || !shape->path || shape->path->isEmpty())
        return;
    if (visible(shape->fillColor)) {
        appendPath(cr_, *shape->path);
        cairo_set_fill_rule(cr_, shape->fillRule == CAShapeLayerFillRule::evenOdd
                                     ? CAIRO_FILL_RULE_EVEN_ODD
                                     : CAIRO_FILL_RULE_WINDING);
        setSourceColor(cr_, *shape->fillColor);
        cairo_fill(cr_);
    }
    if (!visible(shape->strokeColor) || shape->lineWidth <= 0)
        return;
    appendPath(cr_, *shape->path);
    if (shape->strokeStart > 0 || shape->strokeEnd < 1)
        trimCurrentPath(cr_, shape->strokeStart, shape->strokeEnd);
    cairo_set_line_width(cr_, shape->lineWidth);
    static const cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND,
                                            CAIRO_LINE_CAP_SQUARE};
    static const cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND,
                                              CAIRO_LINE_JOIN_BEVEL};
    cairo_set_line_cap(cr_, caps[int(shape->lineCap)]);
    cairo_set_line_join(cr_, joins[int(shape->lineJoin)]);
    if (!shape->lineDashPattern.empty())
        cairo_set_dash(cr_, shape->lineDashPattern.data(), int(shape->lineDashPattern.size()), 0);
    setSourceColor(cr_, *shape->strokeColor);
    cairo_stroke(cr_);
    cairo_set_dash(cr_, nullptr, 0, 0);
}

void LayerRenderer::drawContents(const CALayer& layer) {
    if (!layer.contents)
        return;
    CGRect target = gravityRect(layer.contentsGravity, layer.bounds(), layer.contents->size());
    ImageRenderer::shared().draw(cr_, *layer.contents, target);
}

void LayerRenderer::drawSublayers(const CALayer& layer) {
    const auto& list = layer.sublayers();
    bool ordered =
        std::all_of(list.begin(), list.end(), [](const auto& l) { return l->zPosition == 0; });
    if (ordered) {
        for (const auto& sub : list)
            draw(*sub);
        return;
    }
    auto sorted = list;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a->zPosition < b->zPosition; });
    for (const auto& sub : sorted)
        draw(*sub);
}

void LayerRenderer::drawBorder(const CALayer& layer) {
    if (layer.borderWidth <= 0 || !visible(layer.borderColor))
        return;
    double w = layer.borderWidth;
    CGRect r = layer.bounds().standardized().insetBy(w / 2, w / 2);
    appendRoundedRect(cr_, r, std::max(0.0, layer.cornerRadius - w / 2), layer.maskedCorners);
    cairo_set_line_width(cr_, w);
    setSourceColor(cr_, *layer.borderColor);
    cairo_stroke(cr_);
}
