#include "Melodrift/ConversionDispatcher.h"

#include "AudioToolbox/PcmRender.h"
#include "Foundation/Console.h"
#include "Foundation/FileManager.h"
#include "Melodrift/AVAudioFileConverter.h"
#include "Melodrift/ConversionFormats.h"
#include "Melodrift/FileEngine.h"
#include "Melodrift/Mp3Converter.h"

#include <filesystem>

namespace {

bool isSameFile(const URL& a, const URL& b) {
    std::error_code ec;
    return a.path() == b.path() || std::filesystem::equivalent(a.path(), b.path(), ec);
}

// Each MP3 job renders into a file of its own, so a render never replaces a file that an
// earlier encoding still reads. Names are taken on the main thread, where the encodings'
// completions also remove them.
URL freshIntermediateFile() {
    URL first =
        FileManager::defaultManager().temporaryDirectory().appendingPathComponent("out.wav");
    return FileEngine::shared().availableURL(first);
}

void removeExisting(const URL& output) {
    auto& files = FileManager::defaultManager();
    if (files.fileExists(output.path()))
        files.removeItem(output); // a failed removal is left to the converter, which replaces
}

} // namespace

ConversionDispatcher::ConversionDispatcher(ConversionChoice choice, JobEnded jobEnded)
    : choice_(choice), jobEnded_(std::move(jobEnded)) {}

URL ConversionDispatcher::outputURL(const URL& input, FormatCode code) {
    std::string name = input.deletingPathExtension()
                           .appendingPathExtension(fileExtension(code))
                           .lastPathComponent();
    return FileEngine::shared().libraryRootURL().appendingPathComponent(name);
}

URL ConversionDispatcher::destination(const URL& input) const {
    URL output = outputURL(input, choice_.musicType);
    if (isSameFile(input, output))
        return FileEngine::shared().availableURL(output);
    return output;
}

URL ConversionDispatcher::convert(const URL& input) {
    URL output = destination(input);
    const ConversionFormat* format = formatForCode(choice_.musicType);
    switch (format ? format->route : ConversionRoute::mp3) {
    case ConversionRoute::pcmRender:
        removeExisting(output);
        renderToContainer(input, output);
        break;
    case ConversionRoute::mp3:
        removeExisting(output);
        renderAndEncodeMp3(input, output);
        break;
    case ConversionRoute::readerWriter:
        startReaderWriter(input, output);
        break;
    }
    return output;
}

void ConversionDispatcher::notifyWhenDone(const DispatchQueue& queue,
                                          std::function<void()> block) const {
    jobs_.notify(queue, std::move(block));
}

std::function<void(bool)> ConversionDispatcher::jobTracker(const URL& input,
                                                           const URL& output) const {
    jobs_.enter();
    return [jobs = jobs_, jobEnded = jobEnded_, input, output](bool complete) {
        DispatchQueue::main().async([=] {
            if (jobEnded)
                jobEnded(input, output, complete);
            jobs.leave();
        });
    };
}

void ConversionDispatcher::renderToContainer(const URL& input, const URL& output) {
    PcmRenderRequest request;
    request.container =
        choice_.musicType == formatCode("AIFF") ? PcmContainer::AIFF : PcmContainer::CAF;
    request.sampleRate = choice_.sample_rate;
    request.bitDepth = 24;
    request.capAtSourceDepth = true;
    request.replaceExisting = true;
    jobTracker(input, output)(renderPcm(input, output, request));
}

void ConversionDispatcher::renderAndEncodeMp3(const URL& input, const URL& output) {
    auto ended = jobTracker(input, output);
    URL intermediate = freshIntermediateFile();
    if (!renderPcm(input, intermediate, Mp3Converter::intermediateRequest())) {
        // Nothing worth encoding: an encoder fed a broken intermediate writes noise or nothing.
        Console::print("Unable to decode " + input.lastPathComponent() + " for MP3");
        FileManager::defaultManager().removeItem(intermediate);
        ended(false);
        return;
    }
    Mp3Converter::convert(
        intermediate.path(), output.path(),
        [](float fraction) { Console::print("Progress: " + std::to_string(int(fraction * 100))); },
        [intermediate, output, ended](bool complete) {
            FileManager::defaultManager().removeItem(intermediate);
            Console::print(output.path());
            ended(complete);
        });
}

void ConversionDispatcher::startReaderWriter(const URL& input, const URL& output) {
    auto ended = jobTracker(input, output);
    auto start = [choice = choice_, input, output, ended, waiting = waiting_] {
        removeExisting(output);
        auto converter =
            AVAudioFileConverter::make(input, output, choice.sample_rate, choice.channel_Type);
        auto next = [ended, waiting, path = output.path()](bool complete) {
            ended(complete);
            // The job's end reaches the main queue first, then the next job starts there.
            DispatchQueue::main().async([waiting, path] {
                auto& queue = (*waiting)[path];
                queue.pop_front();
                if (queue.empty())
                    waiting->erase(path);
                else
                    queue.front()();
            });
        };
        if (!converter) {
            next(false);
            return;
        }
        converter->onFinish = next;
        converter->convertAudio(choice.musicType);
    };
    auto& queue = (*waiting_)[output.path()];
    queue.push_back(start);
    if (queue.size() == 1)
        start();
}
