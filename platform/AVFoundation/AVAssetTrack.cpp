#include "AVFoundation/AVAssetTrack.h"

int32_t AVAssetTrack::naturalTimeScale() const {
    if (description_.sampleRate > 0)
        return static_cast<int32_t>(description_.sampleRate);
    return description_.timeRange.duration.isNumeric() ? description_.timeRange.duration.timescale
                                                       : 600;
}
