#include "Render/KitPainter.h"

#include "Render/CairoColor.h"
#include "Render/CairoPath.h"
#include "Render/ImageRenderer.h"
#include "Render/LayerRenderer.h"
#include "UIKit/UIAlertController.h"
#include "UIKit/UIButton.h"
#include "UIKit/UINavigationBar.h"
#include "UIKit/UITableViewCell.h"

#include <cairo.h>

namespace {

constexpr double panelRadius = 14;
constexpr double cancelGap = 8;

bool isDark(const UIView& view) {
    return view.traitCollection().userInterfaceStyle == UIUserInterfaceStyle::dark;
}

UIAlertController* alertOfBox(UIView& view) {
    auto backdrop = view.superview();
    if (!backdrop)
        return nullptr;
    auto alert = dynamic_cast<UIAlertController*>(backdrop->viewController().get());
    return alert && alert->contentView().get() == &view ? alert : nullptr;
}

std::shared_ptr<UIButton> cancelButton(UIAlertController& alert) {
    for (const auto& action : alert.actions()) {
        if (action->style == UIAlertActionStyle::cancel)
            return alert.buttonFor(*action);
    }
    return nullptr;
}

bool isPopover(UIAlertController& alert) {
    return alert.effectivePresentationStyle() == UIModalPresentationStyle::popover;
}

void fillPanel(cairo_t* cr, const CGRect& r, const Rgba& c) {
    appendRoundedRect(cr, r, panelRadius);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    cairo_fill(cr);
}

// An action sheet's cancel button stands in a panel of its own below the others, when it is
// the last one; everything else shares one frosted panel.
bool paintAlertBox(LayerRenderer& r, UIAlertController& alert, UIView& box, const CGRect& b) {
    cairo_t* cr = r.context();
    Rgba panel = isDark(box) ? Rgba{0.17, 0.17, 0.18, 0.96} : Rgba{0.96, 0.96, 0.97, 0.96};
    auto cancel = cancelButton(alert);
    bool sheet = alert.preferredStyle() == UIAlertControllerStyle::actionSheet;
    bool apart =
        sheet && !isPopover(alert) && cancel && alert.buttonFor(*alert.actions().back()) == cancel;
    if (!apart) {
        fillPanel(cr, b, panel);
        return true;
    }
    CGRect c = cancel->frame();
    fillPanel(cr, {b.minX(), b.minY(), b.width(), c.minY() - b.minY() - cancelGap}, panel);
    Rgba solid = isDark(box) ? Rgba{0.17, 0.17, 0.18, 1} : Rgba{1, 1, 1, 1};
    fillPanel(cr, {b.minX(), c.minY(), b.width(), c.height()}, solid);
    return true;
}

// Hairlines above every stacked button but a set-apart cancel.
void paintAlertSeparators(LayerRenderer& r, UIAlertController& alert, UIView& box) {
    cairo_t* cr = r.context();
    auto cancel = cancelButton(alert);
    bool sheet = alert.preferredStyle() == UIAlertControllerStyle::actionSheet;
    cairo_set_line_width(cr, 0.5);
    cairo_set_source_rgba(cr, 0.24, 0.24, 0.26, isDark(box) ? 0.6 : 0.29);
    for (const auto& action : alert.actions()) {
        auto button = alert.buttonFor(*action);
        if (!button || button->isHidden())
            continue;
        if (sheet && button == cancel && alert.buttonFor(*alert.actions().back()) == cancel &&
            !isPopover(alert))
            continue;
        double y = button->frame().minY() + 0.25;
        cairo_move_to(cr, box.bounds().minX(), y);
        cairo_line_to(cr, box.bounds().maxX(), y);
        cairo_stroke(cr);
    }
}

// The bar's own background: a frosted material, or nothing when its title is light (it then
// lies over the screen's own dark background, as a bar at the top of its content does).
bool paintNavigationBarBackground(LayerRenderer& r, UINavigationBar& bar, const CGRect& b) {
    cairo_t* cr = r.context();
    if (bar.barTintColor) {
        cairo_rectangle(cr, b.origin.x, b.origin.y, b.size.width, b.size.height);
        setSourceColor(cr, *bar.barTintColor);
        cairo_fill(cr);
        return true;
    }
    if (bar.titleTextAttributes && bar.titleTextAttributes->foregroundColor) {
        Rgba t = resolvedRgba(*bar.titleTextAttributes->foregroundColor);
        if ((299 * t.r + 587 * t.g + 114 * t.b) / 1000 > 0.5)
            return true;
    }
    Rgba c = isDark(bar) ? Rgba{0.11, 0.11, 0.12, 0.94} : Rgba{0.97, 0.97, 0.98, 0.94};
    cairo_rectangle(cr, b.origin.x, b.origin.y, b.size.width, b.size.height);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    cairo_fill(cr);
    cairo_rectangle(cr, b.origin.x, b.maxY() - 0.5, b.size.width, 0.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.22);
    cairo_fill(cr);
    return true;
}

void paintCell(LayerRenderer& r, UITableViewCell& cell, const CGRect& b) {
    cairo_t* cr = r.context();
    bool selected = (cell.isSelected() || cell.isHighlighted()) &&
                    cell.selectionStyle != UITableViewCellSelectionStyle::none;
    if (selected && !cell.showsSelectedBackground()) {
        cairo_rectangle(cr, b.origin.x, b.origin.y, b.size.width, b.size.height);
        setSourceColor(cr, UIColor::systemGray4());
        cairo_fill(cr);
    }
    if (cell.accessoryView || cell.accessoryType == UITableViewCellAccessoryType::none)
        return;
    bool check = cell.accessoryType == UITableViewCellAccessoryType::checkmark;
    auto symbol = ImageRenderer::shared().symbol(check ? "checkmark" : "chevron.right");
    if (!symbol)
        return;
    double side = check ? 16 : 13;
    CGRect at{b.maxX() - 16 - side + cell.swipeOffset(), b.midY() - side / 2, side, side};
    ImageRenderer::shared().draw(cr, *symbol, at,
                                 check ? cell.tintColor() : UIColor::systemGray3());
}

void paintCellSeparator(LayerRenderer& r, UITableViewCell&, const CGRect& b) {
    cairo_t* cr = r.context();
    cairo_rectangle(cr, b.minX() + 16, b.maxY() - 0.5, b.width() - 16, 0.5);
    setSourceColor(cr, UIColor::separator());
    cairo_fill(cr);
}

} // namespace

bool KitPainter::paintBackground(LayerRenderer& r, UIView& view, const CGRect& b) {
    if (auto bar = dynamic_cast<UINavigationBar*>(&view))
        return paintNavigationBarBackground(r, *bar, b);
    if (auto alert = alertOfBox(view))
        return paintAlertBox(r, *alert, view, b);
    return false;
}

void KitPainter::paint(LayerRenderer& r, UIView& view, const CGRect& b) {
    if (auto cell = dynamic_cast<UITableViewCell*>(&view))
        paintCell(r, *cell, b);
}

void KitPainter::paintOverlay(LayerRenderer& r, UIView& view, const CGRect& b) {
    if (auto cell = dynamic_cast<UITableViewCell*>(&view))
        return paintCellSeparator(r, *cell, b);
    if (auto alert = alertOfBox(view))
        paintAlertSeparators(r, *alert, view);
}
