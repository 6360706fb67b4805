#pragma once

#include "AudioToolbox/PcmFileWriter.h"

#include <optional>

// RIFF WAVE: little-endian, 8-bit samples unsigned, 16 and 24 bits signed. More than two
// channels or more than 16 bits use the extensible format header. With a data offset, a
// 'JUNK' chunk pads the header so that the samples begin exactly at that byte.
class WaveFileWriter : public PcmFileWriter {
  public:
    explicit WaveFileWriter(std::optional<uint32_t> dataOffset = std::nullopt)
        : dataOffset_(dataOffset) {}

  protected:
    std::vector<uint8_t> header(uint64_t dataBytes, NSError* error) const override;
    uint64_t maxDataBytes() const override;
    bool padsOddData() const override { return true; }
    bool supports(const PcmStreamFormat& format) const override;

  private:
    bool isExtensible() const;
    std::vector<uint8_t> formatChunk() const;

    std::optional<uint32_t> dataOffset_;
};
