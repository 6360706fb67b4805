#pragma once

#include "AudioToolbox/PcmRenderRequest.h"
#include "Foundation/NSError.h"

#include <cstdint>
#include <optional>

// Interleaved, packed integer PCM as it is stored in an output file: one frame per packet.
struct PcmStreamFormat {
    double sampleRate = 0;
    uint32_t channels = 0;
    uint32_t bitsPerChannel = 0;
    bool isSigned = true;
    bool isBigEndian = false;

    uint32_t bytesPerFrame() const { return channels * bitsPerChannel / 8; }
    uint32_t bytesPerPacket() const { return bytesPerFrame(); }

    // The output format of a render: the request's rate; its channels, else the source's;
    // its depth, capped at the source's when asked, 16 bits when that leaves none, and
    // rounded up to whole bytes (a 20-bit source gives 24); AIFF signed big-endian, 8-bit
    // WAVE unsigned, everything else signed little-endian. Answers nothing, with an error,
    // for a rate, channel count or depth that cannot be written.
    static std::optional<PcmStreamFormat> derive(const PcmRenderRequest& request,
                                                 uint32_t sourceChannels,
                                                 uint32_t sourceBitsPerSample,
                                                 NSError* error = nullptr);

    bool operator==(const PcmStreamFormat& other) const = default;
};
