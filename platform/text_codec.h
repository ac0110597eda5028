#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlo {

// The code page of the settings file and the tip (code page 932). Text inside
// the program is UTF-8.
class TextCodec {
public:
    virtual ~TextCodec() = default;

    // UTF-8 to code page bytes; a character the code page cannot hold becomes "?".
    virtual std::string encode(std::string_view utf8) const = 0;

    // Code page bytes to UTF-8; bytes that do not decode become U+FFFD.
    virtual std::string decode(std::string_view bytes) const = 0;

    // Length of the longest prefix of `encoded` of at most `limit` bytes that
    // does not split a double-byte character.
    virtual std::size_t fitPrefix(std::string_view encoded, std::size_t limit) const = 0;
};

}  // namespace tavlo
