#include "Melodrift/ConvertCommand.h"

#include "AVFoundation/AudioDecoder.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "Melodrift/ConversionFormats.h"
#include "Melodrift/FileEngine.h"

#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

std::optional<int> parseRate(const std::string& text) {
    for (int rate : sampleRates) {
        if (text == std::to_string(rate))
            return rate;
    }
    return std::nullopt;
}

} // namespace

std::string ConvertCommand::usage() {
    return "Usage: melodrift convert [--format FORMAT] [--rate RATE] [--mono|--stereo] FILE...\n"
           "\n"
           "Converts each FILE into the Melodrift library (Documents/Out of the app container,\n"
           "$MELODRIFT_HOME or ~/.local/share/Melodrift), named after the file with the\n"
           "format's extension. An output of the same name is replaced; a file is never\n"
           "converted over itself.\n"
           "\n"
           "  --format FORMAT  aac (AAC in .m4a, the default), flac, mp3, m4a (AAC in .mp4),\n"
           "                   alaw, ulaw, wav, ima4, opus, aiff, caf\n"
           "  --rate RATE      44100 (default), 24000 (default for opus), 22050, 16000,\n"
           "                   12000 or 8000 Hz; opus takes 24000 Hz and below, not 22050\n"
           "  --mono, --stereo channels of the output (stereo by default); mp3, aiff and caf\n"
           "                   keep the channels of the input\n"
           "  --help           this text\n"
           "\n"
           "Progress goes to standard error, the path of each finished output to standard\n"
           "output. The exit status is 0 when every file gave a complete output.\n";
}

bool ConvertCommand::parseOption(const std::vector<std::string>& arguments, size_t& i) {
    const std::string& option = arguments[i];
    auto value = [&]() -> std::optional<std::string> {
        if (i + 1 >= arguments.size())
            return std::nullopt;
        return arguments[++i];
    };
    if (option == "--help" || option == "-h") {
        helpAsked_ = true;
    } else if (option == "--mono" || option == "--stereo") {
        choice_.channel_Type = option == "--mono" ? 1 : 2;
    } else if (option == "--format") {
        auto name = value();
        const ConversionFormat* format = name ? formatNamed(*name) : nullptr;
        if (!format) {
            std::fprintf(err_, "melodrift convert: unknown format '%s'\n",
                         name ? name->c_str() : "");
            return false;
        }
        choice_.musicType = format->code;
    } else if (option == "--rate") {
        auto text = value();
        auto rate = text ? parseRate(*text) : std::nullopt;
        if (!rate) {
            std::fprintf(err_, "melodrift convert: unknown rate '%s'\n", text ? text->c_str() : "");
            return false;
        }
        choice_.sample_rate = *rate;
        rateGiven_ = true;
    } else {
        std::fprintf(err_, "melodrift convert: unknown option '%s'\n", option.c_str());
        return false;
    }
    return true;
}

bool ConvertCommand::parse(const std::vector<std::string>& arguments) {
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            if (!parseOption(arguments, i))
                return false;
        } else {
            files_.push_back(argument);
        }
    }
    if (!rateGiven_)
        choice_.sample_rate = defaultSampleRate(choice_.musicType);
    if (files_.empty() && !helpAsked_) {
        std::fprintf(err_, "melodrift convert: no file given\n");
        return false;
    }
    return true;
}

std::string ConvertCommand::refusal(const std::string& path) const {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return "no such file";
    if (std::filesystem::is_directory(path, ec))
        return "is a folder";
    if (::access(path.c_str(), R_OK) != 0)
        return "cannot be read";
    std::string why;
    if (!AudioDecoder::open(path, &why))
        return "holds no audio that can be decoded (" + why + ")";
    if (!formatAcceptsRate(choice_.musicType, choice_.sample_rate)) {
        return std::string(formatForCode(choice_.musicType)->name) + " cannot be written at " +
               std::to_string(choice_.sample_rate) + " Hz";
    }
    return "";
}

void ConvertCommand::fail(const std::string& file, const std::string& why) {
    std::fprintf(err_, "melodrift convert: %s: %s\n", file.c_str(), why.c_str());
    ++failures_;
}

void ConvertCommand::convertAll() {
    FileEngine::shared().createLibraryFolder();
    std::map<std::string, std::string> inputOfOutput;
    ConversionDispatcher dispatcher(choice_, [&](const URL& input, const URL& output, bool ok) {
        if (!ok) {
            fail(input.path(), "conversion failed");
            return;
        }
        std::fprintf(out_, "%s\n", output.path().c_str());
        std::fflush(out_);
    });
    for (const std::string& file : files_) {
        if (std::string why = refusal(file); !why.empty()) {
            fail(file, why);
            continue;
        }
        URL output = dispatcher.convert(URL::fileURL(file));
        auto [earlier, fresh] = inputOfOutput.emplace(output.path(), file);
        if (!fresh) {
            std::fprintf(err_, "melodrift convert: %s replaces the output of %s\n", file.c_str(),
                         earlier->second.c_str());
            earlier->second = file;
        }
        std::fprintf(err_, "converting %s -> %s\n", file.c_str(), output.path().c_str());
    }
    bool done = false;
    dispatcher.notifyWhenDone(DispatchQueue::main(), [&] { done = true; });
    while (!done)
        RunLoop::main().runOnce(0.5);
}

int ConvertCommand::run(const std::vector<std::string>& arguments) {
    if (!parse(arguments)) {
        std::fprintf(err_, "Try 'melodrift convert --help'.\n");
        return 2;
    }
    if (helpAsked_) {
        std::fputs(usage().c_str(), out_);
        return 0;
    }
    convertAll();
    return failures_ == 0 ? 0 : 1;
}
