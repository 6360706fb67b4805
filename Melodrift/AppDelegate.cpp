#include "Melodrift/AppDelegate.h"

#include "Bootwell/Bootwell.h"
#include "Bootwell/StoreKitHelper.h"
#include "Services/KeyboardAvoidanceManager.h"
#include "UIKit/UIApplication.h"

Bootwell::ScreenModel AppDelegate::welcomeContent() {
    return {
        {"Welcome to Melodrift", "Let's tune your experience"},
        {"Where all your audio files're set to be converted",
         "Convert, trim, and organize your audio effortlessly with our versatile app! Support "
         "for MP3, WAV, FLAC, and more. "},
        {UIColor::rgba(0.4588, 0.5922, 0.9490, 1), UIColor::systemBlue()},
        {UIColor::rgba(0.0824, 0.1804, 0.3608, 1), UIColor::rgba(0.1020, 0.2431, 0.3882, 1)},
    };
}

bool AppDelegate::didFinishLaunchingWithOptions(UIApplication& application,
                                                const std::map<std::string, std::string>&) {
    application.setIdleTimerDisabled(true);
    Bootwell::StoreKitHelper::countLaunch();
    KeyboardAvoidanceManager::shared().setEnabled(true);
    auto content = welcomeContent();
    Bootwell::Bootwell::shared().showWelcomeScreen(content.title, content.description,
                                                   content.continueButtonColor,
                                                   content.gradientColors, window);
    return true;
}

void AppDelegate::willPresentNotification(UNUserNotificationCenter&, const UNNotification&,
                                          std::function<void(uint32_t)> completionHandler) {
    completionHandler(UNNotificationPresentationOptionBanner |
                      UNNotificationPresentationOptionList | UNNotificationPresentationOptionSound |
                      UNNotificationPresentationOptionBadge);
}

void AppDelegate::didReceiveNotificationResponse(UNUserNotificationCenter&,
                                                 const UNNotificationResponse&,
                                                 std::function<void()> completionHandler) {
    completionHandler();
}
