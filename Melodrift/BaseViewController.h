#pragma once

#include "Foundation/IndexPath.h"
#include "Foundation/URL.h"
#include "Melodrift/AlertActionDelegate.h"
#include "UIKit/UIViewController.h"

#include <functional>
#include <memory>
#include <string>

// The base of the screens that offer the common file actions: a sheet with Play, Share,
// Delete, Show File Destination and Cancel; opening the full player; a one-button alert.
class BaseViewController : public UIViewController {
  public:
    using UIViewController::UIViewController;

    // The sheet for one library file; `delegate` carries out Delete and is kept by the sheet
    // for as long as it exists.
    virtual void presentFileActions(const URL& url, const IndexPath& indexPath,
                                    std::shared_ptr<AlertActionDelegate> delegate);
    // Presents the full player ("AudioPlayerViewController" in the storyboard Main) on a file.
    virtual void openPlayer(const URL& url);
    // An alert with one "OK" button.
    virtual void showAlert(const std::string& title, const std::string& message,
                           std::function<void()> handler = nullptr);

  protected:
    void shareFile(const URL& url);
    void showFileDestination(const URL& url);
    // On a pad: a popover at the centre of the screen's view, without an arrow.
    void anchorAtCentre(UIViewController& controller);
};
