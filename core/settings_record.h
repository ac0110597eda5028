#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings_store.h"
#include "platform/text_codec.h"

namespace tavlo {

// Number of records in a settings file of `length` bytes: length / 322
// rounded to the nearest whole number, ties to even (161 bytes hold none,
// 162 bytes hold one).
std::uint64_t recordCount(std::uint64_t length);

// Fills the fifteen persisted fields from record 1. A field's text ends at its
// first zero byte; bytes missing from a short record count as blanks. The
// padding is kept: trimming is a step of its own.
void decodeRecord(std::string_view bytes, const TextCodec& codec, SettingsStore& store);

// Removes the trailing blanks (U+0020 only) of the fifteen persisted fields.
void trimPersistedFields(SettingsStore& store);

// The 322 bytes of record 1: each field encoded, cut to its width without
// splitting a double-byte character, padded with blanks.
std::string encodeRecord(const SettingsStore& store, const TextCodec& codec);

}  // namespace tavlo
