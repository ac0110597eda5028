#include "platform/windows/win32_cp932_codec.h"

#include <windows.h>

#include "platform/cp932_bytes.h"
#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

constexpr UINT kCodePage = 932;

// The code page bytes of `wide`, or nothing when a character has no
// mapping of its own (no best fit: "∞" must not become "8").
bool encodeExactly(std::wstring_view wide, std::string& bytes)
{
    BOOL usedDefault = FALSE;
    const int size = static_cast<int>(wide.size());
    const int length
        = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    bytes.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), length, "?", nullptr);
    return true;
}

// The character of one or two code page bytes, when they are one that the
// code page defines.
bool decodeExactly(std::string_view bytes, std::wstring& wide)
{
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    return true;
}

bool isHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

std::string Win32Cp932Codec::encode(std::string_view utf8) const
{
    const std::wstring wide = toWide(utf8);
    std::string bytes;
    if (encodeExactly(wide, bytes))
        return bytes;
    // Some character has no mapping: each one, a surrogate pair included,
    // becomes a single "?".
    std::string out;
    for (std::size_t i = 0; i < wide.size();) {
        const std::size_t length = isHighSurrogate(wide[i]) && i + 1 < wide.size() ? 2 : 1;
        out += encodeExactly(std::wstring_view(wide).substr(i, length), bytes) ? bytes : "?";
        i += length;
    }
    return out;
}

std::string Win32Cp932Codec::decode(std::string_view bytes) const
{
    std::wstring wide;
    if (decodeExactly(bytes, wide))
        return toUtf8(wide);
    // A byte that starts no character of the code page becomes U+FFFD, and
    // the next byte starts afresh.
    std::wstring out;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length
            = isCp932LeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        if (decodeExactly(bytes.substr(i, length), wide)) {
            out += wide;
            i += length;
        } else {
            out += L'\xFFFD';
            ++i;
        }
    }
    return toUtf8(out);
}

std::size_t Win32Cp932Codec::fitPrefix(std::string_view encoded, std::size_t limit) const
{
    return fitCp932Prefix(encoded, limit);
}

}  // namespace tavlo
