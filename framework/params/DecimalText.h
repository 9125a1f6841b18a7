#pragma once

namespace plugin {

// The number at the start of a text, read as a decimal floating-point number whatever the
// process locale: optional white space, an optional sign, digits with an optional fraction, an
// optional exponent. Hexadecimal, "inf" and "nan" are no numbers here ("0x10" reads its leading
// 0). A text without a number (or null) reads as 0; a number too large for a double reads as an
// infinity of its sign, one too small as a zero of its sign. Any thread; no allocation.
double ReadLeadingDecimal(const char* text) noexcept;

} // namespace plugin
