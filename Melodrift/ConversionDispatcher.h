#pragma once

#include "Foundation/DispatchGroup.h"
#include "Foundation/DispatchQueue.h"
#include "Foundation/URL.h"
#include "Melodrift/FormatCode.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

// What the conversion screen's buttons chose.
struct ConversionChoice {
    FormatCode musicType = formatCode("aac ");
    int sample_rate = 44100;
    int channel_Type = 2;
};

// Turns one input at a time into one output in the library root, by the route of the chosen
// format: a PCM render for AIFF and CAF (done when the call returns), an intermediate render
// and an encoding on the MP3 queue, or a reader-writer job on a queue of its own. It keeps
// count of the background jobs it started, so a caller may wait for the whole batch. Two
// background jobs for the same output run one after the other, so the later one's file is
// the one that stays.
class ConversionDispatcher {
  public:
    // Told on the main queue when a job has ended, and whether it wrote a complete output.
    using JobEnded = std::function<void(const URL& input, const URL& output, bool complete)>;

    explicit ConversionDispatcher(ConversionChoice choice, JobEnded jobEnded = nullptr);

    // The library root followed by the input's name with its last extension replaced by the
    // format's.
    static URL outputURL(const URL& input, FormatCode code);

    // One conversion step. Answers where the output goes: the outputURL, or the next free
    // name beside it when that is the input itself, which is never removed or overwritten.
    URL convert(const URL& input);

    // Runs the block on the queue once every job started so far has ended.
    void notifyWhenDone(const DispatchQueue& queue, std::function<void()> block) const;

  private:
    URL destination(const URL& input) const;
    void renderToContainer(const URL& input, const URL& output);
    void renderAndEncodeMp3(const URL& input, const URL& output);
    void startReaderWriter(const URL& input, const URL& output);
    std::function<void(bool)> jobTracker(const URL& input, const URL& output) const;

    // Reader-writer jobs waiting for an earlier job with the same output, by output path;
    // the first of each list is running. Used on the main thread only.
    using Waiting = std::map<std::string, std::deque<std::function<void()>>>;

    ConversionChoice choice_;
    JobEnded jobEnded_;
    DispatchGroup jobs_;
    std::shared_ptr<Waiting> waiting_ = std::make_shared<Waiting>();
};
