#pragma once

#include <iconv.h>

#include "platform/text_codec.h"

namespace tavlo {

// Code page 932 through glibc iconv ("CP932": Shift_JIS with the Microsoft
// extensions, so that characters such as ① and 髙 survive).
// The converters are opened once: the tip is converted twice a second.
class Cp932Codec final : public TextCodec {
public:
    Cp932Codec();
    ~Cp932Codec() override;
    Cp932Codec(const Cp932Codec&) = delete;
    Cp932Codec& operator=(const Cp932Codec&) = delete;

    std::string encode(std::string_view utf8) const override;
    std::string decode(std::string_view bytes) const override;
    std::size_t fitPrefix(std::string_view encoded, std::size_t limit) const override;

private:
    iconv_t toCp932_;
    iconv_t fromCp932_;
};

}  // namespace tavlo
