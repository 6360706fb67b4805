#pragma once

#include "AudioToolbox/PcmStreamFormat.h"
#include "Foundation/NSError.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes one PCM file: a header, the sample data, and on closing the header again with the
// final sizes. Samples are handed over interleaved in their in-memory form: 8 bits as
// unsigned bytes (128 is silence), 16 bits as int16_t, 24 bits as int32_t holding the sample
// in its upper 24 bits. The writer stores them in the file's byte order and signedness.
class PcmFileWriter {
  public:
    virtual ~PcmFileWriter();

    PcmFileWriter(const PcmFileWriter&) = delete;
    PcmFileWriter& operator=(const PcmFileWriter&) = delete;

    // Creates the file, replacing any file at `path`.
    bool create(const std::string& path, const PcmStreamFormat& format, NSError* error = nullptr);
    bool write(const void* samples, size_t frames, NSError* error = nullptr);
    // Finishes the header with what was written so far and closes the file. Safe to call
    // more than once and on a writer that failed; the destructor calls it too.
    bool close(NSError* error = nullptr);

    const PcmStreamFormat& format() const { return format_; }
    uint64_t framesWritten() const { return dataBytes_ / format_.bytesPerFrame(); }
    uint64_t dataOffset() const { return headerSize_; }

  protected:
    PcmFileWriter() = default;

    // The bytes in front of the sample data, for `dataBytes` of samples; the same length
    // whatever `dataBytes` is. Empty when the format cannot be stored, with an error.
    virtual std::vector<uint8_t> header(uint64_t dataBytes, NSError* error) const = 0;
    // The largest sample data the container's size fields can describe.
    virtual uint64_t maxDataBytes() const = 0;
    // Whether an odd-sized data chunk is followed by a pad byte.
    virtual bool padsOddData() const = 0;
    // Whether the container can hold a sample of this depth and signedness.
    virtual bool supports(const PcmStreamFormat& format) const = 0;

  private:
    void encode(const void* samples, size_t frames);
    bool fail(NSError* error, const std::string& what, int code);

    PcmStreamFormat format_;
    std::string path_;
    FILE* file_ = nullptr;
    uint64_t headerSize_ = 0;
    uint64_t dataBytes_ = 0;
    std::vector<uint8_t> scratch_;
};
