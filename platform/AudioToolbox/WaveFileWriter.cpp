#include "AudioToolbox/WaveFileWriter.h"

#include "AudioToolbox/ByteWriter.h"

#include <cmath>
#include <string>

namespace {

constexpr uint16_t formatPcm = 1;
constexpr uint16_t formatExtensible = 0xFFFE;
// The PCM sub-format of the extensible header: 00000001-0000-0010-8000-00aa00389b71.
constexpr uint8_t pcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                      0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr size_t riffHeaderBytes = 12;
constexpr size_t chunkHeaderBytes = 8;

uint32_t speakerMask(uint32_t channels) {
    if (channels == 1)
        return 0x4; // front centre
    if (channels == 2)
        return 0x3; // front left, front right
    return 0;       // no speaker assignment
}

} // namespace

bool WaveFileWriter::supports(const PcmStreamFormat& f) const {
    if (f.isBigEndian)
        return false;
    if (f.bitsPerChannel == 8)
        return !f.isSigned;
    return f.isSigned && (f.bitsPerChannel == 16 || f.bitsPerChannel == 24);
}

bool WaveFileWriter::isExtensible() const {
    return format().channels > 2 || format().bitsPerChannel > 16;
}

std::vector<uint8_t> WaveFileWriter::formatChunk() const {
    const PcmStreamFormat& f = format();
    ByteWriter w(false);
    w.code("fmt ");
    w.u32(isExtensible() ? 40 : 16);
    w.u16(isExtensible() ? formatExtensible : formatPcm);
    w.u16(static_cast<uint16_t>(f.channels));
    w.u32(static_cast<uint32_t>(std::lround(f.sampleRate)));
    w.u32(static_cast<uint32_t>(std::lround(f.sampleRate)) * f.bytesPerFrame());
    w.u16(static_cast<uint16_t>(f.bytesPerFrame()));
    w.u16(static_cast<uint16_t>(f.bitsPerChannel));
    if (isExtensible()) {
        w.u16(22);
        w.u16(static_cast<uint16_t>(f.bitsPerChannel));
        w.u32(speakerMask(f.channels));
        w.raw(pcmSubFormat, sizeof pcmSubFormat);
    }
    return w.take();
}

std::vector<uint8_t> WaveFileWriter::header(uint64_t dataBytes, NSError* error) const {
    std::vector<uint8_t> fmt = formatChunk();
    size_t plain = riffHeaderBytes + fmt.size() + chunkHeaderBytes;
    bool hasFiller = dataOffset_ && *dataOffset_ != plain;
    size_t filler = 0;
    if (hasFiller) {
        // The filler chunk needs its own header, and chunks start at even offsets.
        if (*dataOffset_ < plain + chunkHeaderBytes || (*dataOffset_ - plain) % 2 != 0) {
            if (error)
                *error = NSError{"PcmRenderErrorDomain", 3,
                                 "The sample data cannot begin at byte " +
                                     std::to_string(*dataOffset_) + "."};
            return {};
        }
        filler = *dataOffset_ - plain - chunkHeaderBytes;
    }
    uint64_t pad = dataBytes % 2;
    ByteWriter w(false);
    w.code("RIFF");
    size_t headerBytes = plain + (hasFiller ? chunkHeaderBytes + filler : 0);
    w.u32(static_cast<uint32_t>(headerBytes - chunkHeaderBytes + dataBytes + pad));
    w.code("WAVE");
    w.raw(fmt.data(), fmt.size());
    if (hasFiller) {
        w.code("JUNK");
        w.u32(static_cast<uint32_t>(filler));
        w.zeros(filler);
    }
    w.code("data");
    w.u32(static_cast<uint32_t>(dataBytes));
    return w.take();
}

uint64_t WaveFileWriter::maxDataBytes() const {
    // The RIFF size counts everything after its own field, pad byte included.
    size_t headerBytes =
        dataOffset_.value_or(riffHeaderBytes + formatChunk().size() + chunkHeaderBytes);
    return 0xFFFFFFFFull - (headerBytes - chunkHeaderBytes) - 1;
}
