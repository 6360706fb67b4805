#pragma once

#include "UIKit/UIView.h"

#include <memory>
#include <string>

class UISearchBar;
class UITextField;

class UISearchBarDelegate {
  public:
    virtual ~UISearchBarDelegate() = default;
    virtual bool searchBarShouldBeginEditing(UISearchBar&) { return true; }
    virtual void searchBarTextDidBeginEditing(UISearchBar&) {}
    virtual void searchBarTextDidEndEditing(UISearchBar&) {}
    // Each typed change, the cleared text included.
    virtual void textDidChange(UISearchBar&, const std::string& text) { (void)text; }
    virtual void searchBarSearchButtonClicked(UISearchBar&) {}
    virtual void searchBarCancelButtonClicked(UISearchBar&) {}
};

// A search field. Typing goes into its text field, which tells the delegate of each change;
// setting `text` in code tells nobody.
class UISearchBar : public UIView {
  public:
    using UIView::UIView;
    static std::shared_ptr<UISearchBar> make(const CGRect& frame = {}) {
        return std::make_shared<UISearchBar>(frame);
    }

    std::string text() const;
    void setText(const std::string& text);
    std::string placeholder() const;
    void setPlaceholder(const std::string& placeholder);
    bool showsCancelButton = false;
    std::weak_ptr<UISearchBarDelegate> delegate;

    // The field the text is typed into, made on first use.
    std::shared_ptr<UITextField> searchTextField();
    void cancel();

    bool becomeFirstResponder() override;
    bool resignFirstResponder() override;
    bool isFirstResponder() const;

    void layoutSubviews() override;
    CGSize intrinsicContentSize() const override { return {noIntrinsicMetric, 56}; }

  private:
    std::shared_ptr<UITextField> field_;
};
