#pragma once

#include "UIKit/UIControl.h"

#include <optional>

// A row of dots, one per page, the current one highlighted. A tap on either side of the
// current dot steps one page that way and sends valueChanged.
class UIPageControl : public UIControl {
  public:
    using UIControl::UIControl;
    static std::shared_ptr<UIPageControl> make() { return std::make_shared<UIPageControl>(); }

    int numberOfPages() const { return pages_; }
    void setNumberOfPages(int pages);
    int currentPage() const { return current_; }
    // Clamped to the pages there are.
    void setCurrentPage(int page);
    bool hidesForSinglePage = false;
    std::optional<UIColor> pageIndicatorTintColor;
    std::optional<UIColor> currentPageIndicatorTintColor;

    CGSize intrinsicContentSize() const override;

  protected:
    void primaryTouchUpInside(UIEvent* event) override;
    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;

  private:
    int pages_ = 0;
    int current_ = 0;
    CGPoint lastTouch_;
};
