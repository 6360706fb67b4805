#include "support/UIHarness.h"

#include "Foundation/RunLoop.h"
#include "UIKit/UIActivityViewController.h"
#include "UIKit/UIAlertController.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIButton.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIPresentationController.h"
#include "UIKit/UIStoryboard.h"
#include "UIKit/UITableView.h"
#include "UIKit/UITextField.h"
#include "UIKit/UIWindow.h"
#include "UIKit/UIWindowScene.h"

#include <functional>
#include <stdexcept>

UIHarness::UIHarness() {
    UIApplication::shared().reset();
}

UIHarness::~UIHarness() {
    window_.reset();
    UIApplication::shared().reset();
}

std::shared_ptr<UIWindow> UIHarness::launch(const std::shared_ptr<UIViewController>& root) {
    auto scene = UIWindowScene::make();
    scene->activationState = UISceneActivationState::foregroundActive;
    UIApplication::shared().connectScene(scene);
    window_ = UIWindow::make(scene);
    window_->setRootViewController(root);
    window_->makeKeyAndVisible();
    settle();
    return window_;
}

std::shared_ptr<UIWindow>
UIHarness::launchStoryboard(const std::string& storyboard,
                            const std::optional<std::string>& identifier) {
    auto board = UIStoryboard::make(storyboard);
    auto root = identifier ? board->instantiateViewController(*identifier)
                           : board->instantiateInitialViewController();
    if (!root)
        throw std::runtime_error("the storyboard " + storyboard + " has no initial controller");
    return launch(root);
}

void UIHarness::runUntilIdle() {
    RunLoop::main().runUntilIdle();
    if (window_)
        window_->layoutIfNeeded();
}

void UIHarness::advance(double seconds) {
    RunLoop::main().advance(seconds);
    runUntilIdle();
}

void UIHarness::settle() {
    runUntilIdle();
    for (int i = 0; i < 20 && RunLoop::main().secondsUntilNextDue() >= 0 &&
                    RunLoop::main().secondsUntilNextDue() <= 0.5;
         ++i)
        advance(std::max(RunLoop::main().secondsUntilNextDue(), 0.01));
    runUntilIdle();
}

bool UIHarness::isVisible(const std::shared_ptr<UIView>& view) const {
    if (!view || !window_)
        return false;
    std::shared_ptr<UIView> v = view;
    for (; v; v = v->superview()) {
        if (v->isHidden() && v != window_)
            return false;
        if (v == window_)
            return true;
    }
    return false;
}

CGPoint UIHarness::centerInWindow(const std::shared_ptr<UIView>& view) const {
    if (!isVisible(view))
        throw std::runtime_error("the view " + (view ? view->className() : std::string("(none)")) +
                                 " is not on screen");
    return view->convertPointTo(view->bounds().center(), window_.get());
}

void UIHarness::tapAt(CGPoint point) {
    window_->tap(point);
    settle();
}

void UIHarness::tap(const std::shared_ptr<UIView>& view) {
    tapAt(centerInWindow(view));
}

void UIHarness::drag(const std::shared_ptr<UIView>& view, CGPoint translation, int steps) {
    CGPoint from = centerInWindow(view);
    window_->drag(from, {from.x + translation.x, from.y + translation.y}, steps);
    settle();
}

std::vector<std::shared_ptr<UIView>> UIHarness::allViews() const {
    std::vector<std::shared_ptr<UIView>> out;
    std::function<void(const std::shared_ptr<UIView>&)> walk =
        [&](const std::shared_ptr<UIView>& v) {
            if (v->isHidden())
                return;
            out.push_back(v);
            for (auto& s : v->subviews())
                walk(s);
        };
    if (window_)
        walk(window_);
    return out;
}

void UIHarness::tapButton(const std::string& title) {
    auto buttons = find<UIButton>();
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it)
        if ((*it)->currentTitle() == title) {
            tap(*it);
            return;
        }
    throw std::runtime_error("no button titled \"" + title + "\" is on screen");
}

void UIHarness::type(const std::shared_ptr<UITextField>& field, const std::string& text) {
    if (!field->isFirstResponder())
        tap(field);
    if (!field->isFirstResponder())
        throw std::runtime_error("the text field did not take the keyboard");
    window_->sendText(text);
    settle();
}

