#include "Bootwell/NewWelcomeScreenVC.h"

#include "Bootwell/Bootwell.h"
#include "Bootwell/SettingsManager.h"
#include "Bootwell/UIApplication+KeyWindow.h"
#include "Bootwell/resource_bundle_accessor.h"
#include "Foundation/Console.h"
#include "Foundation/DispatchQueue.h"
#include "UIKit/CAGradientLayer.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UILayoutGuide.h"
#include "UIKit/UIStoryboard.h"
#include "UIKit/UIWindow.h"

#include <cstdlib>

namespace Bootwell {

namespace {

const AnimationKeypath& everyColour() {
    static const AnimationKeypath keypath({"**", "**", "**", "Color"});
    return keypath;
}

template <class T>
std::optional<T> firstOf(const std::vector<T>& list) {
    return list.empty() ? std::nullopt : std::optional<T>(list.front());
}

template <class T>
std::optional<T> lastOf(const std::vector<T>& list) {
    return list.empty() ? std::nullopt : std::optional<T>(list.back());
}

void setText(UILabel& label, const std::optional<std::string>& text) {
    if (text)
        label.setText(*text);
    else
        label.clearText();
}

} // namespace

NewWelcomeScreenVC::NewWelcomeScreenVC(ScreenModel model) : screenModel(std::move(model)) {}

std::shared_ptr<NewWelcomeScreenVC> NewWelcomeScreenVC::make(ScreenModel screenModel) {
    return std::make_shared<NewWelcomeScreenVC>(std::move(screenModel));
}

std::shared_ptr<NewWelcomeScreenVC> NewWelcomeScreenVC::fromCoder() {
    Console::print("init(coder:) has not been implemented");
    std::abort();
}

std::shared_ptr<LottieAnimationView> NewWelcomeScreenVC::animView() {
    if (!animView_) {
        animView_ = LottieAnimationView::named("waves", moduleBundle());
        animView_->loopMode = LottieLoopMode::playOnce;
        animView_->contentMode = UIViewContentMode::scaleToFill;
        animView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return animView_;
}

std::shared_ptr<UILabel> NewWelcomeScreenVC::titleLabel() {
    if (!titleLabel_) {
        titleLabel_ = UILabel::make();
        setText(*titleLabel_, firstOf(screenModel.title));
        titleLabel_->setFont(UIFont::systemFont(16));
        titleLabel_->textAlignment = NSTextAlignment::left;
        titleLabel_->setTextColor(UIColor::lightText());
        titleLabel_->setAlpha(0);
        titleLabel_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return titleLabel_;
}

std::shared_ptr<UILabel> NewWelcomeScreenVC::descLabel() {
    if (!descLabel_) {
        descLabel_ = UILabel::make();
        setText(*descLabel_, firstOf(screenModel.description));
        descLabel_->setNumberOfLines(0);
        descLabel_->textAlignment = NSTextAlignment::left;
        descLabel_->setFont(UIFont::boldSystemFont(24));
        descLabel_->setTextColor(UIColor::white());
        descLabel_->setAlpha(0);
        descLabel_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return descLabel_;
}

std::shared_ptr<UIButton> NewWelcomeScreenVC::continueButton() {
    if (!continueButton_) {
        continueButton_ = UIButton::make(UIButtonType::system);
        continueButton_->setTitle("Continue", UIControlStateNormal);
        continueButton_->setBackgroundColor(UIColor::rgb255(117, 151, 242));
        continueButton_->setTitleColor(UIColor::white(), UIControlStateNormal);
        continueButton_->layer()->cornerRadius = 10;
        continueButton_->setAlpha(0);
        continueButton_->setTranslatesAutoresizingMaskIntoConstraints(false);
        auto self = std::static_pointer_cast<NewWelcomeScreenVC>(sharedController());
        continueButton_->addTarget(self, &NewWelcomeScreenVC::continueButtonTapped,
                                   UIControlEventTouchUpInside, "continueButtonTapped");
    }
    return continueButton_;
}

std::shared_ptr<UITextView> NewWelcomeScreenVC::policyTextView() {
    if (!policyTextView_) {
        NSAttributedString text(consentText);
        NSTextAttributes terms;
        terms.link = Bootwell::termsLink;
        text.addAttributes(terms, text.range("Terms of Use"));
        NSTextAttributes policy;
        policy.link = Bootwell::policyLink;
        text.addAttributes(policy, text.range("Policy"));

        policyTextView_ = UITextView::make();
        policyTextView_->setAttributedText(text);
        policyTextView_->font = UIFont::systemFont(14);
        policyTextView_->isEditable = false;
        policyTextView_->isSelectable = true;
        policyTextView_->isScrollEnabled = false;
        policyTextView_->setBackgroundColor(UIColor::clear());
        policyTextView_->textAlignment = NSTextAlignment::center;
        policyTextView_->textColor = UIColor::gray();
        policyTextView_->delegate =
            std::static_pointer_cast<NewWelcomeScreenVC>(sharedController());
        policyTextView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return policyTextView_;
}

void NewWelcomeScreenVC::viewDidLoad() {
    UIViewController::viewDidLoad();
    recolourAnimation(UIColor::rgb255(83, 108, 226));
    auto root = view();
    for (const std::shared_ptr<UIView>& part : std::vector<std::shared_ptr<UIView>>{
             animView(), titleLabel(), descLabel(), continueButton(), policyTextView()})
        root->addSubview(part);
    addConstraints();
    addBackground();
    animView()->play(0, 100);
    fadeIn();
}

void NewWelcomeScreenVC::recolourAnimation(const UIColor& color) {
    animView()->setColorValue(color, everyColour());
}

void NewWelcomeScreenVC::addConstraints() {
    auto root = view();
    auto anim = animView();
    auto title = titleLabel();
    auto desc = descLabel();
    auto button = continueButton();
    auto policy = policyTextView();
    NSLayoutConstraint::activate({
        anim->topAnchor().constraintEqualTo(root->topAnchor()),
        anim->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
        anim->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
        anim->heightAnchor().constraintEqualToConstant(400),

        title->topAnchor().constraintEqualTo(anim->bottomAnchor(), 20),
        title->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20),
        title->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -20),

        desc->topAnchor().constraintEqualTo(title->bottomAnchor(), 20),
        desc->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20),
        desc->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -20),

        button->bottomAnchor().constraintEqualTo(policy->topAnchor(), -20),
        button->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20),
        button->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -20),
        button->heightAnchor().constraintEqualToConstant(50),

        policy->bottomAnchor().constraintEqualTo(root->safeAreaLayoutGuide()->bottomAnchor(), -20),
        policy->leadingAnchor().constraintEqualTo(root->leadingAnchor(), 20),
        policy->trailingAnchor().constraintEqualTo(root->trailingAnchor(), -20),
    });
}

