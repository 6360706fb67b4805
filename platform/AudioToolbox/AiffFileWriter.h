#pragma once

#include "AudioToolbox/PcmFileWriter.h"

// AIFF: big-endian signed samples of 8, 16 or 24 bits, the rate as an 80-bit extended number.
class AiffFileWriter : public PcmFileWriter {
  public:
    AiffFileWriter() = default;

  protected:
    std::vector<uint8_t> header(uint64_t dataBytes, NSError* error) const override;
    uint64_t maxDataBytes() const override;
    bool padsOddData() const override { return true; }
    bool supports(const PcmStreamFormat& format) const override;
};
