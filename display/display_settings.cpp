#include "display/display_settings.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "core/number_text.h"
#include "display/layout.h"
#include "display/moon_age.h"
#include "display/window_place.h"

namespace tavlo {
namespace {

using LabelMember = LabelView GadgetView::*;
using BarMember = BarView GadgetView::*;

// The elements that one colour setting governs: label texts, and bars with
// their frames.
struct ColourGroup {
    std::string SettingsStore::*setting;
    std::initializer_list<LabelMember> labels;
    std::initializer_list<BarMember> bars;
};

const ColourGroup kAllGroup{&SettingsStore::AllClor,
    {&GadgetView::lblDate, &GadgetView::lblTime, &GadgetView::Label1, &GadgetView::lblCPer, &GadgetView::Label2,
        &GadgetView::lblRamT, &GadgetView::Label5, &GadgetView::lblRTotal, &GadgetView::lblRPer, &GadgetView::Label3,
        &GadgetView::lblDPer, &GadgetView::Label4, &GadgetView::lblDSPer},
    {&GadgetView::PrscrTime, &GadgetView::RamT, &GadgetView::DiskTime, &GadgetView::DSpce}};

// Applied in this order, after the common colour, so that each overrides it.
const std::initializer_list<ColourGroup> kItemGroups{
    {&SettingsStore::DATEClor, {&GadgetView::lblDate}, {}},
    {&SettingsStore::TimeClor, {&GadgetView::lblTime}, {}},
    {&SettingsStore::CClor, {&GadgetView::Label1, &GadgetView::lblCPer}, {&GadgetView::PrscrTime}},
    {&SettingsStore::RClor,
        {&GadgetView::Label2, &GadgetView::lblRamT, &GadgetView::Label5, &GadgetView::lblRTotal, &GadgetView::lblRPer},
        {&GadgetView::RamT}},
    {&SettingsStore::DClor, {&GadgetView::Label3, &GadgetView::lblDPer}, {&GadgetView::DiskTime}},
    {&SettingsStore::DSClor, {&GadgetView::Label4, &GadgetView::lblDSPer}, {&GadgetView::DSpce}},
};

// An empty setting applies nothing; a text that is not a whole number leaves
// the colours as they are.
void applyColourGroup(const ColourGroup& group, const SettingsStore& store, GadgetView& view)
{
    const std::string& text = store.*group.setting;
    if (text.empty())
        return;
    const auto colour = strictColour(text);
    if (!colour)
        return;
    for (LabelMember label : group.labels)
        (view.*label).colour = *colour;
    for (BarMember bar : group.bars) {
        (view.*bar).fill = *colour;
        (view.*bar).border = *colour;
        (view.*bar).frameBorder = *colour;
    }
}

void applyClockStyle(const std::string& style, GadgetView& view)
{
    const auto* const known = std::find_if(
        kClockStyles.begin(), kClockStyles.end(), [&style](const ClockStyle& entry) { return entry.word == style; });
    if (known == kClockStyles.end())
        return;
    for (LabelMember label : {&GadgetView::lblDate, &GadgetView::lblTime}) {
        (view.*label).font.bold = known->bold;
        (view.*label).font.italic = known->italic;
    }
}

void applyClockBlock(SettingsStore& store, GadgetView& view)
{
    if (store.CVw == "off") {
        view.lblDate.visible = false;
        view.lblTime.visible = false;
    }
    if (store.CVw.empty())
        store.CVw = "on";
    if (store.CVw != "on")
        return;
    view.lblDate.visible = true;
    view.lblTime.visible = true;
    const std::string face = store.ClFntN.empty() ? std::string(kDefaultClockFace) : store.ClFntN;
    view.lblDate.font.face = face;
    view.lblTime.font.face = face;
    if (store.ClFntSt.empty())
        store.ClFntSt = "太字";
    else
        applyClockStyle(store.ClFntSt, view);
}

void applyMoonBlock(SettingsStore& store, GadgetView& view, const LocalDateTime& now)
{
    if (store.MVw.empty())
        store.MVw = "on";
    setMoonAgeText(store, view, "");
    if (store.MVw == "on") {
        setDateFields(now, store);
        store.txtFDay = store.txtDD;
        CalcMoonAge(store, view);
    } else {
        view.moonVisible.fill(false);
    }
}

}  // namespace

Colour derivedColourKey(Colour textColour)
{
    return textColour < 15 ? textColour + 10 : textColour - 10;
}

void ApplyDisplaySettings(SettingsStore& store, GadgetView& view, const Screen& screen, const LocalDateTime& now)
{
    placeAtStoredPlace(store, screen, view.window);

    if (!store.RTUl.empty()) {
        view.lblRTotal.text = store.RTUl + " (MB)";
        store.lblMClr = formatWhole(leadingNumberValue(store.RTUl) * 1047500 * 0.007465446);
    }

    applyColourGroup(kAllGroup, store, view);

    if (store.BClor.empty()) {
        const Colour key = derivedColourKey(view.lblTime.colour);
        store.BClor = std::to_string(key);
        view.window.colourKey = key;
    } else if (const auto key = strictColour(store.BClor)) {
        view.window.colourKey = *key;
    }

    for (const ColourGroup& group : kItemGroups)
        applyColourGroup(group, store, view);

    applyClockBlock(store, view);
    applyMoonBlock(store, view, now);
    view.window.visible = true;
}

void ApplyFirstRunDefaults(SettingsStore& store, GadgetView& view, const Screen& screen)
{
    view.window.top = defaultTop(screen);
    view.window.left = defaultLeft(screen, view.window.width);
    const Colour key = view.lblTime.colour - 10;
    store.BClor = std::to_string(key);
    view.window.colourKey = key;
    store.CVw = "on";
    store.MVw = "on";
    store.ClFntN = std::string(kDefaultClockFace);
    store.ClFntSt = "標準";
    CalcMoonAge(store, view);
    view.window.visible = true;
}

}  // namespace tavlo
