#pragma once

#include "AVFoundation/AVAsset.h"
#include "Foundation/URL.h"

#include <mutex>
#include <optional>
#include <set>

// An asset over a media file. Nothing is read until a property is asked for or loaded; the
// file is then opened once, its streams listed and its tags read.
class AVURLAsset : public AVAsset {
  public:
    static std::shared_ptr<AVURLAsset> URLAssetWithURL(const URL& url);
    explicit AVURLAsset(URL url) : url_(std::move(url)) {}

    const URL& url() const { return url_; }

    CMTime duration() const override;
    std::vector<std::shared_ptr<AVAssetTrack>> tracks() const override;
    std::vector<AVMetadataItem> metadata() const override;
    bool isReadable() const override;

    void loadValuesAsynchronously(const std::vector<std::string>& keys,
                                  std::function<void()> completion) override;
    AVKeyValueStatus statusOfValueForKey(const std::string& key,
                                         NSError* error = nullptr) const override;

  private:
    struct Contents {
        bool readable = false;
        NSError error;
        CMTime duration = kCMTimeIndefinite;
        std::vector<std::shared_ptr<AVAssetTrack>> tracks;
        std::vector<AVMetadataItem> metadata;
    };
    const Contents& contents() const;

    URL url_;
    mutable std::mutex mutex_;
    mutable std::optional<Contents> contents_;
    std::set<std::string> requested_;
};
