#include "core/settings_record.h"

#include <algorithm>

namespace tavlo {

std::uint64_t recordCount(std::uint64_t length)
{
    const std::uint64_t whole = length / kRecordSize;
    const std::uint64_t rest = length % kRecordSize;
    if (rest * 2 > kRecordSize || (rest * 2 == kRecordSize && whole % 2 == 1))
        return whole + 1;
    return whole;
}

void decodeRecord(std::string_view bytes, const TextCodec& codec, SettingsStore& store)
{
    for (const PersistedField& field : kPersistedFields) {
        std::string raw(field.width, ' ');
        if (field.offset < bytes.size())
            raw.replace(0, std::min(field.width, bytes.size() - field.offset), bytes.substr(field.offset, field.width));
        if (const auto zero = raw.find('\0'); zero != std::string::npos)
            raw.resize(zero);
        store.*field.member = codec.decode(raw);
    }
}

void trimPersistedFields(SettingsStore& store)
{
    for (const PersistedField& field : kPersistedFields) {
        std::string& text = store.*field.member;
        const auto last = text.find_last_not_of(' ');
        text.resize(last == std::string::npos ? 0 : last + 1);
    }
}

std::string encodeRecord(const SettingsStore& store, const TextCodec& codec)
{
    std::string record(kRecordSize, ' ');
    for (const PersistedField& field : kPersistedFields) {
        const std::string encoded = codec.encode(store.*field.member);
        const std::size_t kept = codec.fitPrefix(encoded, field.width);
        record.replace(field.offset, kept, encoded, 0, kept);
    }
    return record;
}

}  // namespace tavlo
