#pragma once

#include "framework/buffers/StringBuf.h"

#include <cstdint>

namespace plugin {

// Decodes standard-alphabet base64 into out, stopping at the first character outside the
// alphabet (padding, terminator, white space) or after maxBytes bytes. Returns the bytes written.
int DecodeBase64(const char* text, uint8_t* out, int maxBytes) noexcept;

// Appends the standard-alphabet base64 of size bytes to out, padded with '=' to a multiple of 4.
void AppendBase64(const uint8_t* data, int size, StringBuf& out);

} // namespace plugin
