#pragma once

// UTF-8 decoding as a state machine, one byte at a time.

constexpr unsigned FNT_UTF8_ACCEPT = 0;
constexpr unsigned FNT_UTF8_REJECT = 12;

// Feeds one byte: returns the new state; FNT_UTF8_ACCEPT means *codep holds a whole character,
// FNT_UTF8_REJECT that the sequence is invalid (a state it then keeps, whatever follows).
unsigned fntDecodeUtf8(unsigned* state, unsigned* codep, unsigned byte);
