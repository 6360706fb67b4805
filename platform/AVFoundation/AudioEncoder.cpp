#include "AVFoundation/AudioEncoder.h"

#include "AVFoundation/FFmpegSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace {

// Codecs without a fixed frame size (PCM) are fed this many samples at a time.
constexpr int pcmFrameSize = 4096;

bool report(std::string* error, const std::string& why) {
    if (error)
        *error = why;
    return false;
}

bool supportsRate(const AVCodec* codec, int rate, std::string& rates) {
    if (!codec->supported_samplerates)
        return true;
    bool found = false;
    for (const int* r = codec->supported_samplerates; *r; ++r) {
        if (!rates.empty())
            rates += ", ";
        rates += std::to_string(*r);
        found = found || *r == rate;
    }
    return found;
}

bool supportsFormat(const AVCodec* codec, AVSampleFormat format) {
    if (!codec->sample_fmts)
        return true;
    for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f) {
        if (*f == format)
            return true;
    }
    return false;
}

} // namespace

struct AudioEncoder::Context {
    AVCodecContext* codec = nullptr;
    SwrContext* swr = nullptr;
    AVAudioFifo* fifo = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    int frameSize = pcmFrameSize;
    bool shortLastFrame = true;
    int64_t pts = 0;
    // What the resampler was set up for.
    int inputRate = 0;
    int inputFormat = -1;
    AVChannelLayout inputLayout{};
    // Converted samples on their way into the FIFO.
    uint8_t** converted = nullptr;
    int convertedCapacity = 0;

    ~Context() {
        if (converted)
            av_freep(&converted[0]);
        av_freep(&converted);
        av_channel_layout_uninit(&inputLayout);
        av_packet_free(&packet);
        av_frame_free(&frame);
        av_audio_fifo_free(fifo);
        swr_free(&swr);
        avcodec_free_context(&codec);
    }
};

AudioEncoder::AudioEncoder() : context_(std::make_unique<Context>()) {}
AudioEncoder::~AudioEncoder() = default;

const AVCodecContext* AudioEncoder::codecContext() const {
    return context_->codec;
}

std::unique_ptr<AudioEncoder> AudioEncoder::open(const AudioEncoderSettings& settings,
                                                 std::string* error) {
    auto fail = [&](const std::string& why) -> std::unique_ptr<AudioEncoder> {
        report(error, why);
        return nullptr;
    };
    const std::string& name = settings.encoderName;
    av_log_set_level(AV_LOG_ERROR); // FFmpeg's notes and warnings are not ours to print
    const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec)
        return fail("no " + name + " encoder is available");
    if (settings.sampleRate <= 0 || settings.channels < 1 || settings.channels > 8) {
        return fail("the " + name + " encoder cannot take " + std::to_string(settings.sampleRate) +
                    " Hz with " + std::to_string(settings.channels) + " channels");
    }
    std::string rates;
    if (!supportsRate(codec, settings.sampleRate, rates)) {
        return fail("the " + name + " encoder does not take " +
                    std::to_string(settings.sampleRate) + " Hz (only " + rates + " Hz)");
    }
    AVSampleFormat format = settings.sampleFormat >= 0
                                ? static_cast<AVSampleFormat>(settings.sampleFormat)
                                : (codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_S16);
    if (!supportsFormat(codec, format)) {
        return fail("the " + name + " encoder does not take " +
                    std::string(av_get_sample_fmt_name(format)) + " samples");
    }

    std::unique_ptr<AudioEncoder> encoder(new AudioEncoder());
    Context& c = *encoder->context_;
    c.codec = avcodec_alloc_context3(codec);
    c.frame = av_frame_alloc();
    c.packet = av_packet_alloc();
    if (!c.codec || !c.frame || !c.packet)
        return fail("out of memory");
    c.codec->sample_rate = settings.sampleRate;
    av_channel_layout_default(&c.codec->ch_layout, settings.channels);
    c.codec->sample_fmt = format;
    c.codec->time_base = AVRational{1, settings.sampleRate};
    if (settings.bitRate > 0)
        c.codec->bit_rate = settings.bitRate;
    if (settings.bitsPerRawSample > 0)
        c.codec->bits_per_raw_sample = settings.bitsPerRawSample;
    if (settings.globalHeader)
        c.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int status = avcodec_open2(c.codec, codec, nullptr);
    if (status < 0) {
        return fail("the " + name + " encoder refuses " + std::to_string(settings.sampleRate) +
                    " Hz with " + std::to_string(settings.channels) + " channels (" +
                    ffmpegErrorText(status) + ")");
    }
    bool variable = codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    c.frameSize = variable || c.codec->frame_size <= 0 ? pcmFrameSize : c.codec->frame_size;
    c.shortLastFrame = variable || (codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME);
    c.fifo = av_audio_fifo_alloc(format, settings.channels, 2 * c.frameSize);
    if (!c.fifo)
        return fail("out of memory");
    return encoder;
}

