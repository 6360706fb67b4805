// Times the reader-writer converter against the ffmpeg command line, code by code.
//
//   bench_converter INPUT            converts INPUT to every code, each run in a process of
//                                    its own, and prints seconds and peak memory beside
//                                    ffmpeg doing the same codec, rate and channels (the best
//                                    of three runs each)
//   bench_converter --one IN OUT CODE RATE CHANNELS
//                                    one conversion (what the first form runs)

#include "Foundation/Console.h"
#include "Foundation/RunLoop.h"
#include "Melodrift/AVAudioFileConverter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Target {
    const char* code;
    int rate;
    const char* extension;
    const char* ffmpegArguments;
};

// Opus takes no 44100 Hz, so it runs at 48000 Hz on both sides.
const Target targets[] = {
    {"aac ", 44100, "m4a", "-c:a aac -b:a 96k -ar 44100 -ac 2 -f ipod"},
    {"flac", 44100, "m4a", "-c:a flac -ar 44100 -ac 2 -strict experimental -f mp4 -brand M4A\\ "},
    {"aach", 44100, "mp4", "-c:a aac -ar 44100 -ac 2 -f mp4"},
    {"alaw", 44100, "alaw", "-c:a pcm_alaw -ar 44100 -ac 2 -f caf"},
    {"ulaw", 44100, "ulaw", "-c:a pcm_mulaw -ar 44100 -ac 2 -f caf"},
    {"ima4", 44100, "ima4", "-c:a adpcm_ima_qt -ar 44100 -ac 2 -f caf"},
    {"opus", 48000, "opus", "-c:a libopus -ar 48000 -ac 2 -f caf"},
    {"lpcm", 44100, "wav", "-c:a pcm_s16le -ar 44100 -ac 2 -f wav"},
};

struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMiB = 0;
    bool ok = false;
};

// Runs a command line in a child process; wall time and the child's peak resident memory.
Run measure(const std::vector<std::string>& arguments) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                     usage.ru_stime.tv_usec / 1e6;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// The fastest of several runs (the machine is shared, so the others measure its load), with
// the highest peak memory seen.
template <typename Measure>
Run bestOf(int count, Measure run) {
    Run best = run();
    for (int i = 1; i < count; ++i) {
        Run next = run();
        best.ok = best.ok && next.ok;
        best.peakMiB = std::max(best.peakMiB, next.peakMiB);
        best.seconds = std::min(best.seconds, next.seconds);
        best.cpuSeconds = std::min(best.cpuSeconds, next.cpuSeconds);
    }
    return best;
}

int convertOne(char** argv) {
    Console::setEcho(false);
    std::string code = argv[4];
    if (code.size() != 4)
        return 2;
    FormatCode value = 0;
    for (char c : code)
        value = (value << 8) | static_cast<unsigned char>(c);
    auto converter = AVAudioFileConverter::make(URL::fileURL(argv[2]), URL::fileURL(argv[3]),
                                                std::atoi(argv[5]), std::atoi(argv[6]));
    if (!converter)
        return 1;
    std::weak_ptr<AVAudioFileConverter> job = converter;
    converter->convertAudio(value);
    converter.reset();
    RunLoop::main().runUntil([&] { return job.expired(); }, 3600);
    auto lines = Console::printedLines();
    bool finished = !lines.empty() && lines.back() == "Asset Writer Finished Writing";
    return finished ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 7 && std::string(argv[1]) == "--one") {
        Console::startCapture();
        return convertOne(argv);
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s INPUT\n", argv[0]);
        return 2;
    }
    std::string input = argv[1];
    const int repeats = 3;
    std::string self = std::filesystem::canonical("/proc/self/exe").string();
    std::string folder = std::filesystem::temp_directory_path() / "melodrift-bench";
    std::filesystem::create_directories(folder);
    std::printf("%-6s %5s | %-26s | %-26s | %s\n", "", "", "converter", "ffmpeg", "ratio");
    std::printf("%-6s %5s | %7s %7s %10s | %7s %7s %10s | %5s %5s\n", "code", "rate", "wall", "cpu",
                "peak", "wall", "cpu", "peak", "wall", "cpu");
    bool allOk = true;
    for (const Target& t : targets) {
        std::string ours = folder + "/ours." + t.extension;
        std::string theirs = folder + "/ffmpeg." + t.extension;
        Run converter = measure({self, "--one", input, ours, t.code, std::to_string(t.rate), "2"});
        Run ffmpeg =
            measure({"sh", "-c",
                     std::string("exec ffmpeg -nostdin -hide_banner -loglevel error -y -i '") +
                         input + "' " + t.ffmpegArguments + " '" + theirs + "'"});
        allOk = allOk && converter.ok && ffmpeg.ok;
        std::printf("'%s' %5d | %6.2fs %6.2fs %7.1fMiB | %6.2fs %6.2fs %7.1fMiB | %5.2f %5.2f%s\n",
                    t.code, t.rate, converter.seconds, converter.cpuSeconds, converter.peakMiB,
                    ffmpeg.seconds, ffmpeg.cpuSeconds, ffmpeg.peakMiB,
                    converter.seconds / ffmpeg.seconds, converter.cpuSeconds / ffmpeg.cpuSeconds,
                    converter.ok && ffmpeg.ok ? "" : "  (a run failed)");
        std::fflush(stdout);
    }
    std::filesystem::remove_all(folder);
    return allOk ? 0 : 1;
}
