// Settings records of any bytes: decoded, trimmed, read as numbers and
// colours the way the display reads them, and encoded again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/number_text.h"
#include "core/settings_record.h"
#include "platform/linux/cp932_codec.h"

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const Cp932Codec codec;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    SettingsStore store;
    decodeRecord(bytes, codec, store);
    trimPersistedFields(store);
    for (const std::string* field : {&store.WTop, &store.WLeft, &store.AllClor, &store.DATEClor, &store.TimeClor,
             &store.CClor, &store.RClor, &store.DClor, &store.DSClor, &store.CVw, &store.MVw, &store.ClFntN,
             &store.ClFntSt, &store.BClor, &store.RTUl}) {
        const double lenient = leadingNumberValue(*field);
        formatWhole(lenient);
        formatTenths(lenient);
        formatShortest(lenient);
        formatSingle(static_cast<float>(lenient));
        if (const auto strict = strictNumber(*field))
            formatTenths(*strict);
        strictColour(*field);
    }
    // Whatever was read is written back as exactly one record.
    if (encodeRecord(store, codec).size() != 322)
        std::abort();
    return 0;
}
