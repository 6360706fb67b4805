#pragma once

#include "AudioToolbox/PcmStreamFormat.h"
#include "Foundation/NSError.h"

#include <cstdint>
#include <string>
#include <vector>

struct AVFrame;
struct SwrContext;

// Turns decoded frames of any rate, sample format and channel layout into interleaved
// samples of one output format, in the in-memory form PcmFileWriter takes. Resamples with
// the SoX resampler engine. A mono input given several output channels is copied into each;
// other channel changes use the usual down- and up-mixes. Follows inputs that change their
// rate or layout midway.
class PcmResampler {
  public:
    explicit PcmResampler(const PcmStreamFormat& output);
    ~PcmResampler();

    PcmResampler(const PcmResampler&) = delete;
    PcmResampler& operator=(const PcmResampler&) = delete;

    // Converts one frame; the result is in `samples()` and `frames()` until the next call.
    bool convert(const AVFrame* frame, NSError* error = nullptr);
    // Hands out what the resampler still holds at the end of the input.
    bool flush(NSError* error = nullptr);

    const uint8_t* samples() const { return buffer_.data(); }
    int frames() const { return frames_; }

  private:
    bool configure(const AVFrame* frame, NSError* error);
    bool matches(const AVFrame* frame) const;
    bool run(const uint8_t* const* input, int inputFrames, NSError* error);
    bool drain(NSError* error);
    void release();

    PcmStreamFormat output_;
    SwrContext* swr_ = nullptr;
    int inRate_ = 0;
    int inFormat_ = -1;
    std::string inLayout_;
    int inChannels_ = 0;
    std::vector<uint8_t> buffer_;
    int frames_ = 0;
};
