#include "Melodrift/ConversionFormats.h"

#include <algorithm>

namespace {

const std::array<ConversionFormat, 11> formats = {{
    {0, "aac", formatCode("aac "), ConversionRoute::readerWriter},
    {1, "flac", formatCode("flac"), ConversionRoute::readerWriter},
    {2, "mp3", formatCode(".mp3"), ConversionRoute::mp3},
    {3, "m4a", formatCode("aach"), ConversionRoute::readerWriter},
    {4, "alaw", formatCode("alaw"), ConversionRoute::readerWriter},
    {5, "ulaw", formatCode("ulaw"), ConversionRoute::readerWriter},
    {6, "wav", formatCode("lpcm"), ConversionRoute::readerWriter},
    {7, "ima4", formatCode("ima4"), ConversionRoute::readerWriter},
    {8, "opus", formatCode("opus"), ConversionRoute::readerWriter},
    {9, "aiff", formatCode("AIFF"), ConversionRoute::pcmRender},
    {10, "caf", formatCode("caff"), ConversionRoute::pcmRender},
}};

template <typename Predicate>
const ConversionFormat* find(Predicate predicate) {
    auto it = std::find_if(formats.begin(), formats.end(), predicate);
    return it == formats.end() ? nullptr : &*it;
}

} // namespace

const std::array<ConversionFormat, 11>& conversionFormats() {
    return formats;
}

const ConversionFormat* formatForTag(int tag) {
    return find([tag](const ConversionFormat& f) { return f.tag == tag; });
}

const ConversionFormat* formatNamed(std::string_view name) {
    return find([name](const ConversionFormat& f) { return f.name == name; });
}

const ConversionFormat* formatForCode(FormatCode code) {
    return find([code](const ConversionFormat& f) { return f.code == code; });
}

std::string fileExtension(FormatCode code) {
    switch (code) {
    case formatCode("aac "):
        return "m4a";
    case formatCode("flac"):
        return "flac";
    case formatCode("aach"):
        return "mp4";
    case formatCode("alaw"):
        return "alaw";
    case formatCode("ulaw"):
        return "ulaw";
    case formatCode("lpcm"):
        return "wav";
    case formatCode("ima4"):
        return "ima4";
    case formatCode("opus"):
        return "opus";
    case formatCode("AIFF"):
        return "aiff";
    case formatCode("caff"):
        return "caf";
    default:
        return "mp3";
    }
}

std::optional<int> sampleRateForTag(int tag) {
    if (tag < 0 || tag >= static_cast<int>(sampleRates.size()))
        return std::nullopt;
    return sampleRates[static_cast<size_t>(tag)];
}

int defaultSampleRate(FormatCode code) {
    return code == formatCode("opus") ? 24000 : 44100;
}

bool formatAcceptsRate(FormatCode code, int sampleRate) {
    if (code != formatCode("opus"))
        return true;
    return sampleRate == 48000 || sampleRate == 24000 || sampleRate == 16000 ||
           sampleRate == 12000 || sampleRate == 8000;
}

std::optional<int> channelsForTag(int tag) {
    if (tag == 0)
        return 2;
    if (tag == 1)
        return 1;
    return std::nullopt;
}