bool AudioEncoder::configureResampler(const AVFrame* frame, const PacketSink& sink,
                                      std::string* error) {
    Context& c = *context_;
    if (c.swr && frame->sample_rate == c.inputRate && frame->format == c.inputFormat &&
        av_channel_layout_compare(&frame->ch_layout, &c.inputLayout) == 0) {
        return true;
    }
    if (c.swr) {
        // The stream changed its form: let the old resampler give out what it holds first.
        if (!convert(nullptr, error) || !encodeBuffered(false, sink, error))
            return false;
        swr_free(&c.swr);
    }
    int status = swr_alloc_set_opts2(
        &c.swr, &c.codec->ch_layout, c.codec->sample_fmt, c.codec->sample_rate,
        const_cast<AVChannelLayout*>(&frame->ch_layout), static_cast<AVSampleFormat>(frame->format),
        frame->sample_rate, 0, nullptr);
    if (status >= 0)
        status = swr_init(c.swr);
    if (status < 0)
        return report(error, "cannot convert the audio (" + ffmpegErrorText(status) + ")");
    c.inputRate = frame->sample_rate;
    c.inputFormat = frame->format;
    av_channel_layout_uninit(&c.inputLayout);
    av_channel_layout_copy(&c.inputLayout, &frame->ch_layout);
    return true;
}

// Resamples one frame (or, given none, what the resampler still holds) into the FIFO.
bool AudioEncoder::convert(const AVFrame* frame, std::string* error) {
    Context& c = *context_;
    int input = frame ? frame->nb_samples : 0;
    int capacity = swr_get_out_samples(c.swr, input);
    if (capacity < 0)
        return report(error, "cannot convert the audio");
    if (capacity == 0)
        return true;
    if (capacity > c.convertedCapacity) {
        if (c.converted)
            av_freep(&c.converted[0]);
        av_freep(&c.converted);
        int status = av_samples_alloc_array_and_samples(&c.converted, nullptr,
                                                        c.codec->ch_layout.nb_channels, capacity,
                                                        c.codec->sample_fmt, 0);
        if (status < 0)
            return report(error, "out of memory");
        c.convertedCapacity = capacity;
    }
    const uint8_t** in = frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr;
    int got = swr_convert(c.swr, c.converted, capacity, in, input);
    if (got < 0)
        return report(error, "cannot convert the audio (" + ffmpegErrorText(got) + ")");
    if (got > 0 && av_audio_fifo_write(c.fifo, reinterpret_cast<void**>(c.converted), got) < got) {
        return report(error, "out of memory");
    }
    return true;
}

bool AudioEncoder::encodeBuffered(bool final, const PacketSink& sink, std::string* error) {
    Context& c = *context_;
    for (;;) {
        int available = av_audio_fifo_size(c.fifo);
        if (available == 0 || (available < c.frameSize && !final))
            return true;
        int count = std::min(available, c.frameSize);
        int length = c.shortLastFrame ? count : c.frameSize;
        av_frame_unref(c.frame);
        c.frame->nb_samples = length;
        c.frame->format = c.codec->sample_fmt;
        c.frame->sample_rate = c.codec->sample_rate;
        av_channel_layout_copy(&c.frame->ch_layout, &c.codec->ch_layout);
        if (av_frame_get_buffer(c.frame, 0) < 0)
            return report(error, "out of memory");
        av_audio_fifo_read(c.fifo, reinterpret_cast<void**>(c.frame->extended_data), count);
        if (count < length) {
            av_samples_set_silence(c.frame->extended_data, count, length - count,
                                   c.codec->ch_layout.nb_channels, c.codec->sample_fmt);
        }
        c.frame->pts = c.pts;
        c.pts += length;
        if (!send(c.frame, sink, error))
            return false;
    }
}

bool AudioEncoder::send(const AVFrame* frame, const PacketSink& sink, std::string* error) {
    Context& c = *context_;
    int status = avcodec_send_frame(c.codec, frame);
    if (status < 0 && status != AVERROR_EOF) {
        return report(error, "the encoder failed (" + ffmpegErrorText(status) + ")");
    }
    for (;;) {
        status = avcodec_receive_packet(c.codec, c.packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF)
            return true;
        if (status < 0)
            return report(error, "the encoder failed (" + ffmpegErrorText(status) + ")");
        bool written = sink(c.packet);
        av_packet_unref(c.packet);
        if (!written)
            return report(error, "the packet could not be written");
    }
}

bool AudioEncoder::encode(const AVFrame* frame, const PacketSink& sink, std::string* error) {
    if (!frame || frame->nb_samples <= 0)
        return true;
    return configureResampler(frame, sink, error) && convert(frame, error) &&
           encodeBuffered(false, sink, error);
}

bool AudioEncoder::finish(const PacketSink& sink, std::string* error) {
    if (context_->swr && !convert(nullptr, error))
        return false;
    return encodeBuffered(true, sink, error) && send(nullptr, sink, error);
}
