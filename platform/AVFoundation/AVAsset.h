#pragma once

#include "AVFoundation/AVAssetTrack.h"
#include "AVFoundation/AVMediaType.h"
#include "AVFoundation/AVMetadataItem.h"
#include "AVFoundation/CMTime.h"
#include "Foundation/NSError.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class AVKeyValueStatus { unknown, loading, loaded, failed, cancelled };

// Timed media: tracks, a duration and metadata. Properties can be loaded ahead of use with
// `loadValuesAsynchronously`; reading one that is not loaded yet loads it on the spot.
class AVAsset : public std::enable_shared_from_this<AVAsset> {
  public:
    virtual ~AVAsset() = default;

    // Indefinite when the asset cannot be read.
    virtual CMTime duration() const = 0;
    virtual std::vector<std::shared_ptr<AVAssetTrack>> tracks() const = 0;
    std::vector<std::shared_ptr<AVAssetTrack>> tracksWithMediaType(const std::string& type) const;
    // Every tag of the asset, and the ones with a common key.
    virtual std::vector<AVMetadataItem> metadata() const = 0;
    std::vector<AVMetadataItem> commonMetadata() const;
    // Whether the asset's media can be read (its file opened and its streams found).
    virtual bool isReadable() const = 0;

    // Loads the named properties ("tracks", "duration", "metadata", "commonMetadata",
    // "readable", "playable") and then runs `completion` once, on a platform queue.
    virtual void loadValuesAsynchronously(const std::vector<std::string>& keys,
                                          std::function<void()> completion) = 0;
    // `error` receives the reason of a failed status.
    virtual AVKeyValueStatus statusOfValueForKey(const std::string& key,
                                                 NSError* error = nullptr) const = 0;
};
