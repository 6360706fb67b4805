#pragma once

#include "AVFoundation/AVMediaType.h"
#include "AVFoundation/CMTimeRange.h"

#include <cstdint>
#include <string>

// One track (stream) of an asset.
class AVAssetTrack {
  public:
    struct Description {
        int32_t trackID = 0;
        std::string mediaType;
        CMTimeRange timeRange = kCMTimeRangeInvalid;
        // Audio tracks: the sample rate (also the natural timescale) and channel count.
        double sampleRate = 0;
        int channels = 0;
        // The file the samples come from, and the stream's index in it.
        std::string sourcePath;
        int streamIndex = -1;
    };

    explicit AVAssetTrack(Description description) : description_(std::move(description)) {}

    int32_t trackID() const { return description_.trackID; }
    const std::string& mediaType() const { return description_.mediaType; }
    CMTimeRange timeRange() const { return description_.timeRange; }
    int32_t naturalTimeScale() const;
    double sampleRate() const { return description_.sampleRate; }
    int channelCount() const { return description_.channels; }

    const std::string& sourcePath() const { return description_.sourcePath; }
    int streamIndex() const { return description_.streamIndex; }

  private:
    Description description_;
};
