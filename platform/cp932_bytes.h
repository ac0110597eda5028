#pragma once

#include <cstddef>
#include <string_view>

namespace tavlo {

// Code page 932's own split of its bytes: these lead a double-byte
// character, every other byte stands alone.
constexpr bool isCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Length of the longest prefix of `encoded` of at most `limit` bytes that
// does not split a double-byte character.
constexpr std::size_t fitCp932Prefix(std::string_view encoded, std::size_t limit)
{
    std::size_t end = 0;
    while (end < encoded.size()) {
        const std::size_t length = isCp932LeadByte(static_cast<unsigned char>(encoded[end])) ? 2 : 1;
        if (end + length > limit)
            break;
        end += length;
    }
    return end < encoded.size() ? end : encoded.size();
}

}  // namespace tavlo
