#include "AudioToolbox/PcmRender.h"

#include "AVFoundation/AudioDecoder.h"
#include "AudioToolbox/AiffFileWriter.h"
#include "AudioToolbox/CafFileWriter.h"
#include "AudioToolbox/PcmResampler.h"
#include "AudioToolbox/WaveFileWriter.h"
#include "Foundation/FileManager.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>

namespace {

constexpr const char* errorDomain = "PcmRenderErrorDomain";

NSError renderError(const std::string& message) {
    return NSError{errorDomain, 1, message};
}

std::string quotedName(const URL& url) {
    return "“" + url.lastPathComponent() + "”";
}

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::unique_ptr<PcmFileWriter> makeWriter(const PcmRenderRequest& request) {
    switch (request.container) {
    case PcmContainer::AIFF:
        return std::make_unique<AiffFileWriter>();
    case PcmContainer::CAF:
        return std::make_unique<CafFileWriter>();
    case PcmContainer::WAVE:
        break;
    }
    return std::make_unique<WaveFileWriter>(request.dataOffset);
}

const char* extensionFor(PcmContainer container) {
    switch (container) {
    case PcmContainer::AIFF:
        return "aif";
    case PcmContainer::CAF:
        return "caf";
    case PcmContainer::WAVE:
        break;
    }
    return "wav";
}

const char* formatNameFor(PcmContainer container) {
    switch (container) {
    case PcmContainer::AIFF:
        return "aiff";
    case PcmContainer::CAF:
        return "caf";
    case PcmContainer::WAVE:
        break;
    }
    return "wav";
}

// FFmpeg's name of the codec that stores samples the way `format` describes them.
std::string codecNameFor(const PcmStreamFormat& format) {
    std::string name =
        std::string("pcm_") + (format.isSigned ? "s" : "u") + std::to_string(format.bitsPerChannel);
    if (format.bitsPerChannel > 8)
        name += format.isBigEndian ? "be" : "le";
    return name;
}

// The input may be copied when its name says it is in the requested container and it holds
// exactly the samples the render would write: same container, encoding, rate, channels, depth.
bool canCopy(const URL& input, const PcmRenderRequest& request, const AudioStreamInfo& source,
             const PcmStreamFormat& format) {
    return !request.dataOffset &&
           lowercased(input.pathExtension()) == extensionFor(request.container) &&
           source.formatName == formatNameFor(request.container) &&
           source.codecName == codecNameFor(format) && source.sampleRate == format.sampleRate &&
           source.channels == static_cast<int>(format.channels) &&
           source.bitsPerSample == static_cast<int>(format.bitsPerChannel);
}

bool isSameFile(const URL& a, const URL& b) {
    std::error_code ignored;
    return std::filesystem::equivalent(a.path(), b.path(), ignored);
}

std::optional<NSError> clearOutput(const URL& input, const URL& output,
                                   const PcmRenderRequest& request) {
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::symlink_status(output.path(), ignored)))
        return std::nullopt;
    if (isSameFile(input, output))
        return renderError("The file " + quotedName(input) + " cannot be rendered onto itself.");
    if (!request.replaceExisting)
        return renderError("The file " + quotedName(output) + " already exists.");
    FileManager::defaultManager().removeItem(output); // a failure shows when the output is made
    return std::nullopt;
}

std::optional<NSError> decodeInto(AudioDecoder& decoder, PcmResampler& resampler,
                                  PcmFileWriter& writer, const URL& input) {
    NSError error;
    while (const AVFrame* frame = decoder.nextFrame()) {
        if (!resampler.convert(frame, &error))
            return error;
        if (!writer.write(resampler.samples(), resampler.frames(), &error))
            return error;
    }
    if (decoder.failed())
        return renderError("The file " + quotedName(input) + " couldn’t be read to its end.");
    if (!resampler.flush(&error))
        return error;
    if (!writer.write(resampler.samples(), resampler.frames(), &error))
        return error;
    return std::nullopt;
}

std::optional<NSError> render(const URL& input, const URL& output,
                              const PcmRenderRequest& request) {
    if (auto error = clearOutput(input, output, request))
        return error;

    std::string why;
    std::unique_ptr<AudioDecoder> decoder = AudioDecoder::open(input.path(), &why);
    if (!decoder)
        return renderError("The file " + quotedName(input) + " couldn’t be opened: " + why);
    const AudioStreamInfo& source = decoder->info();

    NSError error;
    std::optional<PcmStreamFormat> format =
        PcmStreamFormat::derive(request, static_cast<uint32_t>(source.channels),
                                static_cast<uint32_t>(std::max(source.bitsPerSample, 0)), &error);
    if (!format)
        return error;
    if (request.dataOffset && request.container != PcmContainer::WAVE)
        return renderError("A fixed data offset can only be written in WAVE files.");

    if (canCopy(input, request, source, *format)) {
        decoder.reset();
        if (!FileManager::defaultManager().copyItem(input, output, &error))
            return error;
        return std::nullopt;
    }

    std::unique_ptr<PcmFileWriter> writer = makeWriter(request);
    if (!writer->create(output.path(), *format, &error))
        return error;
    PcmResampler resampler(*format);
    std::optional<NSError> failure = decodeInto(*decoder, resampler, *writer, input);
    if (!writer->close(&error) && !failure)
        failure = error;
    return failure;
}

} // namespace

bool renderPcm(const URL& input, const URL& output, const PcmRenderRequest& request,
               const PcmRenderCompletion& completion) {
    std::optional<NSError> error = render(input, output, request);
    if (completion)
        completion(error ? &*error : nullptr);
    return !error;
}
