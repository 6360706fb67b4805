#pragma once

#include "Foundation/URL.h"
#include "UIKit/UIViewController.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

class UIButton;

using UIActivityItem = std::variant<URL, std::string>;

// The sharing sheet: the things to share and the activities that can be done with them,
// "Save to Downloads", "Open with default app" and "Copy path", and "Cancel". Choosing one
// records it, hands it to the performer (the desktop installs the real work), dismisses the
// sheet and then calls the completion handler. On a pad the sheet is a popover to anchor.
class UIActivityViewController : public UIViewController {
  public:
    using Performer =
        std::function<bool(const std::string& activity, const std::vector<UIActivityItem>& items)>;
    struct Performed {
        std::string activity;
        std::vector<UIActivityItem> items;
    };

    static constexpr const char* saveToDownloads = "Save to Downloads";
    static constexpr const char* openWithDefaultApp = "Open with default app";
    static constexpr const char* copyPath = "Copy path";

    explicit UIActivityViewController(std::vector<UIActivityItem> activityItems,
                                      std::vector<std::string> applicationActivities = {});
    static std::shared_ptr<UIActivityViewController>
    make(std::vector<UIActivityItem> activityItems,
         std::vector<std::string> applicationActivities = {});

    const std::vector<UIActivityItem>& activityItems() const { return items_; }
    // The file URLs among the items.
    std::vector<URL> urls() const;
    std::vector<std::string> excludedActivityTypes;
    // The activities offered, in order, the excluded ones left out.
    std::vector<std::string> activityTitles() const;
    std::function<void(std::optional<std::string> activityType, bool completed)>
        completionWithItemsHandler;

    // What the user chose: the activity's title, or none for "Cancel".
    void choose(const std::optional<std::string>& activity);
    std::shared_ptr<UIButton> buttonFor(const std::string& title) const;

    // Does the activities; by default nothing is done and the answer is true.
    static Performer& performer();
    // Every activity chosen in this process, in order.
    static std::vector<Performed>& performed();

    void loadView() override;

  private:
    std::vector<UIActivityItem> items_;
    std::vector<std::string> applicationActivities_;
    std::vector<std::pair<std::string, std::shared_ptr<UIButton>>> buttons_;
    bool chosen_ = false;
};
