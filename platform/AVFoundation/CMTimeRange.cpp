#include "AVFoundation/CMTimeRange.h"

const CMTimeRange kCMTimeRangeZero{kCMTimeZero, kCMTimeZero};
const CMTimeRange kCMTimeRangeInvalid{kCMTimeInvalid, kCMTimeInvalid};

bool CMTimeRange::isValid() const {
    return start.isValid() && duration.isValid() && !duration.isNegativeInfinity() &&
           !(duration.isNumeric() && duration.value < 0);
}

bool CMTimeRange::isEmpty() const {
    return isValid() && duration == kCMTimeZero;
}

bool CMTimeRange::containsTime(CMTime time) const {
    return isValid() && time.isValid() && start <= time && time < end();
}

CMTimeRange CMTimeRangeMake(CMTime start, CMTime duration) {
    CMTimeRange range{start, duration};
    return range.isValid() ? range : kCMTimeRangeInvalid;
}

CMTimeRange CMTimeRangeFromTimeToTime(CMTime start, CMTime end) {
    return CMTimeRangeMake(start, CMTimeSubtract(end, start));
}

CMTime CMTimeRangeGetEnd(CMTimeRange range) {
    return range.end();
}
