#pragma once

#include "Melodrift/ConversionDispatcher.h"

#include <cstdio>
#include <string>
#include <vector>

// `melodrift convert`: converts files into the library root the way the conversion screen
// does, reports progress on standard error and each finished output's path on standard
// output, and waits for every background job. Exit status 0 when every input gave a complete
// output, 1 when some did not, 2 for a command line it cannot use.
class ConvertCommand {
  public:
    ConvertCommand(FILE* out, FILE* err) : out_(out), err_(err) {}

    int run(const std::vector<std::string>& arguments);
    static std::string usage();

  private:
    bool parse(const std::vector<std::string>& arguments);
    bool parseOption(const std::vector<std::string>& arguments, size_t& i);
    // Why the file cannot be converted, or empty when it can.
    std::string refusal(const std::string& path) const;
    void convertAll();
    void fail(const std::string& file, const std::string& why);

    FILE* out_;
    FILE* err_;
    ConversionChoice choice_;
    bool rateGiven_ = false;
    bool helpAsked_ = false;
    std::vector<std::string> files_;
    int failures_ = 0;
};
