#include "AVFoundation/AVAssetReader.h"

#include "AVFoundation/AudioDecoder.h"

namespace {

const char* const errorDomain = "AVFoundationErrorDomain";
constexpr int errorUnknown = -11800;
constexpr int errorCannotDecode = -11821;

} // namespace

std::shared_ptr<AVAssetReader> AVAssetReader::assetReaderWithAsset(std::shared_ptr<AVAsset> asset,
                                                                   NSError* error) {
    if (!asset || !asset->isReadable()) {
        if (error) {
            if (!asset || asset->statusOfValueForKey("tracks", error) != AVKeyValueStatus::failed) {
                *error = {errorDomain, errorUnknown, "The asset cannot be read."};
            }
        }
        return nullptr;
    }
    return std::make_shared<AVAssetReader>(std::move(asset));
}

bool AVAssetReader::canAddOutput(const std::shared_ptr<AVAssetReaderTrackOutput>& output) const {
    if (!output || status() != AVAssetReaderStatus::unknown)
        return false;
    if (output->mediaType() != AVMediaTypeAudio)
        return false;
    auto audio = asset_->tracksWithMediaType(AVMediaTypeAudio);
    if (audio.empty() || audio.front()->streamIndex() != output->track()->streamIndex() ||
        audio.front()->sourcePath() != output->track()->sourcePath()) {
        return false;
    }
    if (const auto& settings = output->outputSettings()) {
        for (const auto& [key, value] : *settings) {
            if (key != AVFormatIDKey)
                return false;
        }
        if (audioSettingNumber(*settings, AVFormatIDKey) != kAudioFormatLinearPCM)
            return false;
    }
    return true;
}

void AVAssetReader::addOutput(std::shared_ptr<AVAssetReaderTrackOutput> output) {
    if (!canAddOutput(output))
        return;
    output->reader_ = weak_from_this();
    outputs_.push_back(std::move(output));
}

bool AVAssetReader::startReading() {
    {
        std::lock_guard lock(mutex_);
        if (status_ != AVAssetReaderStatus::unknown)
            return false;
    }
    for (auto& output : outputs_) {
        std::string why;
        auto decoder = AudioDecoder::open(output->track()->sourcePath(), &why);
        if (!decoder) {
            std::lock_guard lock(mutex_);
            status_ = AVAssetReaderStatus::failed;
            error_ = NSError{errorDomain, errorCannotDecode, "Cannot decode: " + why};
            return false;
        }
        std::lock_guard outputLock(output->mutex_);
        output->decoder_ = std::move(decoder);
    }
    std::lock_guard lock(mutex_);
    if (status_ != AVAssetReaderStatus::unknown)
        return false;
    status_ = AVAssetReaderStatus::reading;
    return true;
}

void AVAssetReader::cancelReading() {
    std::lock_guard lock(mutex_);
    if (status_ == AVAssetReaderStatus::unknown || status_ == AVAssetReaderStatus::reading) {
        status_ = AVAssetReaderStatus::cancelled;
    }
}

AVAssetReaderStatus AVAssetReader::status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

std::optional<NSError> AVAssetReader::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

bool AVAssetReader::isReading() const {
    return status() == AVAssetReaderStatus::reading;
}

void AVAssetReader::outputEnded(bool failed, const std::string& why) {
    std::lock_guard lock(mutex_);
    if (status_ != AVAssetReaderStatus::reading)
        return;
    if (failed) {
        status_ = AVAssetReaderStatus::failed;
        error_ = NSError{errorDomain, errorCannotDecode, why};
    } else if (++endedOutputs_ == outputs_.size()) {
        status_ = AVAssetReaderStatus::completed;
    }
}
