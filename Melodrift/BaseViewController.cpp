#include "Melodrift/BaseViewController.h"

#include "Foundation/Bundle.h"
#include "Melodrift/AudioPlayerViewController.h"
#include "UIKit/UIActivityViewController.h"
#include "UIKit/UIAlertController.h"
#include "UIKit/UIClassRegistry.h"
#include "UIKit/UIDevice.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UIPopoverPresentationController.h"
#include "UIKit/UIStoryboard.h"

UIKIT_REGISTER_CLASS(BaseViewController, UIViewController, d) {
    (void)d;
}

void BaseViewController::presentFileActions(const URL& url, const IndexPath& indexPath,
                                            std::shared_ptr<AlertActionDelegate> delegate) {
    auto sheet = UIAlertController::make(std::string(), url.lastPathComponent(),
                                         UIAlertControllerStyle::actionSheet);
    std::weak_ptr<UIViewController> weak = sharedController();
    auto withSelf = [weak](std::function<void(BaseViewController&)> body) {
        return [weak, body](UIAlertAction&) {
            if (auto self = std::dynamic_pointer_cast<BaseViewController>(weak.lock()))
                body(*self);
        };
    };
    sheet->addAction(UIAlertAction::make("Play", UIAlertActionStyle::defaultStyle,
                                         withSelf([url](auto& self) { self.openPlayer(url); })));
    sheet->addAction(UIAlertAction::make("Share", UIAlertActionStyle::defaultStyle,
                                         withSelf([url](auto& self) { self.shareFile(url); })));
    sheet->addAction(UIAlertAction::make("Delete", UIAlertActionStyle::defaultStyle,
                                         [delegate, indexPath](UIAlertAction&) {
                                             if (delegate)
                                                 delegate->didRequestDelete(indexPath);
                                         }));
    sheet->addAction(
        UIAlertAction::make("Show File Destination", UIAlertActionStyle::defaultStyle,
                            withSelf([url](auto& self) { self.showFileDestination(url); })));
    sheet->addAction(
        UIAlertAction::make("Cancel", UIAlertActionStyle::cancel, withSelf([](auto& self) {
                                if (auto navigation = self.navigationController())
                                    navigation->popToRootViewController(true);
                            })));
    anchorAtCentre(*sheet);
    present(sheet, true);
}

void BaseViewController::anchorAtCentre(UIViewController& controller) {
    if (UIDevice::current().userInterfaceIdiom() != UIUserInterfaceIdiom::pad)
        return;
    controller.modalPresentationStyle = UIModalPresentationStyle::popover;
    if (auto popover = controller.popoverPresentationController()) {
        auto screen = view();
        CGRect bounds = screen->bounds();
        popover->permittedArrowDirections = UIPopoverArrowDirectionNone;
        popover->sourceView = screen;
        popover->sourceRect = CGRect{bounds.midX(), bounds.midY(), 0, 0};
    }
}

void BaseViewController::shareFile(const URL& url) {
    auto share = UIActivityViewController::make({url});
    anchorAtCentre(*share);
    present(share, true);
}

void BaseViewController::showFileDestination(const URL& url) {
    showAlert("File Destination", "Melodrift/" + url.lastPathComponent());
}

void BaseViewController::openPlayer(const URL& url) {
    auto player = std::dynamic_pointer_cast<AudioPlayerViewController>(
        UIStoryboard::make("Main", &Bundle::main())
            ->instantiateViewController("AudioPlayerViewController"));
    if (!player)
        return;
    player->mediaURL = url;
    player->modalPresentationStyle = UIModalPresentationStyle::custom;
    present(player, true);
}

void BaseViewController::showAlert(const std::string& title, const std::string& message,
                                   std::function<void()> handler) {
    auto alert = UIAlertController::make(title, message, UIAlertControllerStyle::alert);
    UIAlertAction::Handler onOK;
    if (handler)
        onOK = [handler](UIAlertAction&) { handler(); };
    alert->addAction(UIAlertAction::make("OK", UIAlertActionStyle::defaultStyle, onOK));
    present(alert, true);
}
