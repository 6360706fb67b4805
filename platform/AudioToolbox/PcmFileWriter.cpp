#include "AudioToolbox/PcmFileWriter.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

constexpr size_t fileBufferBytes = 1 << 20;

// A 24-bit sample from the upper 24 bits of a 32-bit one, rounded to nearest.
int32_t to24(int32_t sample) {
    int64_t rounded = (static_cast<int64_t>(sample) + 128) >> 8;
    return static_cast<int32_t>(std::min<int64_t>(rounded, 0x7FFFFF));
}

void encode8(const uint8_t* in, uint8_t* out, size_t count, bool isSigned) {
    if (!isSigned) {
        std::memcpy(out, in, count);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        out[i] = in[i] ^ 0x80;
}

void encode16(const int16_t* in, uint8_t* out, size_t count, bool bigEndian) {
    if (bigEndian == (std::endian::native == std::endian::big)) {
        std::memcpy(out, in, count * 2);
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        auto v = static_cast<uint16_t>(in[i]);
        out[2 * i] = static_cast<uint8_t>(v >> 8);
        out[2 * i + 1] = static_cast<uint8_t>(v);
    }
}

void encode24(const int32_t* in, uint8_t* out, size_t count, bool bigEndian) {
    for (size_t i = 0; i < count; ++i) {
        auto v = static_cast<uint32_t>(to24(in[i]));
        uint8_t b0 = static_cast<uint8_t>(v), b1 = static_cast<uint8_t>(v >> 8),
                b2 = static_cast<uint8_t>(v >> 16);
        uint8_t* p = out + 3 * i;
        p[0] = bigEndian ? b2 : b0;
        p[1] = b1;
        p[2] = bigEndian ? b0 : b2;
    }
}

} // namespace

PcmFileWriter::~PcmFileWriter() {
    close();
}

bool PcmFileWriter::fail(NSError* error, const std::string& what, int code) {
    if (error)
        *error = NSError::posix(code, what);
    return false;
}

bool PcmFileWriter::create(const std::string& path, const PcmStreamFormat& format, NSError* error) {
    close();
    format_ = format;
    path_ = path;
    dataBytes_ = 0;
    if (!supports(format)) {
        if (error)
            *error = NSError{"PcmRenderErrorDomain", 2,
                             "The output format is not supported by its container."};
        return false;
    }
    std::vector<uint8_t> bytes = header(0, error);
    if (bytes.empty())
        return false;
    headerSize_ = bytes.size();
    std::string name = std::filesystem::path(path).filename().string();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        return fail(error, "The file “" + name + "” couldn’t be created.", errno);
    std::setvbuf(file_, nullptr, _IOFBF, fileBufferBytes);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        int code = errno;
        close();
        return fail(error, "The file “" + name + "” couldn’t be written.", code);
    }
    return true;
}

bool PcmFileWriter::write(const void* samples, size_t frames, NSError* error) {
    std::string name = std::filesystem::path(path_).filename().string();
    if (!file_)
        return fail(error, "The file “" + name + "” is not open.", EBADF);
    if (frames == 0)
        return true;
    uint64_t bytes = static_cast<uint64_t>(frames) * format_.bytesPerFrame();
    if (bytes > maxDataBytes() - dataBytes_)
        return fail(error, "The file “" + name + "” would be too large for its format.", EFBIG);
    encode(samples, frames);
    if (std::fwrite(scratch_.data(), 1, bytes, file_) != bytes)
        return fail(error, "The file “" + name + "” couldn’t be written.", errno);
    dataBytes_ += bytes;
    return true;
}

void PcmFileWriter::encode(const void* samples, size_t frames) {
    size_t count = frames * format_.channels;
    scratch_.resize(count * format_.bitsPerChannel / 8);
    switch (format_.bitsPerChannel) {
    case 8:
        encode8(static_cast<const uint8_t*>(samples), scratch_.data(), count, format_.isSigned);
        break;
    case 16:
        encode16(static_cast<const int16_t*>(samples), scratch_.data(), count, format_.isBigEndian);
        break;
    default:
        encode24(static_cast<const int32_t*>(samples), scratch_.data(), count, format_.isBigEndian);
        break;
    }
}

bool PcmFileWriter::close(NSError* error) {
    if (!file_)
        return true;
    std::string name = std::filesystem::path(path_).filename().string();
    bool ok = true;
    int code = 0;
    if (padsOddData() && dataBytes_ % 2 != 0)
        ok = std::fputc(0, file_) != EOF;
    std::vector<uint8_t> bytes = header(dataBytes_, nullptr);
    if (ok && bytes.size() == headerSize_) {
        ok = std::fseek(file_, 0, SEEK_SET) == 0 &&
             std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    }
    if (!ok)
        code = errno;
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        code = errno;
    }
    file_ = nullptr;
    if (!ok)
        return fail(error, "The file “" + name + "” couldn’t be written.", code);
    return true;
}
