#pragma once

#include <cstdint>
#include <optional>

// The file types a PCM render writes; the values are the containers' four-character codes.
enum class PcmContainer : uint32_t {
    WAVE = 0x57415645, // 'WAVE'
    AIFF = 0x41494646, // 'AIFF'
    CAF = 0x63616666,  // 'caff'
};

// What a PCM render is asked to write.
struct PcmRenderRequest {
    PcmContainer container = PcmContainer::WAVE;
    // Output sample rate in Hz; a whole number.
    double sampleRate = 44100;
    // Requested bits per sample: 8, 16 or 24.
    uint32_t bitDepth = 16;
    // The output depth becomes the smaller of `bitDepth` and the source's depth; a source
    // without a depth of its own (lossy codecs) then gives 16 bits.
    bool capAtSourceDepth = false;
    // Output channel count; the source's when missing. A mono source given more channels is
    // copied into each of them.
    std::optional<uint32_t> channels;
    // An existing output is removed first; without it an existing output makes the render fail.
    bool replaceExisting = false;
    // WAVE only: the sample data begins exactly at this byte of the file, the header being
    // padded with a filler chunk, for readers that skip a fixed header. Never copied as is.
    std::optional<uint32_t> dataOffset;
};
