#pragma once

#include "UIKit/UITableViewController.h"

#include <array>
#include <string>

// The settings screen: static rows laid out in the storyboard Main. The links section's rows
// open web pages about the application; nothing is stored.
class SettingsViewController : public UITableViewController {
  public:
    // The section whose rows open links, and the page each of its rows opens, in row order.
    static constexpr int linksSection = 0;
    static const std::array<std::string, 7>& links();

    void viewDidLoad() override {}
    void back();

    void didSelectRowAt(UITableView& tableView, const IndexPath& indexPath) override;
    CGFloat heightForRowAt(UITableView& tableView, const IndexPath& indexPath) override;
    CGFloat heightForHeaderInSection(UITableView& tableView, int section) override;
    CGFloat heightForFooterInSection(UITableView& tableView, int section) override;
};
