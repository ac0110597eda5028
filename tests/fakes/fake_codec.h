#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"

namespace tavlo::testing {

// A code page shaped like code page 932 without its tables: ASCII in one
// byte, every other character of the Basic Multilingual Plane in two (a lead
// byte 0x81–0x9F and a trail byte 0x40–0xFC, numbered in the order the codec
// first meets the characters), anything else "?". Bytes it never wrote decode
// as U+FFFD.
class FakeCodec final : public TextCodec {
public:
    std::string encode(std::string_view utf8) const override
    {
        std::string bytes;
        for (std::size_t at = 0; at < utf8.size();) {
            const auto lead = static_cast<unsigned char>(utf8[at]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            const std::string character(utf8.substr(at, length));
            at += length;
            if (length == 1) {
                bytes += character;
            } else if (length == 4) {
                bytes += '?';
            } else {
                const std::size_t index = indexOf(character);
                bytes += static_cast<char>(0x81 + index / kTrails);
                bytes += static_cast<char>(0x40 + index % kTrails);
            }
        }
        return bytes;
    }

    std::string decode(std::string_view bytes) const override
    {
        std::string utf8;
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            const auto lead = static_cast<unsigned char>(bytes[at]);
            if (lead < 0x80) {
                utf8 += static_cast<char>(lead);
                continue;
            }
            const std::size_t index = at + 1 < bytes.size() && isLead(lead)
                ? (lead - 0x81u) * kTrails + (static_cast<unsigned char>(bytes[at + 1]) - 0x40u)
                : characters_.size();
            at += isLead(lead) ? 1 : 0;
            utf8 += index < characters_.size() ? characters_[index] : "\xEF\xBF\xBD";
        }
        return utf8;
    }

    std::size_t fitPrefix(std::string_view encoded, std::size_t limit) const override
    {
        std::size_t at = 0;
        while (at < encoded.size()) {
            const std::size_t width = isLead(static_cast<unsigned char>(encoded[at])) ? 2 : 1;
            if (at + width > limit)
                break;
            at += width;
        }
        return at;
    }

private:
    static constexpr std::size_t kTrails = 0xFC - 0x40 + 1;

    static bool isLead(unsigned char byte) { return byte >= 0x81 && byte <= 0x9F; }

    std::size_t indexOf(const std::string& character) const
    {
        for (std::size_t i = 0; i < characters_.size(); ++i) {
            if (characters_[i] == character)
                return i;
        }
        characters_.push_back(character);
        return characters_.size() - 1;
    }

    mutable std::vector<std::string> characters_;
};

}  // namespace tavlo::testing
