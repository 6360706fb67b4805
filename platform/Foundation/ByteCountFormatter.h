#pragma once

#include <cstdint>
#include <string>

// Byte counts for people, in the file style: decimal units of 1000 bytes ("1.2 MB"),
// whole kilobytes, and "Zero KB" for nothing.
namespace ByteCountFormatter {

std::string fileString(int64_t bytes);

} // namespace ByteCountFormatter
