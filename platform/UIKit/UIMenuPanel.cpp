#include "UIKit/UIMenuPanel.h"

#include "UIKit/UIControl.h"
#include "UIKit/UIImage.h"
#include "UIKit/UIImageView.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIMenu.h"

#include <algorithm>

namespace {

constexpr CGFloat gap = 6;
constexpr CGFloat groupGap = 8;
constexpr CGFloat margin = 8;

UIColor panelColor() {
    return UIColor::dynamic(UIColor::rgba(0.97, 0.97, 0.98, 0.98),
                            UIColor::rgba(0.17, 0.17, 0.18, 0.98));
}

// One entry: its title on the left, its image (or a checkmark) on the right; a touch that
// lifts inside runs the action through the shown menu.
class MenuRow : public UIControl {
  public:
    MenuRow(const std::shared_ptr<UIAction>& action, const CGRect& frame)
        : UIControl(frame), action_(action) {}

    // Views join their superview only once owned, so the row is filled after it is made.
    static std::shared_ptr<MenuRow> make(const std::shared_ptr<UIAction>& action,
                                         const CGRect& frame) {
        auto row = std::make_shared<MenuRow>(action, frame);
        row->fill(*action);
        return row;
    }

  protected:
    void stateDidChange() override {
        setBackgroundColor(isHighlighted() ? std::optional<UIColor>(UIColor::systemGray4())
                                           : std::nullopt);
    }
    void primaryTouchUpInside(UIEvent*) override {
        if (auto action = action_.lock())
            UIMenu::selectShownAction(action);
    }

  private:
    void fill(const UIAction& action) {
        bool destructive = action.attributes & UIMenuElementAttributesDestructive;
        bool disabled = action.attributes & UIMenuElementAttributesDisabled;
        CGSize size = bounds().size;
        auto title = UILabel::make({16, 0, size.width - 56, size.height});
        title->setText(action.title);
        title->setFont(UIFont::systemFont(17));
        title->setTextColor(disabled      ? UIColor::secondaryLabel()
                            : destructive ? UIColor::systemRed()
                                          : UIColor::label());
        addSubview(title);
        auto image = action.state == UIMenuElementState::on ? UIImage::systemName("checkmark")
                                                            : action.image;
        if (image) {
            auto icon = UIImageView::make(image);
            icon->setFrame({size.width - 36, (size.height - 20) / 2, 20, 20});
            icon->contentMode = UIViewContentMode::scaleAspectFit;
            icon->setTintColor(title->textColor());
            addSubview(icon);
        }
        setEnabled(!disabled);
    }

    std::weak_ptr<UIAction> action_;
};

} // namespace

UIMenuPanel::UIMenuPanel(const UIView& window) : UIView(window.bounds()) {}

std::shared_ptr<UIMenuPanel> UIMenuPanel::make(const std::shared_ptr<UIMenu>& menu,
                                               const UIView& source, const UIView& window) {
    auto panel = std::make_shared<UIMenuPanel>(window);
    panel->build(*menu, source, window);
    return panel;
}

void UIMenuPanel::build(const UIMenu& menu, const UIView& source, const UIView& window) {
    setBackgroundColor(UIColor::clear());
    panel_ = UIView::make();
    panel_->setBackgroundColor(panelColor());
    panel_->layer()->cornerRadius = 13;
    panel_->layer()->masksToBounds = true;
    rowWidth_ = std::min(width, bounds().size.width - 2 * margin);
    CGFloat y = 0;
    bool first = true;
    addRows(menu, y, first);
    // The shadow sits on a holder: the panel itself clips its rows to its corners.
    auto holder = UIView::make();
    holder->layer()->shadowOpacity = 0.22f;
    holder->layer()->shadowRadius = 18;
    holder->layer()->shadowOffset = {0, 6};
    holder->addSubview(panel_);
    addSubview(holder);
    CGRect anchor = source.convertRectTo(source.bounds(), &window);
    place(anchor, {rowWidth_, y}, window.safeAreaInsets().inset(window.bounds()));
}

void UIMenuPanel::addRows(const UIMenu& menu, CGFloat& y, bool& first) {
    for (const auto& child : menu.children) {
        if (auto submenu = std::dynamic_pointer_cast<UIMenu>(child)) {
            if (!first) {
                auto divider = UIView::make({0, y, rowWidth_, groupGap});
                divider->setBackgroundColor(UIColor::separator());
                panel_->addSubview(divider);
                y += groupGap;
            }
            first = true;
            addRows(*submenu, y, first);
            continue;
        }
        auto action = std::dynamic_pointer_cast<UIAction>(child);
        if (!action || (action->attributes & UIMenuElementAttributesHidden))
            continue;
        if (!first) {
            auto line = UIView::make({0, y, rowWidth_, 0.5});
            line->setBackgroundColor(UIColor::separator());
            panel_->addSubview(line);
        }
        panel_->addSubview(MenuRow::make(action, {0, y, rowWidth_, rowHeight}));
        y += rowHeight;
        first = false;
    }
}

// Below the source when it fits, else above it; lined up with the source's nearer side.
void UIMenuPanel::place(const CGRect& anchor, CGSize size, const CGRect& area) {
    CGFloat x = anchor.midX() > area.midX() ? anchor.maxX() - size.width : anchor.minX();
    CGFloat y = anchor.maxY() + gap;
    if (y + size.height > area.maxY() - margin)
        y = anchor.minY() - gap - size.height;
    x = std::clamp(x, area.minX() + margin,
                   std::max(area.minX() + margin, area.maxX() - margin - size.width));
    y = std::clamp(y, area.minY() + margin,
                   std::max(area.minY() + margin, area.maxY() - margin - size.height));
    auto holder = panel_->superview();
    holder->setFrame({x, y, size.width, size.height});
    panel_->setFrame({0, 0, size.width, size.height});
}

void UIMenuPanel::touchesEnded(const UITouchSet&, UIEvent*) {
    UIMenu::dismissShown();
}
