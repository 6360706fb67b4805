#include "AVFoundation/AVAudioSession.h"

AVAudioSession& AVAudioSession::sharedInstance() {
    static AVAudioSession* session = new AVAudioSession();
    return *session;
}

// Under the lock.
bool AVAudioSession::failing(NSError* error) const {
    if (!failure_)
        return false;
    if (error)
        *error = *failure_;
    return true;
}

bool AVAudioSession::setCategory(const std::string& category, const std::string& mode,
                                 NSError* error) {
    std::lock_guard lock(mutex_);
    if (failing(error))
        return false;
    category_ = category;
    mode_ = mode;
    return true;
}

bool AVAudioSession::setActive(bool active, NSError* error) {
    std::lock_guard lock(mutex_);
    if (failing(error))
        return false;
    active_ = active;
    return true;
}

std::string AVAudioSession::category() const {
    std::lock_guard lock(mutex_);
    return category_;
}

std::string AVAudioSession::mode() const {
    std::lock_guard lock(mutex_);
    return mode_;
}

bool AVAudioSession::isActive() const {
    std::lock_guard lock(mutex_);
    return active_;
}

void AVAudioSession::setFailureForTesting(std::optional<NSError> error) {
    std::lock_guard lock(mutex_);
    failure_ = std::move(error);
}
