#include "AVFoundation/AudioDecoder.h"

#include "AVFoundation/FFmpegSupport.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

namespace {

// A run of damaged packets this long means the file is not worth reading on.
constexpr int maxConsecutiveDecodeErrors = 64;

int storedDepth(const AVCodecParameters* parameters) {
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(parameters->codec_id);
    if (!descriptor || !(descriptor->props & AV_CODEC_PROP_LOSSLESS))
        return 0;
    if (parameters->bits_per_raw_sample > 0)
        return parameters->bits_per_raw_sample;
    int bits = av_get_bits_per_sample(parameters->codec_id);
    if (bits > 0)
        return bits;
    return parameters->bits_per_coded_sample > 0 ? parameters->bits_per_coded_sample : 0;
}

bool storesFloat(AVCodecID codec) {
    switch (codec) {
    case AV_CODEC_ID_PCM_F16LE:
    case AV_CODEC_ID_PCM_F24LE:
    case AV_CODEC_ID_PCM_F32BE:
    case AV_CODEC_ID_PCM_F32LE:
    case AV_CODEC_ID_PCM_F64BE:
    case AV_CODEC_ID_PCM_F64LE:
        return true;
    default:
        return false;
    }
}

double streamDuration(const AVFormatContext* format, const AVStream* stream) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    }
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
        return static_cast<double>(format->duration) / AV_TIME_BASE;
    }
    return -1;
}

} // namespace

struct AudioDecoder::Context {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    int stream = -1;
    int decodeErrors = 0;

    ~Context() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
};

AudioDecoder::AudioDecoder() : context_(std::make_unique<Context>()) {}
AudioDecoder::~AudioDecoder() = default;

std::unique_ptr<AudioDecoder> AudioDecoder::open(const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) -> std::unique_ptr<AudioDecoder> {
        if (error)
            *error = why;
        return nullptr;
    };
    std::unique_ptr<AudioDecoder> decoder(new AudioDecoder());
    av_log_set_level(AV_LOG_ERROR); // FFmpeg's notes and warnings are not ours to print
    Context& c = *decoder->context_;
    int status = avformat_open_input(&c.format, path.c_str(), nullptr, nullptr);
    if (status < 0)
        return fail("cannot open " + path + ": " + ffmpegErrorText(status));
    status = avformat_find_stream_info(c.format, nullptr);
    if (status < 0)
        return fail("cannot read streams of " + path + ": " + ffmpegErrorText(status));

    for (unsigned i = 0; i < c.format->nb_streams; ++i) {
        AVStream* stream = c.format->streams[i];
        if (c.stream < 0 && stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            c.stream = static_cast<int>(i);
        } else {
            stream->discard = AVDISCARD_ALL;
        }
    }
    if (c.stream < 0)
        return fail("no audio stream in " + path);

    AVStream* stream = c.format->streams[c.stream];
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec)
        return fail("no decoder for the audio stream of " + path);
    c.codec = avcodec_alloc_context3(codec);
    c.packet = av_packet_alloc();
    c.frame = av_frame_alloc();
    if (!c.codec || !c.packet || !c.frame)
        return fail("out of memory");
    status = avcodec_parameters_to_context(c.codec, stream->codecpar);
    if (status >= 0) {
        c.codec->pkt_timebase = stream->time_base;
        // Codecs that can decode several frames at once (FLAC, ALAC, WavPack) use every core.
        c.codec->thread_count = 0;
        status = avcodec_open2(c.codec, codec, nullptr);
    }
    if (status < 0)
        return fail("cannot open the decoder for " + path + ": " + ffmpegErrorText(status));
    if (c.codec->sample_rate <= 0 || c.codec->ch_layout.nb_channels <= 0) {
        return fail("the audio stream of " + path + " has no sample rate or channels");
    }

    AudioStreamInfo& info = decoder->info_;
    info.sampleRate = c.codec->sample_rate;
    info.channels = c.codec->ch_layout.nb_channels;
    info.bitsPerSample = storedDepth(stream->codecpar);
    info.isFloat = storesFloat(stream->codecpar->codec_id);
    info.duration = streamDuration(c.format, stream);
    info.codecName = codec->name;
    info.formatName = c.format->iformat->name;
    mergeFFmpegTags(c.format->metadata, info.metadata);
    mergeFFmpegTags(stream->metadata, info.metadata);
    return decoder;
}

const AVFrame* AudioDecoder::nextFrame() {
    while (!finished_) {
        if (receive())
            return context_->frame;
        if (finished_)
            break;
        if (!feed())
            break;
    }
    return nullptr;
}

// Takes the next frame the codec has ready. Answers false when it needs more input (or has
// ended, which sets `finished_`).
bool AudioDecoder::receive() {
    Context& c = *context_;
    int status = avcodec_receive_frame(c.codec, c.frame);
    if (status == 0) {
        c.decodeErrors = 0;
        if (c.frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
            int channels = c.frame->ch_layout.nb_channels;
            av_channel_layout_uninit(&c.frame->ch_layout);
            av_channel_layout_default(&c.frame->ch_layout, channels);
        }
        return true;
    }
    if (status == AVERROR(EAGAIN))
        return false;
    if (status == AVERROR_EOF) {
        finished_ = true;
        return false;
    }
    // A damaged frame: skip it, unless the damage goes on and on.
    if (status == AVERROR_INVALIDDATA && ++c.decodeErrors < maxConsecutiveDecodeErrors) {
        return false;
    }
    failed_ = true;
    finished_ = true;
    return false;
}

// Hands the codec the next packet of the audio stream, or the end of input once the file has
// no more. Answers false when nothing more can be fed.
bool AudioDecoder::feed() {
    Context& c = *context_;
    if (draining_) {
        // The codec was told the input ended, yet asks for more: it has nothing left.
        finished_ = true;
        return false;
    }
    for (;;) {
        int status = av_read_frame(c.format, c.packet);
        if (status < 0) {
            if (status != AVERROR_EOF)
                failed_ = true;
            draining_ = true;
            avcodec_send_packet(c.codec, nullptr);
            return true;
        }
        if (c.packet->stream_index != c.stream) {
            av_packet_unref(c.packet);
            continue;
        }
        status = avcodec_send_packet(c.codec, c.packet);
        av_packet_unref(c.packet);
        if (status >= 0 || status == AVERROR(EAGAIN))
            return true;
        if (status == AVERROR_INVALIDDATA && ++c.decodeErrors < maxConsecutiveDecodeErrors) {
            continue;
        }
        failed_ = true;
        finished_ = true;
        return false;
    }
}
