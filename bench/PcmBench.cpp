// Times one conversion path on a file and prints the wall-clock seconds it took:
//   bench_pcm mp3 <input> <output.mp3>            render the intermediate, then encode it
//   bench_pcm aiff|caf <input> <output> <rate>    render straight into the container
#include "AudioToolbox/PcmRender.h"
#include "Foundation/FileManager.h"
#include "Foundation/RunLoop.h"
#include "Melodrift/Mp3Converter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool renderOrSay(const URL& in, const URL& out, const PcmRenderRequest& request) {
    return renderPcm(in, out, request, [](const NSError* error) {
        if (error)
            std::fprintf(stderr, "render failed: %s\n", error->message.c_str());
    });
}

bool mp3(const URL& in, const URL& out) {
    URL intermediate = URL::fileURL(out.path() + ".intermediate.wav");
    if (!renderOrSay(in, intermediate, Mp3Converter::intermediateRequest()))
        return false;
    bool done = false;
    Mp3Converter::convert(intermediate.path(), out.path(), nullptr, [&](bool) {
        FileManager::defaultManager().removeItem(intermediate);
        done = true;
    });
    return RunLoop::main().runUntil([&] { return done; }, 3600);
}

bool pcm(const URL& in, const URL& out, PcmContainer container, double rate) {
    PcmRenderRequest request;
    request.container = container;
    request.sampleRate = rate;
    request.bitDepth = 24;
    request.capAtSourceDepth = true;
    request.replaceExisting = true;
    return renderOrSay(in, out, request);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_pcm mp3|aiff|caf <input> <output> [rate]\n");
        return 2;
    }
    std::string mode = argv[1];
    URL in = URL::fileURL(argv[2]);
    URL out = URL::fileURL(argv[3]);
    double rate = argc > 4 ? std::atof(argv[4]) : 44100;
    auto start = std::chrono::steady_clock::now();
    bool ok = mode == "mp3"    ? mp3(in, out)
              : mode == "aiff" ? pcm(in, out, PcmContainer::AIFF, rate)
                               : pcm(in, out, PcmContainer::CAF, rate);
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!ok)
        return 1;
    std::printf("%.3f\n", elapsed.count());
    return 0;
}
