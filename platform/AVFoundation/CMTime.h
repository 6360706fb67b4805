#pragma once

#include <cstdint>

// A media time: a signed 64-bit value over a signed 32-bit timescale (value / timescale
// seconds). Besides numeric times there are the invalid time, the indefinite time (a length
// nobody can tell, such as that of an unreadable file) and the two infinities.
struct CMTime {
    enum Flags : uint32_t {
        valid = 1u << 0,
        hasBeenRounded = 1u << 1,
        positiveInfinity = 1u << 2,
        negativeInfinity = 1u << 3,
        indefinite = 1u << 4,
    };

    int64_t value = 0;
    int32_t timescale = 0;
    uint32_t flags = 0;
    int64_t epoch = 0;

    bool isValid() const { return flags & valid; }
    bool isIndefinite() const { return isValid() && (flags & indefinite); }
    bool isPositiveInfinity() const { return isValid() && (flags & positiveInfinity); }
    bool isNegativeInfinity() const { return isValid() && (flags & negativeInfinity); }
    // A valid time that is neither indefinite nor infinite.
    bool isNumeric() const {
        return isValid() && !(flags & (indefinite | positiveInfinity | negativeInfinity));
    }
    // NaN for invalid and indefinite times, ±infinity for the infinities.
    double seconds() const;
};

CMTime CMTimeMake(int64_t value, int32_t timescale);
// The nearest time at the given timescale.
CMTime CMTimeMakeWithSeconds(double seconds, int32_t preferredTimescale);
double CMTimeGetSeconds(CMTime time);
// The same time at another timescale, rounded half away from zero.
CMTime CMTimeConvertScale(CMTime time, int32_t newTimescale);

// Sums and differences keep the exact common timescale when it fits, else the larger one.
// Indefinite or invalid operands give an indefinite or invalid result.
CMTime CMTimeAdd(CMTime a, CMTime b);
CMTime CMTimeSubtract(CMTime a, CMTime b);
// -1, 0 or 1. Invalid times sort before every other time; indefinite ones after the numeric
// times and before positive infinity.
int32_t CMTimeCompare(CMTime a, CMTime b);
CMTime CMTimeMinimum(CMTime a, CMTime b);
CMTime CMTimeMaximum(CMTime a, CMTime b);

inline bool operator==(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) == 0;
}
inline bool operator<(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) < 0;
}
inline bool operator<=(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) <= 0;
}
inline bool operator>(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) > 0;
}
inline bool operator>=(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) >= 0;
}

extern const CMTime kCMTimeZero;
extern const CMTime kCMTimeInvalid;
extern const CMTime kCMTimeIndefinite;
extern const CMTime kCMTimePositiveInfinity;
extern const CMTime kCMTimeNegativeInfinity;
