#include "AudioToolbox/CafFileWriter.h"

#include "AudioToolbox/ByteWriter.h"

#include <bit>

namespace {

constexpr uint32_t littleEndianFlag = 1u << 1;
constexpr uint64_t descBytes = 32;
constexpr uint64_t editCountBytes = 4;

} // namespace

bool CafFileWriter::supports(const PcmStreamFormat& f) const {
    return f.isSigned &&
           (f.bitsPerChannel == 8 || f.bitsPerChannel == 16 || f.bitsPerChannel == 24);
}

std::vector<uint8_t> CafFileWriter::header(uint64_t dataBytes, NSError*) const {
    const PcmStreamFormat& f = format();
    ByteWriter w(true);
    w.code("caff");
    w.u16(1); // file version
    w.u16(0); // flags
    w.code("desc");
    w.u64(descBytes);
    w.u64(std::bit_cast<uint64_t>(f.sampleRate));
    w.code("lpcm");
    w.u32(f.isBigEndian ? 0 : littleEndianFlag);
    w.u32(f.bytesPerPacket());
    w.u32(1); // frames per packet
    w.u32(f.channels);
    w.u32(f.bitsPerChannel);
    w.code("data");
    w.u64(editCountBytes + dataBytes);
    w.u32(0); // edit count
    return w.take();
}
