#pragma once

#include "Foundation/IndexPath.h"
#include "UIKit/CGGeometry.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UITableViewCell.h"

#include <memory>
#include <optional>
#include <string>

class UITableView;
class UISwipeActionsConfiguration;

// What a table asks and tells about its rows: heights, selection, editing and swipe actions.
// Every method has a default: heights come from the table, selection is allowed, rows delete.
class UITableViewDelegate : public UIScrollViewDelegate {
  public:
    virtual CGFloat heightForRowAt(UITableView& tableView, const IndexPath& indexPath);
    virtual CGFloat heightForHeaderInSection(UITableView& tableView, int section);
    virtual CGFloat heightForFooterInSection(UITableView& tableView, int section);

    virtual bool shouldHighlightRowAt(UITableView&, const IndexPath&) { return true; }
    // The row to select instead, or none to refuse the selection.
    virtual std::optional<IndexPath> willSelectRowAt(UITableView&, const IndexPath& indexPath) {
        return indexPath;
    }
    virtual void didSelectRowAt(UITableView&, const IndexPath&) {}
    virtual std::optional<IndexPath> willDeselectRowAt(UITableView&, const IndexPath& indexPath) {
        return indexPath;
    }
    virtual void didDeselectRowAt(UITableView&, const IndexPath&) {}
    virtual void willDisplayCell(UITableView&, UITableViewCell&, const IndexPath&) {}

    virtual UITableViewCellEditingStyle editingStyleForRowAt(UITableView&, const IndexPath&) {
        return UITableViewCellEditingStyle::deleteStyle;
    }
    virtual std::string titleForDeleteConfirmationButtonForRowAt(UITableView&, const IndexPath&) {
        return "Delete";
    }
    // None gives the default: a "Delete" action when the row's editing style is delete.
    virtual std::shared_ptr<UISwipeActionsConfiguration>
    trailingSwipeActionsConfigurationForRowAt(UITableView&, const IndexPath&) {
        return nullptr;
    }
    virtual std::shared_ptr<UISwipeActionsConfiguration>
    leadingSwipeActionsConfigurationForRowAt(UITableView&, const IndexPath&) {
        return nullptr;
    }
};
