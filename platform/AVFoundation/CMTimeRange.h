#pragma once

#include "AVFoundation/CMTime.h"

// A span of media time: a start and a duration.
struct CMTimeRange {
    CMTime start = kCMTimeInvalid;
    CMTime duration = kCMTimeInvalid;

    // Start plus duration.
    CMTime end() const { return CMTimeAdd(start, duration); }
    // Valid when both times are valid and the duration is not negative.
    bool isValid() const;
    bool isEmpty() const;
    // Whether start <= time < end.
    bool containsTime(CMTime time) const;
};

CMTimeRange CMTimeRangeMake(CMTime start, CMTime duration);
CMTimeRange CMTimeRangeFromTimeToTime(CMTime start, CMTime end);
CMTime CMTimeRangeGetEnd(CMTimeRange range);

inline bool operator==(const CMTimeRange& a, const CMTimeRange& b) {
    return a.start == b.start && a.duration == b.duration;
}

extern const CMTimeRange kCMTimeRangeZero;
extern const CMTimeRange kCMTimeRangeInvalid;
