#pragma once

#include "Foundation/URL.h"
#include "Melodrift/BaseViewController.h"

#include <optional>

// The full player. For now a screen that only takes the file it is opened on; playback,
// seeking and the now-playing information come with the player itself.
class AudioPlayerViewController : public BaseViewController {
  public:
    std::optional<URL> mediaURL;
};
