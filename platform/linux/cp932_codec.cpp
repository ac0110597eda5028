#include "platform/linux/cp932_codec.h"

#include <cerrno>

#include "platform/cp932_bytes.h"

namespace tavlo {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One conversion from the initial iconv state. On a sequence that cannot be
// converted, `onInvalid` appends its stand-in and says how many input bytes
// to skip.
template <typename OnInvalid> std::string convert(iconv_t cd, std::string_view input, OnInvalid onInvalid)
{
    std::string output;
    if (cd == kNoConverter) {
        // Without the converter nothing is readable; never crash on it.
        for (std::size_t i = 0; i < input.size(); i += onInvalid(output, input.substr(i)))
            ;
        return output;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a truncated sequence at the end).
        const std::size_t skip = onInvalid(output, std::string_view(in, inLeft));
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
}

// Length of the UTF-8 sequence starting with `lead` (1 for a stray byte).
std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0)
        return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2)
        return 2;
    return 1;
}

}  // namespace

Cp932Codec::Cp932Codec() : toCp932_(iconv_open("CP932", "UTF-8")), fromCp932_(iconv_open("UTF-8", "CP932")) {}

Cp932Codec::~Cp932Codec()
{
    for (iconv_t cd : {toCp932_, fromCp932_}) {
        if (cd != kNoConverter)
            iconv_close(cd);
    }
}

std::string Cp932Codec::encode(std::string_view utf8) const
{
    return convert(toCp932_, utf8, [](std::string& out, std::string_view rest) {
        out += '?';
        const std::size_t length = utf8SequenceLength(static_cast<unsigned char>(rest.front()));
        return length <= rest.size() ? length : rest.size();
    });
}

std::string Cp932Codec::decode(std::string_view bytes) const
{
    return convert(fromCp932_, bytes, [](std::string& out, std::string_view) {
        out += kReplacementCharacter;
        return std::size_t{1};
    });
}

std::size_t Cp932Codec::fitPrefix(std::string_view encoded, std::size_t limit) const
{
    return fitCp932Prefix(encoded, limit);
}

}  // namespace tavlo
