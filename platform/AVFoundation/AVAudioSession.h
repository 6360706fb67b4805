#pragma once

#include "Foundation/NSError.h"

#include <mutex>
#include <optional>
#include <string>

inline const std::string AVAudioSessionCategoryAmbient = "AVAudioSessionCategoryAmbient";
inline const std::string AVAudioSessionCategorySoloAmbient = "AVAudioSessionCategorySoloAmbient";
inline const std::string AVAudioSessionCategoryPlayback = "AVAudioSessionCategoryPlayback";
inline const std::string AVAudioSessionModeDefault = "AVAudioSessionModeDefault";

// The process's audio session: its category and whether it is active. On the desktop nothing
// stands in the way, so both always succeed, unless a test asks for a failure.
class AVAudioSession {
  public:
    static AVAudioSession& sharedInstance();

    bool setCategory(const std::string& category,
                     const std::string& mode = AVAudioSessionModeDefault, NSError* error = nullptr);
    bool setActive(bool active, NSError* error = nullptr);

    std::string category() const;
    std::string mode() const;
    bool isActive() const;

    // Tests: makes every later call fail with `error`, or succeed again with none.
    void setFailureForTesting(std::optional<NSError> error);

  private:
    AVAudioSession() = default;
    bool failing(NSError* error) const;

    mutable std::mutex mutex_;
    std::string category_ = AVAudioSessionCategorySoloAmbient;
    std::string mode_ = AVAudioSessionModeDefault;
    bool active_ = false;
    std::optional<NSError> failure_;
};
