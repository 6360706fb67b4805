#pragma once

#include "UIKit/UITableView.h"
#include "UIKit/UIViewController.h"

#include <memory>

// A controller whose view is a table, and which is that table's data source and delegate.
// A table laid out with static sections in a storyboard shows those cells as they stand;
// subclasses override the data source methods for dynamic content.
class UITableViewController : public UIViewController,
                              public UITableViewDataSource,
                              public UITableViewDelegate {
  public:
    UITableViewController() = default;
    explicit UITableViewController(UITableViewStyle style) : style_(style) {}

    std::shared_ptr<UITableView> tableView();
    void setTableView(std::shared_ptr<UITableView> tableView);
    bool clearsSelectionOnViewWillAppear = true;

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void setEditing(bool editing, bool animated) override;

    int numberOfSections(UITableView& tableView) override;
    int numberOfRowsInSection(UITableView& tableView, int section) override;
    std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView,
                                                  const IndexPath& indexPath) override;
    std::optional<std::string> titleForHeaderInSection(UITableView& tableView,
                                                       int section) override;
    std::optional<std::string> titleForFooterInSection(UITableView& tableView,
                                                       int section) override;

  private:
    void adopt(const std::shared_ptr<UITableView>& table);

    UITableViewStyle style_ = UITableViewStyle::plain;
};
