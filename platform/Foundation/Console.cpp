#include "Foundation/Console.h"

#include <cstdio>
#include <mutex>

namespace Console {
namespace {

struct State {
    std::mutex mutex;
    bool capturing = false;
    bool echo = true;
    std::vector<std::string> printed;
    std::vector<std::string> logged;
};

State& state() {
    static State s;
    return s;
}

void emit(std::vector<std::string> State::*lines, const std::string& prefix,
          const std::string& line) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    if (s.capturing)
        (s.*lines).push_back(line);
    if (s.echo)
        std::fprintf(stderr, "%s%s\n", prefix.c_str(), line.c_str());
}

} // namespace

void print(const std::string& line) {
    emit(&State::printed, "", line);
}
void systemLog(const std::string& line) {
    emit(&State::logged, "[system] ", line);
}

void startCapture() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.capturing = true;
    s.printed.clear();
    s.logged.clear();
}

std::vector<std::string> printedLines() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    return s.printed;
}

std::vector<std::string> systemLogLines() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    return s.logged;
}

void setEcho(bool echo) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.echo = echo;
}

} // namespace Console
