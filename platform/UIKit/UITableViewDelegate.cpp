#include "UIKit/UITableViewDelegate.h"

#include "UIKit/UITableView.h"

CGFloat UITableViewDelegate::heightForRowAt(UITableView& tableView, const IndexPath&) {
    return tableView.defaultRowHeight();
}

CGFloat UITableViewDelegate::heightForHeaderInSection(UITableView& tableView, int section) {
    return tableView.defaultHeaderHeight(section);
}

CGFloat UITableViewDelegate::heightForFooterInSection(UITableView& tableView, int section) {
    return tableView.defaultFooterHeight(section);
}
