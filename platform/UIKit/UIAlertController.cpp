#include "UIKit/UIAlertController.h"

#include "UIKit/UIButton.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UITextField.h"

#include <stdexcept>

namespace {
constexpr CGFloat alertWidth = 270;
constexpr CGFloat buttonHeight = 44;
constexpr CGFloat fieldHeight = 30;
constexpr CGFloat padding = 16;

// The backdrop places the box whenever it is laid out.
class AlertView : public UIView {
  public:
    using UIView::UIView;
    std::function<void()> onLayout;
    void layoutSubviews() override {
        if (onLayout)
            onLayout();
    }
};

bool onPad() {
    return UIDevice::current().userInterfaceIdiom() == UIUserInterfaceIdiom::pad;
}
} // namespace

UIAlertController::UIAlertController(std::optional<std::string> title,
                                     std::optional<std::string> message,
                                     UIAlertControllerStyle style)
    : message(std::move(message)), style_(style) {
    setTitle(std::move(title));
    bool popover = style == UIAlertControllerStyle::actionSheet && onPad();
    modalPresentationStyle =
        popover ? UIModalPresentationStyle::popover : UIModalPresentationStyle::custom;
    modalTransitionStyle = UIModalTransitionStyle::crossDissolve;
}

std::shared_ptr<UIAlertController> UIAlertController::make(std::optional<std::string> title,
                                                           std::optional<std::string> message,
                                                           UIAlertControllerStyle style) {
    return std::make_shared<UIAlertController>(std::move(title), std::move(message), style);
}

void UIAlertController::addAction(const std::shared_ptr<UIAlertAction>& action) {
    if (!action)
        return;
    if (action->style == UIAlertActionStyle::cancel)
        for (auto& a : actions_)
            if (a->style == UIAlertActionStyle::cancel)
                throw std::logic_error("an alert can only have one action of the cancel style");
    actions_.push_back(action);
    if (isViewLoaded())
        loadView();
}

std::shared_ptr<UIAlertAction> UIAlertController::action(const std::string& title) const {
    for (auto& a : actions_)
        if (a->title == title)
            return a;
    return nullptr;
}

void UIAlertController::addTextField(
    const std::function<void(const std::shared_ptr<UITextField>&)>& configuration) {
    if (style_ != UIAlertControllerStyle::alert)
        throw std::logic_error("text fields can only be added to an alert of the alert style");
    auto field = UITextField::make();
    field->borderStyle = UITextBorderStyle::roundedRect;
    field->font = UIFont::systemFont(13);
    if (configuration)
        configuration(field);
    textFields_.push_back(field);
    if (isViewLoaded())
        loadView();
}

CGFloat UIAlertController::contentHeight() const {
    CGFloat h = padding;
    if (titleLabel_ && titleLabel_->hasText())
        h += 22;
    if (messageLabel_ && messageLabel_->hasText())
        h += messageLabel_->sizeThatFits({alertWidth - 2 * padding, 1000}).height + 4;
    h += textFields_.size() * (fieldHeight + 8);
    h += padding / 2 + actions_.size() * buttonHeight;
    return h;
}

