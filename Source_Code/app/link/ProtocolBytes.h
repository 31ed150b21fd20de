#pragma once
// The status bytes of the instrument's replies: a reply is text up to a carriage return,
// or one of these bytes.

namespace tovu::link {

constexpr int kAckByte = 6;           // done
constexpr int kNotAvailableByte = 7;  // the instrument has no such setting or slot
constexpr int kNakByte = 21;          // refused

} // namespace tovu::link
