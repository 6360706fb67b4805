#pragma once

#include "UIKit/UIView.h"

#include <memory>

class UIMenu;

// How a shown menu appears in its window: a rounded panel of rows next to the view it came
// from, over a clear backdrop that closes the menu when touched. Rows go in the menu's order,
// a submenu's rows in a group of their own; destructive rows are red, disabled ones grey and
// untouchable, an action that is on carries a checkmark.
class UIMenuPanel : public UIView {
  public:
    static constexpr CGFloat rowHeight = 44;
    static constexpr CGFloat width = 250;

    explicit UIMenuPanel(const UIView& window);
    // A panel covering `window`, its rows placed beside `source`.
    static std::shared_ptr<UIMenuPanel> make(const std::shared_ptr<UIMenu>& menu,
                                             const UIView& source, const UIView& window);

    const std::shared_ptr<UIView>& panel() const { return panel_; }

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;

  private:
    void build(const UIMenu& menu, const UIView& source, const UIView& window);
    void addRows(const UIMenu& menu, CGFloat& y, bool& first);
    void place(const CGRect& anchor, CGSize size, const CGRect& area);

    std::shared_ptr<UIView> panel_;
    // The panel's width: `width`, or less in a narrow window.
    CGFloat rowWidth_ = width;
};
