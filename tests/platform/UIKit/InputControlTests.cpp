#include "Foundation/NotificationCenter.h"
#include "Foundation/RunLoop.h"
#include "UIKit/UIActivityIndicatorView.h"
#include "UIKit/UIPageControl.h"
#include "UIKit/UIProgressView.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UISearchBar.h"
#include "UIKit/UISlider.h"
#include "UIKit/UITextField.h"
#include "UIKit/UITextView.h"
#include "UIKit/UITouchDispatcher.h"
#include "UIKit/UIVisualEffectView.h"

#include <gtest/gtest.h>

namespace {

TEST(UISliderTracking, DraggingTheThumbTracksAndSendsValueChanged) {
    auto root = UIView::make({0, 0, 400, 100});
    auto slider = UISlider::make({50, 30, 228, 31}); // 200 points of travel for the thumb
    root->addSubview(slider);
    std::vector<float> values;
    std::vector<bool> tracking;
    slider->addHandler(
        [&](const std::shared_ptr<UIControl>& s, UIEvent*) {
            values.push_back(std::static_pointer_cast<UISlider>(s)->value());
            tracking.push_back(s->isTracking());
        },
        UIControlEventValueChanged);

    UITouchDispatcher touches(root);
    CGPoint thumb{50 + 14, 45};
    touches.touchDown(thumb);
    EXPECT_TRUE(slider->isTracking());
    touches.touchMove({thumb.x + 50, 45});
    touches.touchMove({thumb.x + 100, 45});
    touches.touchMove({thumb.x + 400, 45});
    touches.touchUp({thumb.x + 400, 45});
    EXPECT_FALSE(slider->isTracking());
    EXPECT_EQ(values, (std::vector<float>{0.25f, 0.5f, 1.0f}));
    EXPECT_EQ(tracking, (std::vector<bool>{true, true, true}));

    slider->setValue(7);
    EXPECT_EQ(slider->value(), 1.0f);
    slider->setValue(-1, true);
    EXPECT_EQ(slider->value(), 0.0f);
}

TEST(UIProgressAndSpinner, ClampAndHideWhenStopped) {
    auto progress = UIProgressView::make();
    progress->setProgress(1.5f);
    EXPECT_EQ(progress->progress(), 1.0f);
    progress->setProgress(std::nanf(""));
    EXPECT_EQ(progress->progress(), 0.0f);

    auto spinner = UIActivityIndicatorView::make(UIActivityIndicatorViewStyle::large);
    EXPECT_TRUE(spinner->isHidden());
    spinner->startAnimating();
    EXPECT_TRUE(spinner->isAnimating());
    EXPECT_FALSE(spinner->isHidden());
    EXPECT_NE(spinner->layer()->animation("spin"), nullptr);
    spinner->stopAnimating();
    EXPECT_TRUE(spinner->isHidden());
    EXPECT_EQ(spinner->layer()->animation("spin"), nullptr);
    spinner->setHidesWhenStopped(false);
    EXPECT_FALSE(spinner->isHidden());
}

struct FieldRecorder : UITextFieldDelegate {
    std::vector<std::string> calls;
    bool allowDigits = true;
    void textFieldDidBeginEditing(UITextField&) override { calls.push_back("begin"); }
    void textFieldDidEndEditing(UITextField&) override { calls.push_back("end"); }
    bool textFieldShouldReturn(UITextField&) override {
        calls.push_back("return");
        return true;
    }
    bool shouldChangeCharacters(UITextField&, NSRange, const std::string& s) override {
        return allowDigits || s.find_first_of("0123456789") == std::string::npos;
    }
};

TEST(UITextFieldEditing, TapTypeAndReturn) {
    auto root = UIView::make({0, 0, 300, 300});
    auto field = UITextField::make({10, 10, 200, 34});
    auto other = UITextField::make({10, 60, 200, 34});
    root->addSubview(field);
    root->addSubview(other);
    auto recorder = std::make_shared<FieldRecorder>();
    field->delegate = recorder;
    int changes = 0, notifications = 0;
    field->addHandler([&](const std::shared_ptr<UIControl>&, UIEvent*) { ++changes; },
                      UIControlEventEditingChanged);
    auto observer = std::make_shared<int>();
    NotificationCenter::defaultCenter().addObserver(
        observer, UITextField::textDidChangeNotification,
        [&](const Notification&) { ++notifications; }, field.get());

    field->insertText("ignored"); // not editing yet
    UITouchDispatcher(root).tap({50, 20});
    EXPECT_TRUE(field->isEditing());
    EXPECT_TRUE(field->isFirstResponder());
    field->insertText("Tak");
    field->insertText("é");
    field->deleteBackward();
    field->insertText("e");
    EXPECT_EQ(field->text(), "Take");
    recorder->allowDigits = false;
    field->insertText("1");
    EXPECT_EQ(field->text(), "Take");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(notifications, 4);

    field->pressReturn();
    EXPECT_TRUE(field->isEditing()); // no end-on-exit action: stays
    other->becomeFirstResponder();
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(recorder->calls, (std::vector<std::string>{"begin", "return", "end"}));

    field->setText("set in code");
    EXPECT_EQ(changes, 4);
    root->endEditing(true);
    EXPECT_FALSE(other->isEditing());
}

struct SearchRecorder : UISearchBarDelegate {
    std::vector<std::string> texts;
    void textDidChange(UISearchBar&, const std::string& text) override { texts.push_back(text); }
};

TEST(UISearchBarTyping, EachTypedChangeReachesTheDelegate) {
    auto bar = UISearchBar::make({0, 0, 320, 56});
    auto recorder = std::make_shared<SearchRecorder>();
    bar->delegate = recorder;
    ASSERT_TRUE(bar->becomeFirstResponder());
    auto field = std::dynamic_pointer_cast<UIKeyInput>(UIResponder::currentFirstResponder());
    ASSERT_TRUE(field);
    field->insertText("so");
    field->insertText("n");
    field->deleteBackward();
    bar->setText("quiet");
    EXPECT_EQ(recorder->texts, (std::vector<std::string>{"so", "son", "so"}));
    EXPECT_EQ(bar->text(), "quiet");
}

struct LinkRecorder : UITextViewDelegate {
    std::vector<std::string> urls;
    bool shouldInteractWithURL(UITextView&, const std::string& url, NSRange,
                               UITextItemInteraction) override {
        urls.push_back(url);
        return false;
    }
};

TEST(UITextViewLinks, TappedLinksAreOfferedToTheDelegate) {
    auto root = UIView::make({0, 0, 390, 200});
    auto view = UITextView::make({0, 0, 390, 100});
    view->isEditable = false;
    view->isScrollEnabled = false;
    root->addSubview(view);
    NSAttributedString text("By continuing, you accept our Terms of Use and Policy.");
    NSTextAttributes terms, policy;
    terms.link = "https://example.com/terms";
    policy.link = "https://example.com/policy";
    text.addAttributes(terms, text.range("Terms of Use"));
    text.addAttributes(policy, text.range("Policy"));
    view->setAttributedText(text);
    auto recorder = std::make_shared<LinkRecorder>();
    view->delegate = recorder;
    std::vector<std::string> opened;
    UITextView::linkOpener() = [&](const std::string& url) { opened.push_back(url); };

    EXPECT_TRUE(view->tapLink("Policy"));
    EXPECT_FALSE(view->tapLink("continuing"));
    // A touch on the first character of "Terms".
    size_t at = text.range("Terms").location;
    CGFloat x =
        NSAttributedString(text.string().substr(0, at)).boundingSize(0, 1, view->font).width + 1;
    UITouchDispatcher(root).tap({x, view->textContainerInset.top + 2});
    EXPECT_EQ(recorder->urls, (std::vector<std::string>{"https://example.com/policy",
                                                        "https://example.com/terms"}));
    EXPECT_TRUE(opened.empty()); // the delegate kept the view from opening them

    view->delegate.reset();
    view->tapLink("Policy");
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.com/policy"});
    UITextView::linkOpener() = nullptr;
}

struct ScrollRecorder : UIScrollViewDelegate {
    std::vector<CGFloat> offsets;
    int endedDecelerating = 0, endedAnimation = 0;
    void scrollViewDidScroll(UIScrollView& s) override { offsets.push_back(s.contentOffset().x); }
    void scrollViewDidEndDecelerating(UIScrollView&) override { ++endedDecelerating; }
    void scrollViewDidEndScrollingAnimation(UIScrollView&) override { ++endedAnimation; }
};

TEST(UIScrollViewPaging, DragSettlesOnTheNearestPageAndAnimatedOffsetsStep) {
    auto root = UIView::make({0, 0, 300, 400});
    auto scroll = UIScrollView::make({0, 0, 300, 400});
    root->addSubview(scroll);
    scroll->setContentSize({900, 400});
    scroll->isPagingEnabled = true;
    auto recorder = std::make_shared<ScrollRecorder>();
    scroll->delegate = recorder;

    UITouchDispatcher(root).drag({250, 200}, {70, 200}, 6);
    EXPECT_EQ(scroll->contentOffset().x, 180);
    RunLoop::main().advance(0.5);
    EXPECT_EQ(scroll->contentOffset().x, 300);
    EXPECT_EQ(recorder->endedDecelerating, 1);

    recorder->offsets.clear();
    scroll->setContentOffset({600, 0}, true);
    EXPECT_EQ(scroll->contentOffset().x, 300);
    RunLoop::main().advance(0.5);
    EXPECT_EQ(scroll->contentOffset().x, 600);
    EXPECT_GT(recorder->offsets.size(), 3u);
    EXPECT_TRUE(std::is_sorted(recorder->offsets.begin(), recorder->offsets.end()));
    EXPECT_EQ(recorder->endedAnimation, 1);

    // Dragging past the end is held at the last page.
    UITouchDispatcher(root).drag({250, 200}, {10, 200});
    RunLoop::main().advance(0.5);
    EXPECT_EQ(scroll->contentOffset().x, 600);
}

TEST(UIPageControlPages, ClampsAndStepsTowardsTheTap) {
    auto root = UIView::make({0, 0, 300, 100});
    auto pages = UIPageControl::make();
    pages->setFrame({0, 0, 300, 50});
    root->addSubview(pages);
    pages->setNumberOfPages(3);
    pages->setCurrentPage(5);
    EXPECT_EQ(pages->currentPage(), 2);
    int changed = 0;
    pages->addHandler([&](const std::shared_ptr<UIControl>&, UIEvent*) { ++changed; },
                      UIControlEventValueChanged);
    UITouchDispatcher(root).tap({20, 25});
    EXPECT_EQ(pages->currentPage(), 1);
    EXPECT_EQ(changed, 1);
}

TEST(UIVisualEffectViewContent, ContentFillsTheView) {
    auto blur = UIVisualEffectView::make(UIBlurEffect::make(UIBlurEffectStyle::dark));
    blur->setFrame({0, 0, 200, 100});
    EXPECT_EQ(blur->contentView()->frame(), (CGRect{0, 0, 200, 100}));
    auto effect = std::dynamic_pointer_cast<UIBlurEffect>(blur->effect);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->style(), UIBlurEffectStyle::dark);
}

} // namespace
