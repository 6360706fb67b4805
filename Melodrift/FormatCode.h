#pragma once

#include <cstdint>
#include <string>

// A target format, named by a four-character audio format code read as a big-endian 32-bit
// value: 'aac ' is 0x61616320.
using FormatCode = uint32_t;

// The code of four characters, as in formatCode("aac ").
constexpr FormatCode formatCode(const char (&text)[5]) {
    return (static_cast<FormatCode>(static_cast<unsigned char>(text[0])) << 24) |
           (static_cast<FormatCode>(static_cast<unsigned char>(text[1])) << 16) |
           (static_cast<FormatCode>(static_cast<unsigned char>(text[2])) << 8) |
           static_cast<FormatCode>(static_cast<unsigned char>(text[3]));
}

// The four characters of a code ("aac ").
inline std::string formatCodeString(FormatCode code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
    return text;
}
