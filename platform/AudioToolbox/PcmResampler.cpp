#include "AudioToolbox/PcmResampler.h"

#include "AVFoundation/FFmpegSupport.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <cmath>
#include <string>

namespace {

constexpr const char* errorDomain = "PcmRenderErrorDomain";

bool fail(NSError* error, const std::string& message, int status) {
    if (error) {
        *error = NSError{errorDomain, status, message + " (" + ffmpegErrorText(status) + ")"};
    }
    return false;
}

AVSampleFormat sampleFormatFor(uint32_t bits) {
    if (bits == 8)
        return AV_SAMPLE_FMT_U8;
    if (bits == 16)
        return AV_SAMPLE_FMT_S16;
    return AV_SAMPLE_FMT_S32; // 24 bits travel in the upper bits of 32
}

std::string layoutName(const AVChannelLayout& layout) {
    char text[256] = {};
    av_channel_layout_describe(&layout, text, sizeof text);
    return text;
}

} // namespace

PcmResampler::PcmResampler(const PcmStreamFormat& output) : output_(output) {}

PcmResampler::~PcmResampler() {
    release();
}

void PcmResampler::release() {
    swr_free(&swr_);
}

bool PcmResampler::matches(const AVFrame* frame) const {
    return swr_ && frame->sample_rate == inRate_ && frame->format == inFormat_ &&
           frame->ch_layout.nb_channels == inChannels_ && layoutName(frame->ch_layout) == inLayout_;
}

bool PcmResampler::configure(const AVFrame* frame, NSError* error) {
    release();
    int outChannels = static_cast<int>(output_.channels);
    AVChannelLayout inLayout = {};
    AVChannelLayout outLayout = {};
    av_channel_layout_copy(&inLayout, &frame->ch_layout);
    if (frame->ch_layout.nb_channels == outChannels) {
        av_channel_layout_copy(&outLayout, &frame->ch_layout);
    } else {
        av_channel_layout_default(&outLayout, outChannels);
    }
    int status = swr_alloc_set_opts2(&swr_, &outLayout, sampleFormatFor(output_.bitsPerChannel),
                                     static_cast<int>(std::lround(output_.sampleRate)), &inLayout,
                                     static_cast<AVSampleFormat>(frame->format), frame->sample_rate,
                                     0, nullptr);
    av_channel_layout_uninit(&inLayout);
    av_channel_layout_uninit(&outLayout);
    if (status < 0)
        return fail(error, "The audio cannot be converted to the output format.", status);
    av_opt_set_int(swr_, "resampler", SWR_ENGINE_SOXR, 0);
    if (frame->ch_layout.nb_channels == 1 && outChannels > 1) {
        // A mono source is duplicated, not spread at reduced level.
        std::vector<double> matrix(outChannels, 1.0);
        swr_set_matrix(swr_, matrix.data(), 1);
    }
    status = swr_init(swr_);
    if (status < 0)
        return fail(error, "The audio cannot be converted to the output format.", status);
    inRate_ = frame->sample_rate;
    inFormat_ = frame->format;
    inChannels_ = frame->ch_layout.nb_channels;
    inLayout_ = layoutName(frame->ch_layout);
    return true;
}

bool PcmResampler::run(const uint8_t* const* input, int inputFrames, NSError* error) {
    int capacity = swr_get_out_samples(swr_, inputFrames);
    if (capacity < 0)
        return fail(error, "The audio cannot be converted.", capacity);
    size_t bytesPerFrame =
        output_.channels * av_get_bytes_per_sample(sampleFormatFor(output_.bitsPerChannel));
    size_t offset = static_cast<size_t>(frames_) * bytesPerFrame;
    buffer_.resize(offset + static_cast<size_t>(capacity) * bytesPerFrame);
    uint8_t* out = buffer_.data() + offset;
    int converted =
        swr_convert(swr_, &out, capacity, const_cast<const uint8_t**>(input), inputFrames);
    if (converted < 0)
        return fail(error, "The audio cannot be converted.", converted);
    frames_ += converted;
    return true;
}

bool PcmResampler::drain(NSError* error) {
    if (!swr_)
        return true;
    return run(nullptr, 0, error);
}

bool PcmResampler::convert(const AVFrame* frame, NSError* error) {
    frames_ = 0;
    if (!matches(frame)) {
        // What the old settings still hold comes out first.
        if (!drain(error) || !configure(frame, error))
            return false;
    }
    return run(frame->extended_data, frame->nb_samples, error);
}

bool PcmResampler::flush(NSError* error) {
    frames_ = 0;
    return drain(error);
}
