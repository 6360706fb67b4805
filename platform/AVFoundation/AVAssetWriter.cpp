#include "AVFoundation/AVAssetWriter.h"

#include "AVFoundation/FFmpegSupport.h"

#include "AVFoundation/AVMediaType.h"
#include "AVFoundation/AudioEncoder.h"
#include "Foundation/DispatchQueue.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdio>
#include <sys/stat.h>

namespace {

const char* const errorDomain = "AVFoundationErrorDomain";
constexpr int errorUnknown = -11800;
constexpr int errorInvalidSettings = -11861;
constexpr int errorFileExists = -11823;
constexpr int errorWriteFailed = -11826;

NSError makeError(int code, const std::string& message) {
    return NSError{errorDomain, code, message};
}

// The muxer that writes a file type, when it is one we know.
const char* muxerFor(const AVFileType& type) {
    if (type == AVFileTypeAppleM4A)
        return "ipod";
    if (type == AVFileTypeMPEG4)
        return "mp4";
    if (type == AVFileTypeCoreAudioFormat)
        return "caf";
    if (type == AVFileTypeWAVE)
        return "wav";
    if (type == AVFileTypeAIFF)
        return "aiff";
    return nullptr;
}

std::string fourCharCode(uint32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((code >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '?';
    }
    return "'" + text + "'";
}

// How one input is encoded and muxed.
struct Plan {
    AudioEncoderSettings encoder;
    const char* muxer = nullptr;
    const char* brand = nullptr;
    bool experimental = false;
};

std::string pcmEncoderName(const AVAudioSettings& settings, const AVFileType& type,
                           std::string& why) {
    int bits = static_cast<int>(audioSettingNumber(settings, AVLinearPCMBitDepthKey).value_or(16));
    bool isFloat = audioSettingFlag(settings, AVLinearPCMIsFloatKey);
    std::string endian = audioSettingFlag(settings, AVLinearPCMIsBigEndianKey) ? "be" : "le";
    if (audioSettingFlag(settings, AVLinearPCMIsNonInterleaved)) {
        why = "non-interleaved PCM cannot be stored in a file";
        return "";
    }
    if (isFloat && (bits == 32 || bits == 64))
        return "pcm_f" + std::to_string(bits) + endian;
    if (!isFloat && bits == 8)
        return type == AVFileTypeWAVE ? "pcm_u8" : "pcm_s8";
    if (!isFloat && (bits == 16 || bits == 24 || bits == 32)) {
        return "pcm_s" + std::to_string(bits) + endian;
    }
    why = std::to_string(bits) + "-bit " + (isFloat ? "floating-point" : "integer") +
          " PCM is not supported";
    return "";
}

std::string encoderName(uint32_t format, const AVAudioSettings& settings, const AVFileType& type,
                        std::string& why) {
    switch (format) {
    case kAudioFormatLinearPCM:
        return pcmEncoderName(settings, type, why);
    case kAudioFormatMPEG4AAC:
        return "aac";
    case kAudioFormatFLAC:
        return "flac";
    case kAudioFormatALaw:
        return "pcm_alaw";
    case kAudioFormatULaw:
        return "pcm_mulaw";
    case kAudioFormatAppleIMA4:
        return "adpcm_ima_qt";
    case kAudioFormatOpus:
        return "libopus";
    default:
        why = "no encoder for the audio format " + fourCharCode(format);
        return "";
    }
}

bool makePlan(const AVFileType& type, const AVAudioSettings& settings, Plan& plan,
              std::string& why) {
    auto format = audioSettingNumber(settings, AVFormatIDKey);
    auto rate = audioSettingNumber(settings, AVSampleRateKey);
    auto channels = audioSettingNumber(settings, AVNumberOfChannelsKey);
    if (!format || !rate || !channels) {
        why = "the settings need a format, a sample rate and a channel count";
        return false;
    }
    AudioEncoderSettings& e = plan.encoder;
    e.encoderName = encoderName(static_cast<uint32_t>(*format), settings, type, why);
    if (e.encoderName.empty())
        return false;
    e.sampleRate = static_cast<int>(*rate);
    e.channels = static_cast<int>(*channels);
    e.bitRate = static_cast<int64_t>(audioSettingNumber(settings, AVEncoderBitRateKey).value_or(0));
    if (*format == kAudioFormatFLAC) {
        bool deep = audioSettingNumber(settings, AVEncoderBitDepthHintKey).value_or(16) > 16;
        e.sampleFormat = deep ? AV_SAMPLE_FMT_S32 : AV_SAMPLE_FMT_S16;
        e.bitsPerRawSample = deep ? 24 : 16;
    }

    const AVCodec* codec = avcodec_find_encoder_by_name(e.encoderName.c_str());
    if (!codec) {
        why = "no " + e.encoderName + " encoder is available";
        return false;
    }
    plan.muxer = muxerFor(type);
    // The iPod muxer holds only Apple's own codecs; others go into an MPEG-4 file that still
    // calls itself M4A. FLAC there is new enough for FFmpeg to call it experimental.
    if (type == AVFileTypeAppleM4A &&
        avformat_query_codec(av_guess_format("ipod", nullptr, nullptr), codec->id,
                             FF_COMPLIANCE_NORMAL) != 1) {
        plan.muxer = "mp4";
        plan.brand = "M4A ";
        plan.experimental = codec->id == AV_CODEC_ID_FLAC;
    }
    const AVOutputFormat* muxer = av_guess_format(plan.muxer, nullptr, nullptr);
    int compliance = plan.experimental ? FF_COMPLIANCE_EXPERIMENTAL : FF_COMPLIANCE_NORMAL;
    if (!muxer || avformat_query_codec(muxer, codec->id, compliance) != 1) {
        why = std::string("the ") + plan.muxer + " container cannot hold " + codec->name + " audio";
        return false;
    }
    e.globalHeader = muxer->flags & AVFMT_GLOBALHEADER;
    return true;
}

bool fileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// Writes an encoder's packets into one stream of the file, keeping the muxer's error text.
AudioEncoder::PacketSink packetSink(AVFormatContext* format, int streamIndex, AVRational codecBase,
                                    std::string& writeError) {
    return [=, &writeError](AVPacket* packet) {
        AVStream* stream = format->streams[streamIndex];
        av_packet_rescale_ts(packet, codecBase, stream->time_base);
        packet->stream_index = streamIndex;
        int status = av_interleaved_write_frame(format, packet);
        if (status < 0)
            writeError = ffmpegErrorText(status);
        return status >= 0;
    };
}

} // namespace

struct AVAssetWriter::Muxer {
    AVFormatContext* format = nullptr;
    bool createdFile = false;
    ~Muxer() {
        if (format && format->pb)
            avio_closep(&format->pb);
        avformat_free_context(format);
    }
};

std::shared_ptr<AVAssetWriter>
AVAssetWriter::assetWriterWithURL(const URL& url, const AVFileType& fileType, NSError* error) {
    if (!url.isFileURL() || url.path().empty()) {
        if (error)
            *error = makeError(errorUnknown, "The output location is not a file.");
        return nullptr;
    }
    if (!muxerFor(fileType)) {
        if (error)
            *error = makeError(errorUnknown, "The file type " + fileType + " is unknown.");
        return nullptr;
    }
    return std::make_shared<AVAssetWriter>(url, fileType);
}

AVAssetWriter::AVAssetWriter(URL url, AVFileType fileType)
    : url_(std::move(url)), fileType_(std::move(fileType)) {}

AVAssetWriter::~AVAssetWriter() = default;

bool AVAssetWriter::canApplyOutputSettings(const std::optional<AVAudioSettings>& settings,
                                           const std::string& mediaType, NSError* why) const {
    std::string reason;
    Plan plan;
    bool ok = false;
    if (mediaType != AVMediaTypeAudio) {
        reason = "only audio can be written";
    } else if (!settings) {
        reason = "passing samples through unencoded is not supported";
    } else if (makePlan(fileType_, *settings, plan, reason)) {
        // The encoder itself has the last word on rate, channels and bit rate.
        ok = AudioEncoder::open(plan.encoder, &reason) != nullptr;
    }
    if (!ok && why)
        *why = makeError(errorInvalidSettings, "Cannot write this audio: " + reason + ".");
    return ok;
}

bool AVAssetWriter::canAddInput(const std::shared_ptr<AVAssetWriterInput>& input,
                                NSError* why) const {
    {
        std::lock_guard lock(mutex_);
        if (!input || status_ != AVAssetWriterStatus::unknown || !inputs_.empty()) {
            if (why)
                *why = makeError(errorUnknown, "The writer takes one input before it starts.");
            return false;
        }
    }
    return canApplyOutputSettings(input->outputSettings(), input->mediaType(), why);
}

void AVAssetWriter::addInput(std::shared_ptr<AVAssetWriterInput> input) {
    if (!canAddInput(input))
        return;
    input->writer_ = weak_from_this();
    inputs_.push_back(std::move(input));
}

bool AVAssetWriter::startWriting() {
    std::lock_guard lock(mutex_);
    if (status_ != AVAssetWriterStatus::unknown)
        return false;
    if (inputs_.empty()) {
        fail("The writer has no input.");
        return false;
    }
    if (!openEncoders() || !openFile())
        return false;
    status_ = AVAssetWriterStatus::writing;
    return true;
}

bool AVAssetWriter::openEncoders() {
    for (auto& input : inputs_) {
        Plan plan;
        std::string why;
        if (!makePlan(fileType_, *input->outputSettings(), plan, why) ||
            !(input->encoder_ = AudioEncoder::open(plan.encoder, &why))) {
            fail("Cannot write this audio: " + why + ".");
            return false;
        }
    }
    return true;
}

bool AVAssetWriter::openFile() {
    Plan plan;
    std::string why;
    makePlan(fileType_, *inputs_.front()->outputSettings(), plan, why);
    const std::string path = url_.path();
    if (fileExists(path)) {
        status_ = AVAssetWriterStatus::failed;
        error_ = makeError(errorFileExists, "A file already exists at " + path + ".");
        return false;
    }
    muxer_ = std::make_unique<Muxer>();
    int status = avformat_alloc_output_context2(&muxer_->format, nullptr, plan.muxer, path.c_str());
    if (status < 0) {
        fail("Cannot set up the " + std::string(plan.muxer) + " container.");
        return false;
    }
    AVFormatContext* format = muxer_->format;
    if (plan.experimental)
        format->strict_std_compliance = FF_COMPLIANCE_EXPERIMENTAL;
    for (auto& input : inputs_) {
        AVStream* stream = avformat_new_stream(format, nullptr);
        const AVCodecContext* codec = input->encoder_->codecContext();
        if (!stream || avcodec_parameters_from_context(stream->codecpar, codec) < 0) {
            fail("Cannot set up the audio track.");
            return false;
        }
        stream->time_base = codec->time_base;
        input->streamIndex_ = stream->index;
    }
    for (const AVMetadataItem& item : metadata) {
        if (item.stringValue)
            av_dict_set(&format->metadata, item.key.c_str(), item.stringValue->c_str(), 0);
    }
    status = avio_open(&format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (status < 0) {
        fail("Cannot create " + path + " (" + ffmpegErrorText(status) + ").");
        return false;
    }
    muxer_->createdFile = true;
    AVDictionary* options = nullptr;
    if (plan.brand)
        av_dict_set(&options, "brand", plan.brand, 0);
    bool mpeg4 = std::string(plan.muxer) == "mp4" || std::string(plan.muxer) == "ipod";
    if (mpeg4 && shouldOptimizeForNetworkUse)
        av_dict_set(&options, "movflags", "+faststart", 0);
    status = avformat_write_header(format, &options);
    av_dict_free(&options);
    if (status < 0) {
        fail("Cannot write the header of " + path + " (" + ffmpegErrorText(status) + ").");
        closeFile(true);
        return false;
    }
    return true;
}

void AVAssetWriter::startSessionAtSourceTime(CMTime time) {
    std::lock_guard lock(mutex_);
    sessionStart_ = time;
}

void AVAssetWriter::endSessionAtSourceTime(CMTime) {}

bool AVAssetWriter::append(AVAssetWriterInput& input, const CMSampleBuffer& buffer) {
    std::lock_guard lock(mutex_);
    if (status_ != AVAssetWriterStatus::writing || !input.encoder_)
        return false;
    std::string writeError;
    auto sink = packetSink(muxer_->format, input.streamIndex_,
                           input.encoder_->codecContext()->time_base, writeError);
    std::string why;
    if (!input.encoder_->encode(buffer.frame(), sink, &why)) {
        fail("Cannot write " + url_.path() + " (" + (writeError.empty() ? why : writeError) + ").");
        return false;
    }
    return true;
}

void AVAssetWriter::finishWritingWithCompletionHandler(std::function<void()> completion) {
    auto self = shared_from_this();
    DispatchQueue::global().async([self, completion = std::move(completion)] {
        self->finish();
        if (completion)
            completion();
    });
}

void AVAssetWriter::finish() {
    std::lock_guard lock(mutex_);
    if (status_ != AVAssetWriterStatus::writing)
        return;
    AVFormatContext* format = muxer_->format;
    std::string writeError;
    for (auto& input : inputs_) {
        auto sink = packetSink(format, input->streamIndex_,
                               input->encoder_->codecContext()->time_base, writeError);
        std::string why;
        if (!input->encoder_->finish(sink, &why)) {
            fail("Cannot write " + url_.path() + " (" + (writeError.empty() ? why : writeError) +
                 ").");
            return;
        }
    }
    int status = av_write_trailer(format);
    if (status >= 0)
        status = avio_closep(&format->pb);
    if (status < 0) {
        fail("Cannot finish " + url_.path() + " (" + ffmpegErrorText(status) + ").");
        return;
    }
    status_ = AVAssetWriterStatus::completed;
    muxer_.reset();
}

void AVAssetWriter::cancelWriting() {
    std::lock_guard lock(mutex_);
    if (status_ == AVAssetWriterStatus::completed)
        return;
    if (status_ != AVAssetWriterStatus::failed)
        status_ = AVAssetWriterStatus::cancelled;
    closeFile(true);
}

// Under the lock.
void AVAssetWriter::fail(const std::string& why) {
    status_ = AVAssetWriterStatus::failed;
    error_ = makeError(errorWriteFailed, why);
    // The file stays as far as it got (until cancelWriting removes it); its handle is let go.
    if (muxer_ && muxer_->format && muxer_->format->pb)
        avio_closep(&muxer_->format->pb);
}

// Under the lock.
void AVAssetWriter::closeFile(bool removeIt) {
    if (!muxer_)
        return;
    bool created = muxer_->createdFile;
    muxer_.reset();
    if (removeIt && created)
        std::remove(url_.path().c_str());
}

AVAssetWriterStatus AVAssetWriter::status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

std::optional<NSError> AVAssetWriter::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}
