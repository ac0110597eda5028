#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace tavlo {

// Every setting and working value of the main window, as text. The empty text
// means "not set"; each reader converts on use (see core/number_text.h).
struct SettingsStore {
    // Persisted, in the order of the settings record.
    std::string WTop;      // top edge, twips
    std::string WLeft;     // left edge, twips
    std::string AllClor;   // one colour for every readout
    std::string DATEClor;  // date readout colour
    std::string TimeClor;  // time readout colour
    std::string CClor;     // processor group colour
    std::string RClor;     // memory group colour
    std::string DClor;     // disk-activity group colour
    std::string DSClor;    // free-space group colour
    std::string CVw;       // clock block shown: "on" / "off"
    std::string MVw;       // moon block shown: "on" / "off"
    std::string ClFntN;    // clock font face
    std::string ClFntSt;   // clock font style word
    std::string BClor;     // colour key of the window background
    std::string RTUl;      // stated physical memory size, MB

    // Working values, never persisted.
    std::string UName;                           // login name of the user
    std::string Fil;                             // full path of the settings file
    std::string txtYY, txtMM, txtDD;             // today's date
    std::string txtFDay;                         // day of month when the moon age was last set up
    std::string txtYY2, txtMM2, txtAll, txtAge;  // moon-age computation
    std::string lblMClr;                         // memory-release unit count
};

// Where a persisted field lies in the 322-byte settings record.
struct PersistedField {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
    std::string SettingsStore::*member;
};

inline constexpr std::size_t kRecordSize = 322;

inline constexpr std::array<PersistedField, 15> kPersistedFields{{
    {"WTop", 0, 6, &SettingsStore::WTop},
    {"WLeft", 6, 8, &SettingsStore::WLeft},
    {"AllClor", 14, 30, &SettingsStore::AllClor},
    {"DATEClor", 44, 30, &SettingsStore::DATEClor},
    {"TimeClor", 74, 30, &SettingsStore::TimeClor},
    {"CClor", 104, 30, &SettingsStore::CClor},
    {"RClor", 134, 30, &SettingsStore::RClor},
    {"DClor", 164, 30, &SettingsStore::DClor},
    {"DSClor", 194, 30, &SettingsStore::DSClor},
    {"CVw", 224, 6, &SettingsStore::CVw},
    {"MVw", 230, 6, &SettingsStore::MVw},
    {"ClFntN", 236, 30, &SettingsStore::ClFntN},
    {"ClFntSt", 266, 20, &SettingsStore::ClFntSt},
    {"BClor", 286, 30, &SettingsStore::BClor},
    {"RTUl", 316, 6, &SettingsStore::RTUl},
}};

// The seven colour fields whose emptiness decides the fallback after a save.
bool allColourFieldsEmpty(const SettingsStore& store);

// The clock's font style words (ClFntSt) and what each sets; any other text
// leaves the style as it is.
struct ClockStyle {
    std::string_view word;
    bool bold;
    bool italic;
};
inline constexpr std::array<ClockStyle, 4> kClockStyles{{
    {"標準", false, false},
    {"斜体", false, true},
    {"太字", true, false},
    {"太字 斜体", true, true},
}};

// The style word of a face's weight and slant.
std::string_view clockStyleWord(bool bold, bool italic);

// txtYY, txtMM and txtDD from the date of `today`.
void setDateFields(const LocalDateTime& today, SettingsStore& store);

}  // namespace tavlo
