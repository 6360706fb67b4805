#pragma once

#include "AudioToolbox/PcmRenderRequest.h"
#include "Foundation/NSError.h"
#include "Foundation/URL.h"

#include <functional>

// Decodes an audio file and writes it as integer PCM into a WAVE, AIFF or CAF file, at the
// request's rate, depth and channel count (see PcmStreamFormat::derive). When the input
// already is such a file in exactly the output's container, encoding, rate, depth and
// channel count, it is copied byte for byte. The work is done before the call returns; the
// completion, when given, runs on the calling thread first, with no error on success.
// A failure stops the render and closes what it opened; an output created before the failure
// keeps what was written, with a header that matches it. The input is never touched.
using PcmRenderCompletion = std::function<void(const NSError* error)>;

bool renderPcm(const URL& input, const URL& output, const PcmRenderRequest& request,
               const PcmRenderCompletion& completion = nullptr);
