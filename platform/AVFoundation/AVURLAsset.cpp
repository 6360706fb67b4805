#include "AVFoundation/AVURLAsset.h"

#include "AVFoundation/FFmpegSupport.h"
#include "Foundation/DispatchQueue.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <limits>
#include <map>

namespace {

const std::set<std::string> knownKeys = {"tracks",         "duration", "metadata",
                                         "commonMetadata", "readable", "playable"};
// Keys whose value is a fact even of an unreadable file.
const std::set<std::string> alwaysLoadableKeys = {"readable", "playable"};

const char* const errorDomain = "AVFoundationErrorDomain";
constexpr int errorUnknownKey = -11800;
constexpr int errorCannotOpen = -11829;

std::string mediaTypeOf(enum AVMediaType type) {
    switch (type) {
    case AVMEDIA_TYPE_AUDIO:
        return AVMediaTypeAudio;
    case AVMEDIA_TYPE_VIDEO:
        return AVMediaTypeVideo;
    case AVMEDIA_TYPE_SUBTITLE:
        return AVMediaTypeSubtitle;
    default:
        return AVMediaTypeMetadata;
    }
}

// A time in a stream's time base, exact when the time base is 1/n.
CMTime streamTime(int64_t value, AVRational base) {
    if (base.num == 1 && base.den > 0)
        return CMTimeMake(value, base.den);
    return CMTimeMakeWithSeconds(static_cast<double>(value) * av_q2d(base), 1000000);
}

CMTime streamDuration(const AVStream* stream, const AVFormatContext* format) {
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        return streamTime(stream->duration, stream->time_base);
    }
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
        return CMTimeMake(format->duration, AV_TIME_BASE);
    }
    return kCMTimeIndefinite;
}

} // namespace

std::shared_ptr<AVURLAsset> AVURLAsset::URLAssetWithURL(const URL& url) {
    return std::make_shared<AVURLAsset>(url);
}

const AVURLAsset::Contents& AVURLAsset::contents() const {
    std::lock_guard lock(mutex_);
    if (contents_)
        return *contents_;
    Contents& c = contents_.emplace();
    av_log_set_level(AV_LOG_ERROR); // FFmpeg's notes and warnings are not ours to print
    const std::string path = url_.path();
    AVFormatContext* format = nullptr;
    int status = url_.isFileURL() ? avformat_open_input(&format, path.c_str(), nullptr, nullptr)
                                  : AVERROR(EINVAL);
    if (status >= 0)
        status = avformat_find_stream_info(format, nullptr);
    if (status < 0) {
        c.error = {errorDomain, errorCannotOpen,
                   "The file “" + url_.lastPathComponent() + "” cannot be opened (" +
                       ffmpegErrorText(status) + ")."};
        avformat_close_input(&format);
        return c;
    }
    c.readable = true;
    std::map<std::string, std::string> tags;
    mergeFFmpegTags(format->metadata, tags);
    bool sawAudio = false;
    CMTime longest = kCMTimeInvalid;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        AVAssetTrack::Description d;
        d.trackID = static_cast<int32_t>(i + 1);
        d.mediaType = mediaTypeOf(stream->codecpar->codec_type);
        CMTime start = stream->start_time != AV_NOPTS_VALUE
                           ? streamTime(stream->start_time, stream->time_base)
                           : kCMTimeZero;
        d.timeRange = CMTimeRangeMake(start, streamDuration(stream, format));
        d.sourcePath = path;
        d.streamIndex = static_cast<int>(i);
        if (d.mediaType == AVMediaTypeAudio) {
            d.sampleRate = stream->codecpar->sample_rate;
            d.channels = stream->codecpar->ch_layout.nb_channels;
            // The first audio stream's tags (Ogg and Opus keep theirs there) count as the
            // asset's own.
            if (!sawAudio)
                mergeFFmpegTags(stream->metadata, tags);
            sawAudio = true;
        }
        if (d.timeRange.duration.isNumeric())
            longest = CMTimeMaximum(longest, d.timeRange.duration);
        c.tracks.push_back(std::make_shared<AVAssetTrack>(std::move(d)));
    }
    if (format->duration != AV_NOPTS_VALUE && format->duration > 0) {
        c.duration = CMTimeMake(format->duration, AV_TIME_BASE);
    } else {
        c.duration = longest.isNumeric() ? longest : kCMTimeIndefinite;
    }
    // An audio file's duration is the length of its first audio stream, exactly.
    auto audio = std::find_if(c.tracks.begin(), c.tracks.end(),
                              [](auto& t) { return t->mediaType() == AVMediaTypeAudio; });
    if (c.tracks.size() == 1 && audio != c.tracks.end() &&
        (*audio)->timeRange().duration.isNumeric()) {
        c.duration = (*audio)->timeRange().duration;
    }
    for (const auto& [key, value] : tags)
        c.metadata.push_back(AVMetadataItem::withKey(key, value));
    avformat_close_input(&format);
    return c;
}

CMTime AVURLAsset::duration() const {
    return contents().duration;
}
std::vector<std::shared_ptr<AVAssetTrack>> AVURLAsset::tracks() const {
    return contents().tracks;
}
std::vector<AVMetadataItem> AVURLAsset::metadata() const {
    return contents().metadata;
}
bool AVURLAsset::isReadable() const {
    return contents().readable;
}

void AVURLAsset::loadValuesAsynchronously(const std::vector<std::string>& keys,
                                          std::function<void()> completion) {
    {
        std::lock_guard lock(mutex_);
        requested_.insert(keys.begin(), keys.end());
    }
    auto self = std::static_pointer_cast<AVURLAsset>(shared_from_this());
    DispatchQueue::global().async([self, completion = std::move(completion)] {
        self->contents();
        if (completion)
            completion();
    });
}

AVKeyValueStatus AVURLAsset::statusOfValueForKey(const std::string& key, NSError* error) const {
    if (!knownKeys.count(key)) {
        if (error)
            *error = {errorDomain, errorUnknownKey, "The key “" + key + "” is unknown."};
        return AVKeyValueStatus::failed;
    }
    std::lock_guard lock(mutex_);
    if (!contents_) {
        return requested_.count(key) ? AVKeyValueStatus::loading : AVKeyValueStatus::unknown;
    }
    if (contents_->readable || alwaysLoadableKeys.count(key))
        return AVKeyValueStatus::loaded;
    if (error)
        *error = contents_->error;
    return AVKeyValueStatus::failed;
}
