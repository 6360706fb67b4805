#include "AudioToolbox/AiffFileWriter.h"

#include "AudioToolbox/ByteWriter.h"

#include <cmath>

namespace {

constexpr uint32_t commBytes = 18;
constexpr uint32_t ssndFieldsBytes = 8; // offset and block size
constexpr uint32_t headerBytes = 12 + 8 + commBytes + 8 + ssndFieldsBytes;

// The 80-bit IEEE extended number AIFF stores its sample rate in (positive values only).
void putExtended(ByteWriter& w, double value) {
    if (value <= 0) {
        w.zeros(10);
        return;
    }
    int exponent = 0;
    double fraction = std::frexp(value, &exponent); // value = fraction × 2^exponent, [0.5, 1)
    w.u16(static_cast<uint16_t>(16383 + exponent - 1));
    w.u64(static_cast<uint64_t>(std::ldexp(fraction, 64)));
}

} // namespace

bool AiffFileWriter::supports(const PcmStreamFormat& f) const {
    return f.isSigned && f.isBigEndian &&
           (f.bitsPerChannel == 8 || f.bitsPerChannel == 16 || f.bitsPerChannel == 24);
}

std::vector<uint8_t> AiffFileWriter::header(uint64_t dataBytes, NSError*) const {
    const PcmStreamFormat& f = format();
    ByteWriter w(true);
    w.code("FORM");
    w.u32(static_cast<uint32_t>(headerBytes - 8 + dataBytes + dataBytes % 2));
    w.code("AIFF");
    w.code("COMM");
    w.u32(commBytes);
    w.u16(static_cast<uint16_t>(f.channels));
    w.u32(static_cast<uint32_t>(dataBytes / f.bytesPerFrame()));
    w.u16(static_cast<uint16_t>(f.bitsPerChannel));
    putExtended(w, f.sampleRate);
    w.code("SSND");
    w.u32(static_cast<uint32_t>(ssndFieldsBytes + dataBytes));
    w.u32(0);
    w.u32(0);
    return w.take();
}

uint64_t AiffFileWriter::maxDataBytes() const {
    return 0xFFFFFFFFull - (headerBytes - 8) - 1;
}
