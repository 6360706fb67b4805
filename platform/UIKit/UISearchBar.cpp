#include "UIKit/UISearchBar.h"

#include "UIKit/UITextField.h"

namespace {

// Forwards the field's editing to the search bar's delegate.
class FieldDelegate : public UITextFieldDelegate {
  public:
    explicit FieldDelegate(std::weak_ptr<UISearchBar> bar) : bar_(std::move(bar)) {}
    bool textFieldShouldBeginEditing(UITextField&) override {
        auto bar = bar_.lock();
        auto d = bar ? bar->delegate.lock() : nullptr;
        return !d || d->searchBarShouldBeginEditing(*bar);
    }
    void textFieldDidBeginEditing(UITextField&) override {
        if (auto bar = bar_.lock())
            if (auto d = bar->delegate.lock())
                d->searchBarTextDidBeginEditing(*bar);
    }
    void textFieldDidEndEditing(UITextField&) override {
        if (auto bar = bar_.lock())
            if (auto d = bar->delegate.lock())
                d->searchBarTextDidEndEditing(*bar);
    }
    bool textFieldShouldReturn(UITextField&) override {
        if (auto bar = bar_.lock())
            if (auto d = bar->delegate.lock())
                d->searchBarSearchButtonClicked(*bar);
        return true;
    }

  private:
    std::weak_ptr<UISearchBar> bar_;
};

} // namespace

std::shared_ptr<UITextField> UISearchBar::searchTextField() {
    if (!field_) {
        field_ = UITextField::make();
        field_->borderStyle = UITextBorderStyle::roundedRect;
        field_->returnKeyType = UIReturnKeyType::search;
        std::weak_ptr<UISearchBar> weak = std::static_pointer_cast<UISearchBar>(sharedView());
        auto forward = std::make_shared<FieldDelegate>(weak);
        field_->delegate = forward;
        // The field holds its delegate weakly; the handler below keeps this one alive.
        field_->addHandler(
            [weak, forward](const std::shared_ptr<UIControl>& sender, UIEvent*) {
                auto bar = weak.lock();
                auto field = std::static_pointer_cast<UITextField>(sender);
                if (!bar)
                    return;
                if (auto d = bar->delegate.lock())
                    d->textDidChange(*bar, field->text());
            },
            UIControlEventEditingChanged);
        addSubview(field_);
        setNeedsLayout();
    }
    return field_;
}

std::string UISearchBar::text() const {
    return field_ ? field_->text() : std::string();
}

void UISearchBar::setText(const std::string& text) {
    searchTextField()->setText(text);
}

std::string UISearchBar::placeholder() const {
    return field_ ? field_->placeholder : std::string();
}

void UISearchBar::setPlaceholder(const std::string& placeholder) {
    searchTextField()->placeholder = placeholder;
}

void UISearchBar::cancel() {
    if (auto d = delegate.lock())
        d->searchBarCancelButtonClicked(*this);
}

bool UISearchBar::becomeFirstResponder() {
    return searchTextField()->becomeFirstResponder();
}

bool UISearchBar::resignFirstResponder() {
    return !field_ || field_->resignFirstResponder();
}

bool UISearchBar::isFirstResponder() const {
    return field_ && field_->isFirstResponder();
}

void UISearchBar::layoutSubviews() {
    CGRect b = bounds();
    searchTextField()->setFrame({b.minX() + 8, b.minY() + 10, std::max(0.0, b.width() - 16),
                                 std::max(0.0, b.height() - 20)});
}
