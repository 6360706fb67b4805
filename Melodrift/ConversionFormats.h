#pragma once

#include "Melodrift/FormatCode.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Which converter writes a format.
enum class ConversionRoute {
    readerWriter, // AVAudioFileConverter
    mp3,          // an intermediate PCM render, then Mp3Converter
    pcmRender,    // the PCM render straight into the output
};

// One of the conversion screen's eleven format buttons.
struct ConversionFormat {
    int tag;
    std::string_view name; // the button's name, also the command line's --format value
    FormatCode code;
    ConversionRoute route;
};

// The eleven formats in tag order.
const std::array<ConversionFormat, 11>& conversionFormats();
const ConversionFormat* formatForTag(int tag);
const ConversionFormat* formatNamed(std::string_view name);
const ConversionFormat* formatForCode(FormatCode code);

// The output extension of a code; any code not in the format table gives "mp3".
std::string fileExtension(FormatCode code);

// The six sample-rate buttons in tag order (tag 4 is 12000 Hz).
constexpr std::array<int, 6> sampleRates = {44100, 24000, 22050, 16000, 12000, 8000};
std::optional<int> sampleRateForTag(int tag);
// The rate a format starts with: 24000 Hz for Opus, 44100 Hz otherwise.
int defaultSampleRate(FormatCode code);
// Whether the format's encoder accepts the rate (Opus takes only 48, 24, 16, 12 and 8 kHz).
bool formatAcceptsRate(FormatCode code, int sampleRate);

// The channel buttons: tag 0 stereo (2), tag 1 mono (1).
std::optional<int> channelsForTag(int tag);