std::shared_ptr<UIViewController> UIHarness::topController() const {
    return window_ ? window_->topPresentedController() : nullptr;
}

std::shared_ptr<UIAlertController> UIHarness::presentedAlert() const {
    return std::dynamic_pointer_cast<UIAlertController>(topController());
}

std::shared_ptr<UIActivityViewController> UIHarness::presentedActivitySheet() const {
    return std::dynamic_pointer_cast<UIActivityViewController>(topController());
}

void UIHarness::fillAlertField(size_t index, const std::string& text) {
    auto alert = presentedAlert();
    if (!alert || index >= alert->textFields().size())
        throw std::runtime_error("no presented alert has a text field " + std::to_string(index));
    auto field = alert->textFields()[index];
    if (!field->isFirstResponder())
        tap(field);
    field->replaceAllText(text);
    settle();
}

void UIHarness::tapAlertAction(const std::string& title) {
    auto alert = presentedAlert();
    if (!alert)
        throw std::runtime_error("no alert is presented (looking for \"" + title + "\")");
    auto action = alert->action(title);
    if (!action)
        throw std::runtime_error("the presented alert has no action \"" + title + "\"");
    tap(alert->buttonFor(*action));
}

void UIHarness::tapActivity(const std::string& title) {
    auto sheet = presentedActivitySheet();
    if (!sheet)
        throw std::runtime_error("no sharing sheet is presented");
    auto button = sheet->buttonFor(title);
    if (!button)
        throw std::runtime_error("the sharing sheet has no activity \"" + title + "\"");
    tap(button);
}

void UIHarness::tapRow(const std::shared_ptr<UITableView>& table, const IndexPath& indexPath) {
    table->scrollToRow(indexPath, UITableViewScrollPosition::none, false);
    auto cell = table->cellForRow(indexPath);
    if (!cell)
        throw std::runtime_error("the table has no row " + indexPath.description());
    tap(cell);
}

namespace {
void swipe(UIHarness& h, const std::shared_ptr<UITableView>& table, const IndexPath& ip,
           double share) {
    table->scrollToRow(ip, UITableViewScrollPosition::none, false);
    auto cell = table->cellForRow(ip);
    if (!cell)
        throw std::runtime_error("the table has no row " + ip.description());
    CGRect frame = cell->convertRectTo(cell->bounds(), h.window().get());
    CGPoint from{frame.maxX() - 10, frame.midY()};
    h.window()->drag(from, {from.x - frame.size.width * share, from.y}, 12);
    h.settle();
}
} // namespace

void UIHarness::swipeRow(const std::shared_ptr<UITableView>& table, const IndexPath& indexPath) {
    swipe(*this, table, indexPath, 0.3);
}

void UIHarness::fullSwipeRow(const std::shared_ptr<UITableView>& table,
                             const IndexPath& indexPath) {
    swipe(*this, table, indexPath, 0.9);
}

void UIHarness::tapSwipeAction(const std::shared_ptr<UITableView>& table,
                               const std::string& title) {
    for (auto& button : table->swipeActionButtons())
        if (button->currentTitle() == title) {
            tap(button);
            return;
        }
    throw std::runtime_error("no swipe action \"" + title + "\" is showing");
}

void UIHarness::runSwipeAction(const std::shared_ptr<UITableView>& table,
                               const IndexPath& indexPath, const std::string& title) {
    swipeRow(table, indexPath);
    tapSwipeAction(table, title);
}

std::string UIHarness::text(const std::shared_ptr<UILabel>& label) {
    return label ? label->text() : "";
}

std::vector<std::string> loadEveryScene(const std::string& storyboard) {
    std::vector<std::string> failures;
    std::shared_ptr<UIStoryboard> board;
    try {
        board = UIStoryboard::make(storyboard);
    } catch (const std::exception& e) {
        return {e.what()};
    }
    for (auto& id : board->sceneIDs()) {
        try {
            board->validateScene(id);
        } catch (const std::exception& e) {
            failures.push_back(e.what());
        }
    }
    return failures;
}