void UIAlertController::loadView() {
    auto backdrop = std::make_shared<AlertView>(UIScreen::main().bounds());
    std::weak_ptr<UIAlertController> weakSelf =
        std::static_pointer_cast<UIAlertController>(sharedController());
    backdrop->onLayout = [weakSelf] {
        if (auto self = weakSelf.lock())
            self->layoutBox();
    };
    bool popover = effectivePresentationStyle() == UIModalPresentationStyle::popover;
    backdrop->setBackgroundColor(popover ? UIColor::clear() : UIColor::white(0, 0.2));
    box_ = UIView::make();
    box_->setBackgroundColor(UIColor::systemGray6());
    box_->layer()->cornerRadius = 13;
    if (popover) {
        // Nothing dims the screen behind a popover, so a soft shadow lifts it off the page.
        box_->layer()->shadowOpacity = 0.22f;
        box_->layer()->shadowRadius = 18;
        box_->layer()->shadowOffset = {0, 6};
    }
    backdrop->addSubview(box_);

    titleLabel_ = UILabel::make();
    titleLabel_->setFont(UIFont::systemFont(17, UIFont::Weight::semibold));
    titleLabel_->textAlignment = NSTextAlignment::center;
    if (title())
        titleLabel_->setText(*title());
    messageLabel_ = UILabel::make();
    messageLabel_->setFont(UIFont::systemFont(13));
    messageLabel_->textAlignment = NSTextAlignment::center;
    messageLabel_->setNumberOfLines(0);
    if (message)
        messageLabel_->setText(*message);
    box_->addSubview(titleLabel_);
    box_->addSubview(messageLabel_);
    for (auto& field : textFields_)
        box_->addSubview(field);

    buttons_.clear();
    std::weak_ptr<UIAlertController> weak =
        std::static_pointer_cast<UIAlertController>(sharedController());
    for (auto& a : actions_) {
        auto button = UIButton::make(UIButtonType::system);
        button->setTitle(a->title, UIControlStateNormal);
        if (a->style == UIAlertActionStyle::destructive)
            button->setTitleColor(UIColor::systemRed(), UIControlStateNormal);
        if (a->style == UIAlertActionStyle::cancel || a == preferredAction)
            button->titleLabel()->setFont(UIFont::systemFont(17, UIFont::Weight::semibold));
        button->setEnabled(a->isEnabled);
        std::weak_ptr<UIAlertAction> weakAction = a;
        button->addHandler(
            [weak, weakAction](const std::shared_ptr<UIControl>&, UIEvent*) {
                auto self = weak.lock();
                auto action = weakAction.lock();
                if (self && action)
                    self->performAction(action);
            },
            UIControlEventTouchUpInside);
        box_->addSubview(button);
        buttons_.push_back(button);
    }
    if (popover)
        preferredContentSize = {300, contentHeight()};
    setView(backdrop);
    layoutBox();
}

void UIAlertController::viewDidLayoutSubviews() {
    layoutBox();
}

void UIAlertController::layoutBox() {
    auto view = viewIfLoaded();
    if (!view || !box_)
        return;
    CGRect bounds = view->bounds();
    bool popover = effectivePresentationStyle() == UIModalPresentationStyle::popover;
    CGFloat width = style_ == UIAlertControllerStyle::alert
                        ? alertWidth
                        : std::min<CGFloat>(bounds.size.width - 16, 400);
    if (popover)
        width = bounds.size.width;
    CGFloat height = contentHeight();
    CGRect box;
    if (popover)
        box = bounds;
    else if (style_ == UIAlertControllerStyle::alert)
        box = {(bounds.size.width - width) / 2, (bounds.size.height - height) / 2, width, height};
    else
        box = {(bounds.size.width - width) / 2,
               bounds.size.height - height - view->safeAreaInsets().bottom - 8, width, height};
    box_->setFrame(box);
    CGFloat inner = width - 2 * padding;
    CGFloat y = padding;
    if (titleLabel_->hasText()) {
        titleLabel_->setFrame({padding, y, inner, 22});
        y += 22;
    }
    if (messageLabel_->hasText()) {
        CGFloat h = messageLabel_->sizeThatFits({inner, 1000}).height;
        messageLabel_->setFrame({padding, y, inner, h});
        y += h + 4;
    }
    for (auto& field : textFields_) {
        field->setFrame({padding, y, inner, fieldHeight});
        y += fieldHeight + 8;
    }
    y += padding / 2;
    for (auto& button : buttons_) {
        button->setFrame({0, y, width, buttonHeight});
        y += buttonHeight;
    }
}

void UIAlertController::viewDidAppear(bool animated) {
    UIViewController::viewDidAppear(animated);
    if (!textFields_.empty() && !acted_)
        textFields_.front()->becomeFirstResponder();
}

void UIAlertController::viewDidDisappear(bool animated) {
    UIViewController::viewDidDisappear(animated);
    for (auto& a : actions_)
        a->handler = nullptr;
}

std::shared_ptr<UIButton> UIAlertController::buttonFor(const UIAlertAction& action) const {
    for (size_t i = 0; i < actions_.size() && i < buttons_.size(); ++i)
        if (actions_[i].get() == &action)
            return buttons_[i];
    return nullptr;
}

void UIAlertController::performAction(const std::shared_ptr<UIAlertAction>& action) {
    if (acted_ || !action || !action->isEnabled)
        return;
    acted_ = true;
    for (auto& field : textFields_)
        if (field->isFirstResponder())
            field->resignFirstResponder();
    auto keep = sharedController();
    // The handler is taken now: the alert lets go of every handler once it has disappeared,
    // which breaks the cycles that handlers reading the alert's text fields make.
    auto run = [action, handler = action->handler] {
        if (handler)
            handler(*action);
    };
    if (presentingViewController())
        dismiss(true, run);
    else
        run();
}
