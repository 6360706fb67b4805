#pragma once

#include "AudioToolbox/PcmFileWriter.h"

// Core Audio Format: a 'desc' chunk for linear PCM and a 'data' chunk, with 64-bit sizes.
// The header is big-endian; the samples are signed in the byte order the format names.
class CafFileWriter : public PcmFileWriter {
  public:
    CafFileWriter() = default;

  protected:
    std::vector<uint8_t> header(uint64_t dataBytes, NSError* error) const override;
    uint64_t maxDataBytes() const override { return (1ull << 62); }
    bool padsOddData() const override { return false; }
    bool supports(const PcmStreamFormat& format) const override;
};
