#pragma once

#include "platform/text_codec.h"

namespace tavlo {

// Code page 932 through glibc iconv ("CP932": Shift_JIS with the Microsoft
// extensions, so that characters such as ① and 髙 survive).
class Cp932Codec final : public TextCodec {
public:
    std::string encode(std::string_view utf8) const override;
    std::string decode(std::string_view bytes) const override;
    std::size_t fitPrefix(std::string_view encoded, std::size_t limit) const override;
};

}  // namespace tavlo
