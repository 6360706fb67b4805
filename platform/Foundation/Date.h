#pragma once

#include <compare>

// A moment in time, as seconds since 1970-01-01 00:00:00 UTC.
class Date {
  public:
    Date() : seconds_(now().seconds_) {}
    explicit Date(double secondsSince1970) : seconds_(secondsSince1970) {}

    static Date now();

    double timeIntervalSince1970() const { return seconds_; }
    double timeIntervalSince(const Date& other) const { return seconds_ - other.seconds_; }
    Date addingTimeInterval(double seconds) const { return Date(seconds_ + seconds); }

    auto operator<=>(const Date& other) const = default;

  private:
    double seconds_;
};
