#include "core/settings_store.h"

namespace tavlo {

bool allColourFieldsEmpty(const SettingsStore& store)
{
    return store.AllClor.empty() && store.DATEClor.empty() && store.TimeClor.empty() && store.CClor.empty()
        && store.RClor.empty() && store.DClor.empty() && store.DSClor.empty();
}

std::string_view clockStyleWord(bool bold, bool italic)
{
    for (const ClockStyle& style : kClockStyles) {
        if (style.bold == bold && style.italic == italic)
            return style.word;
    }
    return {};
}

void setDateFields(const LocalDateTime& today, SettingsStore& store)
{
    store.txtYY = std::to_string(today.year);
    store.txtMM = std::to_string(today.month);
    store.txtDD = std::to_string(today.day);
}

}  // namespace tavlo