void NewWelcomeScreenVC::addBackground() {
    auto gradient = CAGradientLayer::make();
    gradient->setFrame(view()->bounds());
    gradient->colors = {firstOf(screenModel.gradientColors).value_or(UIColor::systemBlue()),
                        UIColor::black()};
    view()->layer()->insertSublayer(gradient, 0);
}

void NewWelcomeScreenVC::fadeIn() {
    std::vector<std::pair<std::shared_ptr<UIView>, double>> parts{
        {titleLabel(), 0}, {descLabel(), 0.2}, {continueButton(), 0.4}, {policyTextView(), 0.6}};
    for (auto& [part, delay] : parts)
        part->setAlpha(0);
    for (auto& [part, delay] : parts) {
        auto target = part;
        UIView::animate(0.7, delay, UIViewAnimationOptionNone, [target] { target->setAlpha(1); });
    }
}

void NewWelcomeScreenVC::continueButtonTapped() {
    if (isStarted)
        finish();
    else
        showSecondStep();
}

void NewWelcomeScreenVC::showSecondStep() {
    auto title = titleLabel();
    setText(*title, lastOf(screenModel.title));
    title->setTextColor(UIColor::white());
    title->setFont(UIFont::systemFont(24, UIFont::Weight::bold));

    auto desc = descLabel();
    setText(*desc, lastOf(screenModel.description));
    desc->setTextColor(UIColor::lightText());
    desc->setFont(UIFont::systemFont(16));

    continueButton()->setTitle("Let's Start", UIControlStateNormal);

    std::weak_ptr<UIViewController> weak = sharedController();
    DispatchQueue::main().async([weak] {
        auto self = std::static_pointer_cast<NewWelcomeScreenVC>(weak.lock());
        if (!self)
            return;
        self->recolourAnimation(UIColor::rgb255(59, 128, 218));
        self->animView()->play(150, 200);
    });

    isStarted = true;
    continueButton()->setBackgroundColor(lastOf(screenModel.continueButtonColor));
}

void NewWelcomeScreenVC::finish() {
    SettingsManager::setIsFirstOpen(true);
    dismiss(true);
    if (!UIStoryboard::exists("Main", Bundle::main())) {
        Console::print("Unable to find the storyboard Main");
        return;
    }
    auto initial = UIStoryboard::make("Main", &Bundle::main())->instantiateInitialViewController();
    if (!initial)
        return;
    if (auto window = keyWindow()) {
        window->setRootViewController(initial);
        window->makeKeyAndVisible();
    }
}

bool NewWelcomeScreenVC::shouldInteractWithURL(UITextView&, const std::string& url, NSRange,
                                               UITextItemInteraction) {
    if (auto address = URL::fromString(url))
        UIApplication::shared().open(*address);
    return false;
}

} // namespace Bootwell
