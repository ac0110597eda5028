#pragma once

#include "platform/text_codec.h"

namespace tavlo {

// Code page 932 through Windows' own tables (MultiByteToWideChar and
// WideCharToMultiByte), whatever the system's ANSI code page is.
class Win32Cp932Codec final : public TextCodec {
public:
    std::string encode(std::string_view utf8) const override;
    std::string decode(std::string_view bytes) const override;
    std::size_t fitPrefix(std::string_view encoded, std::size_t limit) const override;
};

}  // namespace tavlo
