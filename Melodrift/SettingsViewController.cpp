#include "Melodrift/SettingsViewController.h"

#include "Bootwell/Bootwell.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UIClassRegistry.h"
#include "UIKit/UITableView.h"

UIKIT_REGISTER_CLASS(SettingsViewController, UITableViewController, d) {
    d.action("back", &SettingsViewController::back);
}

const std::array<std::string, 7>& SettingsViewController::links() {
    static const std::array<std::string, 7> pages{
        "https://velaro.github.io/melodrift/index.html",    // About Melodrift
        "https://velaro.github.io/melodrift/rate.html",     // Rate the app
        "https://velaro.github.io/melodrift/share.html",    // Share the app
        Bootwell::Bootwell::policyLink,                     // Privacy Policy
        Bootwell::Bootwell::termsLink,                      // Terms of Use
        "https://velaro.github.io/melodrift/contact.html",  // Contact us
        "https://velaro.github.io/melodrift/releases.html", // Version history
    };
    return pages;
}

void SettingsViewController::back() {
    dismiss(true);
}

void SettingsViewController::didSelectRowAt(UITableView& tableView, const IndexPath& indexPath) {
    tableView.deselectRow(indexPath, true);
    if (indexPath.section != linksSection || indexPath.row < 0 ||
        indexPath.row >= int(links().size()))
        return;
    if (auto url = URL::fromString(links()[size_t(indexPath.row)]))
        UIApplication::shared().open(*url, {}, nullptr);
}

CGFloat SettingsViewController::heightForRowAt(UITableView&, const IndexPath&) {
    return UITableViewAutomaticDimension;
}

CGFloat SettingsViewController::heightForHeaderInSection(UITableView&, int) {
    return UITableViewAutomaticDimension;
}

CGFloat SettingsViewController::heightForFooterInSection(UITableView& tableView, int section) {
    return UITableViewController::heightForFooterInSection(tableView, section);
}
