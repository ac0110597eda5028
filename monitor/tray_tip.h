#pragma once

#include <string>

#include "platform/text_codec.h"

namespace tavlo {

inline constexpr std::size_t kTipFieldBytes = 65;

// The tip as the notification area shows it: the text and its closing zero
// in the code page, cut to the 65-byte tip field (never inside a double-byte
// character), read back up to the zero or the field's end.
std::string tipAsShown(const std::string& tip, const TextCodec& codec);

}  // namespace tavlo
