#include "AudioToolbox/PcmStreamFormat.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double maxSampleRate = 768000;
constexpr uint32_t maxChannels = 64;

bool fail(NSError* error, const std::string& message) {
    if (error)
        *error = NSError{"PcmRenderErrorDomain", 1, message};
    return false;
}

bool isWritableRate(double rate) {
    return std::isfinite(rate) && rate >= 1 && rate <= maxSampleRate && rate == std::floor(rate);
}

uint32_t outputBits(const PcmRenderRequest& request, uint32_t sourceBits) {
    uint32_t bits = request.bitDepth;
    if (request.capAtSourceDepth)
        bits = std::min(bits, sourceBits);
    if (bits == 0)
        bits = 16;
    return (bits + 7) / 8 * 8;
}

} // namespace

std::optional<PcmStreamFormat> PcmStreamFormat::derive(const PcmRenderRequest& request,
                                                       uint32_t sourceChannels,
                                                       uint32_t sourceBitsPerSample,
                                                       NSError* error) {
    PcmStreamFormat format;
    format.sampleRate = request.sampleRate;
    format.channels = request.channels.value_or(sourceChannels);
    format.bitsPerChannel = outputBits(request, sourceBitsPerSample);
    format.isBigEndian = request.container == PcmContainer::AIFF;
    format.isSigned = !(request.container == PcmContainer::WAVE && format.bitsPerChannel == 8);

    if (!isWritableRate(format.sampleRate)) {
        fail(error,
             "The sample rate " + std::to_string(format.sampleRate) + " Hz cannot be written.");
        return std::nullopt;
    }
    if (format.channels == 0 || format.channels > maxChannels) {
        fail(error, std::to_string(format.channels) + " channels cannot be written.");
        return std::nullopt;
    }
    if (format.bitsPerChannel > 24) {
        fail(error, std::to_string(format.bitsPerChannel) + "-bit samples cannot be written.");
        return std::nullopt;
    }
    return format;
}
