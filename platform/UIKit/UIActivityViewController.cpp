#include "UIKit/UIActivityViewController.h"

#include "UIKit/UIButton.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UILabel.h"
#include "UIKit/UIScreen.h"

#include <algorithm>

namespace {
constexpr CGFloat rowHeight = 50;
}

UIActivityViewController::UIActivityViewController(std::vector<UIActivityItem> activityItems,
                                                   std::vector<std::string> applicationActivities)
    : items_(std::move(activityItems)), applicationActivities_(std::move(applicationActivities)) {
    modalPresentationStyle = UIDevice::current().userInterfaceIdiom() == UIUserInterfaceIdiom::pad
                                 ? UIModalPresentationStyle::popover
                                 : UIModalPresentationStyle::pageSheet;
}

std::shared_ptr<UIActivityViewController>
UIActivityViewController::make(std::vector<UIActivityItem> activityItems,
                               std::vector<std::string> applicationActivities) {
    return std::make_shared<UIActivityViewController>(std::move(activityItems),
                                                      std::move(applicationActivities));
}

UIActivityViewController::Performer& UIActivityViewController::performer() {
    static Performer performer;
    return performer;
}

std::vector<UIActivityViewController::Performed>& UIActivityViewController::performed() {
    static std::vector<Performed> list;
    return list;
}

std::vector<URL> UIActivityViewController::urls() const {
    std::vector<URL> out;
    for (auto& item : items_)
        if (auto* url = std::get_if<URL>(&item))
            out.push_back(*url);
    return out;
}

std::vector<std::string> UIActivityViewController::activityTitles() const {
    std::vector<std::string> titles = applicationActivities_;
    for (const char* t : {saveToDownloads, openWithDefaultApp, copyPath})
        titles.push_back(t);
    std::erase_if(titles, [this](const std::string& t) {
        return std::find(excludedActivityTypes.begin(), excludedActivityTypes.end(), t) !=
               excludedActivityTypes.end();
    });
    return titles;
}

void UIActivityViewController::loadView() {
    auto titles = activityTitles();
    titles.push_back("Cancel");
    CGRect screen = UIScreen::main().bounds();
    preferredContentSize = {320, rowHeight * (titles.size() + 1)};
    auto view = UIView::make(screen);
    view->setBackgroundColor(UIColor::systemGray6());
    auto header = UILabel::make(CGRect{16, 0, screen.size.width - 32, rowHeight});
    auto found = urls();
    header->setText(found.size() == 1 ? found.front().lastPathComponent()
                                      : std::to_string(items_.size()) + " items");
    header->autoresizingMask = UIViewAutoresizingFlexibleWidth;
    view->addSubview(header);
    buttons_.clear();
    std::weak_ptr<UIActivityViewController> weak =
        std::static_pointer_cast<UIActivityViewController>(sharedController());
    CGFloat y = rowHeight;
    for (auto& title : titles) {
        auto button =
            UIButton::make(UIButtonType::system, CGRect{0, y, screen.size.width, rowHeight});
        button->autoresizingMask = UIViewAutoresizingFlexibleWidth;
        button->setTitle(title, UIControlStateNormal);
        bool cancel = title == "Cancel";
        button->addHandler(
            [weak, title, cancel](const std::shared_ptr<UIControl>&, UIEvent*) {
                if (auto self = weak.lock())
                    self->choose(cancel ? std::nullopt : std::optional<std::string>(title));
            },
            UIControlEventTouchUpInside);
        view->addSubview(button);
        buttons_.push_back({title, button});
        y += rowHeight;
    }
    setView(view);
}

std::shared_ptr<UIButton> UIActivityViewController::buttonFor(const std::string& title) const {
    for (auto& [t, button] : buttons_)
        if (t == title)
            return button;
    return nullptr;
}

void UIActivityViewController::choose(const std::optional<std::string>& activity) {
    if (chosen_)
        return;
    chosen_ = true;
    auto keep = sharedController();
    bool completed = false;
    if (activity) {
        performed().push_back({*activity, items_});
        completed = performer() ? performer()(*activity, items_) : true;
    }
    auto handler = completionWithItemsHandler;
    auto done = [handler, activity, completed] {
        if (handler)
            handler(activity, completed);
    };
    if (presentingViewController())
        dismiss(true, done);
    else
        done();
}
