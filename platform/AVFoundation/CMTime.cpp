#include "AVFoundation/CMTime.h"

#include <cmath>
#include <limits>
#include <numeric>

namespace {

using Wide = __int128;

constexpr int32_t maxTimescale = std::numeric_limits<int32_t>::max();

// Ranks the kinds of time for comparison: invalid, -inf, numeric, indefinite, +inf.
int rank(CMTime t) {
    if (!t.isValid())
        return 0;
    if (t.isNegativeInfinity())
        return 1;
    if (t.isNumeric())
        return 2;
    if (t.isIndefinite())
        return 3;
    return 4;
}

// value * to / from, rounded half away from zero, clamped to 64 bits.
int64_t rescale(int64_t value, int32_t from, int32_t to) {
    Wide scaled = static_cast<Wide>(value) * to;
    Wide half = from / 2;
    Wide result = scaled >= 0 ? (scaled + half) / from : (scaled - half) / from;
    if (result > std::numeric_limits<int64_t>::max())
        return std::numeric_limits<int64_t>::max();
    if (result < std::numeric_limits<int64_t>::min())
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(result);
}

int32_t commonTimescale(int32_t a, int32_t b) {
    int64_t lcm = std::lcm(static_cast<int64_t>(a), static_cast<int64_t>(b));
    return lcm <= maxTimescale ? static_cast<int32_t>(lcm) : std::max(a, b);
}

constexpr CMTime special(uint32_t flags) {
    return CMTime{0, 0, CMTime::valid | flags, 0};
}

// The non-numeric outcome of a sum, or an invalid time when both are numeric (not special).
bool nonNumericSum(CMTime a, CMTime b, bool subtract, CMTime& result) {
    if (!a.isValid() || !b.isValid()) {
        result = kCMTimeInvalid;
        return true;
    }
    if (a.isNumeric() && b.isNumeric())
        return false;
    if (a.isIndefinite() || b.isIndefinite()) {
        result = kCMTimeIndefinite;
        return true;
    }
    bool bPositive = b.isPositiveInfinity() != subtract;
    if (!a.isNumeric() && !b.isNumeric() && a.isPositiveInfinity() != bPositive) {
        result = kCMTimeInvalid; // infinity minus infinity
    } else if (!a.isNumeric()) {
        result = a;
    } else {
        result = special(bPositive ? CMTime::positiveInfinity : CMTime::negativeInfinity);
    }
    return true;
}

CMTime combine(CMTime a, CMTime b, bool subtract) {
    CMTime result;
    if (nonNumericSum(a, b, subtract, result))
        return result;
    int32_t scale = commonTimescale(a.timescale, b.timescale);
    int64_t av = rescale(a.value, a.timescale, scale);
    int64_t bv = rescale(b.value, b.timescale, scale);
    result = CMTimeMake(subtract ? av - bv : av + bv, scale);
    bool rounded = static_cast<Wide>(av) * a.timescale != static_cast<Wide>(a.value) * scale ||
                   static_cast<Wide>(bv) * b.timescale != static_cast<Wide>(b.value) * scale;
    if (rounded)
        result.flags |= CMTime::hasBeenRounded;
    return result;
}

} // namespace

const CMTime kCMTimeZero{0, 1, CMTime::valid, 0};
const CMTime kCMTimeInvalid{0, 0, 0, 0};
const CMTime kCMTimeIndefinite = special(CMTime::indefinite);
const CMTime kCMTimePositiveInfinity = special(CMTime::positiveInfinity);
const CMTime kCMTimeNegativeInfinity = special(CMTime::negativeInfinity);

double CMTime::seconds() const {
    if (isPositiveInfinity())
        return std::numeric_limits<double>::infinity();
    if (isNegativeInfinity())
        return -std::numeric_limits<double>::infinity();
    if (!isNumeric())
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(value) / timescale;
}

CMTime CMTimeMake(int64_t value, int32_t timescale) {
    if (timescale <= 0)
        return kCMTimeInvalid;
    return CMTime{value, timescale, CMTime::valid, 0};
}

CMTime CMTimeMakeWithSeconds(double seconds, int32_t preferredTimescale) {
    if (std::isnan(seconds) || preferredTimescale <= 0)
        return kCMTimeInvalid;
    if (std::isinf(seconds))
        return seconds > 0 ? kCMTimePositiveInfinity : kCMTimeNegativeInfinity;
    return CMTimeMake(static_cast<int64_t>(std::llround(seconds * preferredTimescale)),
                      preferredTimescale);
}

double CMTimeGetSeconds(CMTime time) {
    return time.seconds();
}

CMTime CMTimeConvertScale(CMTime time, int32_t newTimescale) {
    if (!time.isNumeric())
        return time;
    if (newTimescale <= 0)
        return kCMTimeInvalid;
    CMTime result = CMTimeMake(rescale(time.value, time.timescale, newTimescale), newTimescale);
    if (static_cast<Wide>(result.value) * time.timescale !=
        static_cast<Wide>(time.value) * newTimescale) {
        result.flags |= CMTime::hasBeenRounded;
    }
    return result;
}

CMTime CMTimeAdd(CMTime a, CMTime b) {
    return combine(a, b, false);
}
CMTime CMTimeSubtract(CMTime a, CMTime b) {
    return combine(a, b, true);
}

int32_t CMTimeCompare(CMTime a, CMTime b) {
    int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra != 2)
        return 0;
    Wide left = static_cast<Wide>(a.value) * b.timescale;
    Wide right = static_cast<Wide>(b.value) * a.timescale;
    return left < right ? -1 : left > right ? 1 : 0;
}

CMTime CMTimeMinimum(CMTime a, CMTime b) {
    return CMTimeCompare(b, a) < 0 ? b : a;
}
CMTime CMTimeMaximum(CMTime a, CMTime b) {
    return CMTimeCompare(b, a) > 0 ? b : a;
}
