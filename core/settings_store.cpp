#include "core/settings_store.h"

namespace tavlo {

bool allColourFieldsEmpty(const SettingsStore& store)
{
    return store.AllClor.empty() && store.DATEClor.empty() && store.TimeClor.empty() && store.CClor.empty()
        && store.RClor.empty() && store.DClor.empty() && store.DSClor.empty();
}

}  // namespace tavlo
