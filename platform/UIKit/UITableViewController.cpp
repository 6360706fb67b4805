#include "UIKit/UITableViewController.h"

#include "UIKit/UIScreen.h"

#include "UIKit/UIInterfaceError.h"

std::shared_ptr<UITableView> UITableViewController::tableView() {
    return std::dynamic_pointer_cast<UITableView>(view());
}

void UITableViewController::setTableView(std::shared_ptr<UITableView> tableView) {
    setView(tableView);
    adopt(tableView);
}

void UITableViewController::adopt(const std::shared_ptr<UITableView>& table) {
    if (!table)
        return;
    auto self = std::static_pointer_cast<UITableViewController>(sharedController());
    if (!table->dataSource())
        table->setDataSource(self);
    if (!table->delegate())
        table->setDelegate(self);
}

void UITableViewController::loadView() {
    if (loadsFromInterface()) {
        UIViewController::loadView();
        if (!std::dynamic_pointer_cast<UITableView>(viewIfLoaded()))
            throw UIInterfaceError("the view of " + className() + " must be a UITableView");
    } else {
        setView(UITableView::make(UIScreen::main().bounds(), style_));
    }
    adopt(std::dynamic_pointer_cast<UITableView>(viewIfLoaded()));
}

void UITableViewController::viewWillAppear(bool animated) {
    auto table = tableView();
    if (clearsSelectionOnViewWillAppear && table)
        for (auto& ip : table->indexPathsForSelectedRows())
            table->deselectRow(ip, animated);
}

void UITableViewController::setEditing(bool editing, bool animated) {
    UIViewController::setEditing(editing, animated);
    if (auto table = tableView())
        table->setEditing(editing, animated);
}

int UITableViewController::numberOfSections(UITableView& tableView) {
    return int(tableView.staticSections.size());
}

int UITableViewController::numberOfRowsInSection(UITableView& tableView, int section) {
    if (section < 0 || section >= int(tableView.staticSections.size()))
        return 0;
    return int(tableView.staticSections[section].cells.size());
}

std::shared_ptr<UITableViewCell> UITableViewController::cellForRowAt(UITableView& tableView,
                                                                     const IndexPath& indexPath) {
    if (indexPath.section >= int(tableView.staticSections.size()))
        return nullptr;
    auto& cells = tableView.staticSections[indexPath.section].cells;
    return indexPath.row < int(cells.size()) ? cells[indexPath.row] : nullptr;
}

std::optional<std::string> UITableViewController::titleForHeaderInSection(UITableView& tableView,
                                                                          int section) {
    if (section < 0 || section >= int(tableView.staticSections.size()))
        return std::nullopt;
    return tableView.staticSections[section].header;
}

std::optional<std::string> UITableViewController::titleForFooterInSection(UITableView& tableView,
                                                                          int section) {
    if (section < 0 || section >= int(tableView.staticSections.size()))
        return std::nullopt;
    return tableView.staticSections[section].footer;
}
