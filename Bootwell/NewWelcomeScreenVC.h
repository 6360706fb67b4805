#pragma once

#include "Bootwell/ScreenModel.h"
#include "Services/LottieAnimationView.h"
#include "UIKit/UIButton.h"
#include "UIKit/UILabel.h"
#include "UIKit/UITextView.h"
#include "UIKit/UIViewController.h"

#include <memory>

namespace Bootwell {

// The welcome screen: one page in two steps over the "waves" animation. The first tap on the
// button shows step 2; the second stores that the welcome has been seen and hands the window
// to the main storyboard's initial screen. Built in code, never from an interface file.
class NewWelcomeScreenVC : public UIViewController, public UITextViewDelegate {
  public:
    explicit NewWelcomeScreenVC(ScreenModel screenModel);
    static std::shared_ptr<NewWelcomeScreenVC> make(ScreenModel screenModel);
    // Interface files cannot make this screen: stops the process.
    [[noreturn]] static std::shared_ptr<NewWelcomeScreenVC> fromCoder();

    bool isStarted = false;
    const ScreenModel screenModel;

    // The parts, made on first use.
    std::shared_ptr<LottieAnimationView> animView();
    std::shared_ptr<UILabel> titleLabel();
    std::shared_ptr<UILabel> descLabel();
    std::shared_ptr<UIButton> continueButton();
    std::shared_ptr<UITextView> policyTextView();

    void viewDidLoad() override;
    void continueButtonTapped();

    // Tapped links open in the browser; the text view does nothing itself.
    bool shouldInteractWithURL(UITextView& textView, const std::string& url, NSRange range,
                               UITextItemInteraction interaction) override;

    static constexpr const char* consentText =
        "By continuing, you accept our Terms of Use and Policy.";

  private:
    void recolourAnimation(const UIColor& color);
    void addConstraints();
    void addBackground();
    void fadeIn();
    void showSecondStep();
    void finish();

    std::shared_ptr<LottieAnimationView> animView_;
    std::shared_ptr<UILabel> titleLabel_;
    std::shared_ptr<UILabel> descLabel_;
    std::shared_ptr<UIButton> continueButton_;
    std::shared_ptr<UITextView> policyTextView_;
};

} // namespace Bootwell
