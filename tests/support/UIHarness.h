#pragma once

#include "Foundation/IndexPath.h"
#include "UIKit/CGGeometry.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class UIAlertController;
class UIActivityViewController;
class UIButton;
class UILabel;
class UIPanGestureRecognizer;
class UITableView;
class UITextField;
class UIView;
class UIViewController;
class UIWindow;

// Drives screens as a user does, through the window: taps and drags go in by window point and
// hit-testing (UIWindow::sendTouch), typing goes to the first responder. Every step lets the
// main queue run until idle and animated transitions finish on the virtual clock; tests read
// what the user would see. One harness per test; it resets the application first.
class UIHarness {
  public:
    UIHarness();
    ~UIHarness();

    // A window showing `root`, key and visible.
    std::shared_ptr<UIWindow> launch(const std::shared_ptr<UIViewController>& root);
    // A window showing a storyboard's initial controller or the scene of an identifier.
    std::shared_ptr<UIWindow>
    launchStoryboard(const std::string& storyboard,
                     const std::optional<std::string>& identifier = std::nullopt);
    const std::shared_ptr<UIWindow>& window() const { return window_; }

    // Time.
    void runUntilIdle();
    // Moves the virtual clock on, running what falls due.
    void advance(double seconds);
    // Runs the queue and lets running transitions end (at most a second of virtual time).
    void settle();

    // Touches.
    void tap(const std::shared_ptr<UIView>& view);
    void tapAt(CGPoint windowPoint);
    // The view must be on screen (in the window, not hidden); throws otherwise.
    CGPoint centerInWindow(const std::shared_ptr<UIView>& view) const;
    // Drags a pan recognizer's view by a translation, through began, changed and ended.
    void drag(const std::shared_ptr<UIView>& view, CGPoint translation, int steps = 10);
    // Taps the button titled `title` anywhere on screen (the topmost one).
    void tapButton(const std::string& title);

    // Typing.
    void type(const std::shared_ptr<UITextField>& field, const std::string& text);

    // What is presented.
    std::shared_ptr<UIViewController> topController() const;
    std::shared_ptr<UIAlertController> presentedAlert() const;
    std::shared_ptr<UIActivityViewController> presentedActivitySheet() const;
    // Types into the presented alert's text field `index` (replacing its text).
    void fillAlertField(size_t index, const std::string& text);
    // Taps the presented alert's action titled `title`; throws when there is none.
    void tapAlertAction(const std::string& title);
    void tapActivity(const std::string& title);

    // Tables.
    void tapRow(const std::shared_ptr<UITableView>& table, const IndexPath& indexPath);
    // A short swipe to the left: the row's trailing actions show.
    void swipeRow(const std::shared_ptr<UITableView>& table, const IndexPath& indexPath);
    // A swipe across most of the row: the first action runs when the configuration allows it.
    void fullSwipeRow(const std::shared_ptr<UITableView>& table, const IndexPath& indexPath);
    // Taps one of the shown swipe actions by title.
    void tapSwipeAction(const std::shared_ptr<UITableView>& table, const std::string& title);
    // Swipes the row and taps the action.
    void runSwipeAction(const std::shared_ptr<UITableView>& table, const IndexPath& indexPath,
                        const std::string& title);

    // Reading.
    static std::string text(const std::shared_ptr<UILabel>& label);
    // Hidden itself or inside a hidden view, or out of the window.
    bool isVisible(const std::shared_ptr<UIView>& view) const;
    // Every view on screen of a class, front-most last.
    template <class T>
    std::vector<std::shared_ptr<T>> find() const;
    std::vector<std::shared_ptr<UIView>> allViews() const;

  private:
    std::shared_ptr<UIWindow> window_;
};

template <class T>
std::vector<std::shared_ptr<T>> UIHarness::find() const {
    std::vector<std::shared_ptr<T>> out;
    for (auto& v : allViews())
        if (auto t = std::dynamic_pointer_cast<T>(v))
            out.push_back(t);
    return out;
}

// Instantiates every scene of a storyboard, loads its view and makes every cell prototype once;
// the messages of the scenes that fail (empty when all load).
std::vector<std::string> loadEveryScene(const std::string& storyboard);
