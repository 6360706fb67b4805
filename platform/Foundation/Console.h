#pragma once

#include <string>
#include <vector>

// The diagnostic lines the application prints, and the system log. Both go to standard error
// (standard output is kept for what the command line reports) and can be captured by tests.
namespace Console {

void print(const std::string& line);
void systemLog(const std::string& line);

// Capturing keeps every line printed from now on, from any thread.
void startCapture();
std::vector<std::string> printedLines();
std::vector<std::string> systemLogLines();
// Silences standard error while capturing keeps working (for the command line's quiet mode).
void setEcho(bool echo);

} // namespace Console
