#include "support/MediaFixtures.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace MediaFixtures {
namespace {

std::string output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return text;
    std::array<char, 4096> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        text.append(buffer.data(), count);
    pclose(pipe);
    return text;
}

std::string toneExpressions(int channels) {
    static const char* frequencies[] = {"440", "660", "550", "770", "330", "880", "495", "605"};
    std::string exprs;
    for (int i = 0; i < channels; ++i) {
        if (i)
            exprs += "|";
        exprs += std::string("0.5*sin(2*PI*") + frequencies[i % 8] + "*t)";
    }
    return exprs;
}

void addTags(const nlohmann::json& tags, std::map<std::string, std::string>& into) {
    if (!tags.is_object())
        return;
    for (auto& [key, value] : tags.items()) {
        std::string lower = key;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (value.is_string())
            into[lower] = value.get<std::string>();
    }
}

int number(const nlohmann::json& object, const char* key) {
    if (!object.contains(key))
        return 0;
    const auto& value = object[key];
    if (value.is_number())
        return value.get<int>();
    if (value.is_string())
        return std::atoi(value.get<std::string>().c_str());
    return 0;
}

double seconds(const nlohmann::json& object) {
    if (object.contains("duration") && object["duration"].is_string()) {
        return std::atof(object["duration"].get<std::string>().c_str());
    }
    return -1;
}

} // namespace

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

bool run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

bool makeTone(const std::string& path, const Tone& tone) {
    std::ostringstream command;
    command << "ffmpeg -nostdin -hide_banner -loglevel error -y ";
    if (tone.withVideo) {
        command << "-f lavfi -i testsrc=size=64x48:rate=10:duration=" << tone.seconds << " ";
    }
    command << "-f lavfi -i "
            << quoted(
                   "aevalsrc=exprs=" +
                   (tone.expressions.empty() ? toneExpressions(tone.channels) : tone.expressions) +
                   ":s=" + std::to_string(tone.sampleRate) + ":d=" + std::to_string(tone.seconds))
            << " ";
    if (tone.withVideo)
        command << "-map 0:v -map 1:a -c:v mpeg4 ";
    for (const auto& [key, value] : tone.tags)
        command << "-metadata " << quoted(key + "=" + value) << " ";
    command << tone.encoderArguments << " " << quoted(path);
    return run(command.str());
}

std::optional<Probe> probe(const std::string& path) {
    std::string text = output("ffprobe -v error -print_format json -show_format -show_streams " +
                              quoted(path) + " 2>/dev/null");
    auto json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.contains("format"))
        return std::nullopt;
    Probe probe;
    const auto& format = json["format"];
    probe.formatName = format.value("format_name", "");
    probe.duration = seconds(format);
    if (format.contains("tags")) {
        addTags(format["tags"], probe.tags);
        probe.majorBrand = format["tags"].value("major_brand", "");
    }
    bool found = false;
    for (const auto& stream : json.value("streams", nlohmann::json::array())) {
        if (stream.value("codec_type", "") != "audio") {
            ++probe.otherStreams;
            continue;
        }
        ++probe.audioStreams;
        if (found)
            continue;
        found = true;
        probe.codecName = stream.value("codec_name", "");
        probe.codecProfile = stream.value("profile", "");
        probe.sampleFormat = stream.value("sample_fmt", "");
        probe.sampleRate = number(stream, "sample_rate");
        probe.channels = number(stream, "channels");
        probe.bitsPerSample = number(stream, "bits_per_sample");
        probe.bitRate = number(stream, "bit_rate");
        if (seconds(stream) >= 0)
            probe.duration = seconds(stream);
        if (stream.contains("tags"))
            addTags(stream["tags"], probe.tags);
    }
    return probe;
}

} // namespace MediaFixtures
