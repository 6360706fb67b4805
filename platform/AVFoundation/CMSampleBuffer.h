#pragma once

#include "AVFoundation/CMTime.h"

#include <cstdint>
#include <memory>

struct AVFrame;

// A run of decoded audio samples with its presentation time. It shares the decoder's frame
// (no copy); the sample format and channel layout are the frame's own.
class CMSampleBuffer {
  public:
    // Takes a new reference to `frame`.
    CMSampleBuffer(const AVFrame* frame, CMTime presentationTime);
    ~CMSampleBuffer();
    CMSampleBuffer(const CMSampleBuffer&) = delete;
    CMSampleBuffer& operator=(const CMSampleBuffer&) = delete;

    int64_t numSamples() const;
    double sampleRate() const;
    int channels() const;
    CMTime presentationTimeStamp() const { return presentationTime_; }
    CMTime duration() const;

    const AVFrame* frame() const { return frame_; }

  private:
    AVFrame* frame_;
    CMTime presentationTime_;
};
