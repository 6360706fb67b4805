#include "AVFoundation/CMSampleBuffer.h"

extern "C" {
#include <libavutil/frame.h>
}

CMSampleBuffer::CMSampleBuffer(const AVFrame* frame, CMTime presentationTime)
    : frame_(av_frame_clone(frame)), presentationTime_(presentationTime) {}

CMSampleBuffer::~CMSampleBuffer() {
    av_frame_free(&frame_);
}

int64_t CMSampleBuffer::numSamples() const {
    return frame_ ? frame_->nb_samples : 0;
}
double CMSampleBuffer::sampleRate() const {
    return frame_ ? frame_->sample_rate : 0;
}
int CMSampleBuffer::channels() const {
    return frame_ ? frame_->ch_layout.nb_channels : 0;
}

CMTime CMSampleBuffer::duration() const {
    if (!frame_ || frame_->sample_rate <= 0)
        return kCMTimeInvalid;
    return CMTimeMake(frame_->nb_samples, frame_->sample_rate);
}
