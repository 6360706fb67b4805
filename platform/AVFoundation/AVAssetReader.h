#pragma once

#include "AVFoundation/AVAsset.h"
#include "AVFoundation/AVAssetReaderTrackOutput.h"
#include "Foundation/NSError.h"

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

enum class AVAssetReaderStatus { unknown, reading, completed, failed, cancelled };

// Reads decoded media out of an asset through the outputs added to it.
class AVAssetReader : public std::enable_shared_from_this<AVAssetReader> {
  public:
    // No reader when the asset cannot be read; `error` says why.
    static std::shared_ptr<AVAssetReader> assetReaderWithAsset(std::shared_ptr<AVAsset> asset,
                                                               NSError* error = nullptr);
    explicit AVAssetReader(std::shared_ptr<AVAsset> asset) : asset_(std::move(asset)) {}

    const std::shared_ptr<AVAsset>& asset() const { return asset_; }
    const std::vector<std::shared_ptr<AVAssetReaderTrackOutput>>& outputs() const {
        return outputs_;
    }

    // Only before reading starts, for an audio track of this asset: the first audio track
    // of its file, with linear-PCM settings or none.
    bool canAddOutput(const std::shared_ptr<AVAssetReaderTrackOutput>& output) const;
    void addOutput(std::shared_ptr<AVAssetReaderTrackOutput> output);

    // Opens the outputs' decoders. False, with the status failed, when one cannot be opened.
    bool startReading();
    void cancelReading();

    AVAssetReaderStatus status() const;
    std::optional<NSError> error() const;

  private:
    friend class AVAssetReaderTrackOutput;
    bool isReading() const;
    // An output's stream has ended, normally or not.
    void outputEnded(bool failed, const std::string& why);

    std::shared_ptr<AVAsset> asset_;
    std::vector<std::shared_ptr<AVAssetReaderTrackOutput>> outputs_;
    mutable std::mutex mutex_;
    AVAssetReaderStatus status_ = AVAssetReaderStatus::unknown;
    std::optional<NSError> error_;
    size_t endedOutputs_ = 0;
};
