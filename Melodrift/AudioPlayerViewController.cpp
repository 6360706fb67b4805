#include "Melodrift/AudioPlayerViewController.h"

#include "UIKit/UIClassRegistry.h"

UIKIT_REGISTER_CLASS(AudioPlayerViewController, BaseViewController, d) {
    (void)d;
}
