#pragma once

#include "Foundation/IndexPath.h"
#include "UIKit/UITableViewCell.h"

#include <memory>
#include <optional>
#include <string>

class UITableView;

// What a table shows: the sections, their rows and the cell for each row.
class UITableViewDataSource {
  public:
    virtual ~UITableViewDataSource() = default;

    virtual int numberOfSections(UITableView& tableView) {
        (void)tableView;
        return 1;
    }
    virtual int numberOfRowsInSection(UITableView& tableView, int section) = 0;
    virtual std::shared_ptr<UITableViewCell> cellForRowAt(UITableView& tableView,
                                                          const IndexPath& indexPath) = 0;
    virtual std::optional<std::string> titleForHeaderInSection(UITableView&, int section) {
        (void)section;
        return std::nullopt;
    }
    virtual std::optional<std::string> titleForFooterInSection(UITableView&, int section) {
        (void)section;
        return std::nullopt;
    }
    virtual bool canEditRowAt(UITableView&, const IndexPath&) { return true; }
    // A row's delete (or insert) was confirmed by the user: update the data, then the table.
    virtual void commitEditingStyle(UITableView&, UITableViewCellEditingStyle, const IndexPath&) {}
};
