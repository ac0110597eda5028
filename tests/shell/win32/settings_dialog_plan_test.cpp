#include "shell/win32/settings_dialog_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tavlo {
namespace {

const DialogControlSpec& named(const std::vector<DialogControlSpec>& plan, std::string_view name)
{
    const auto index = settingsControlNamed(name);
    EXPECT_TRUE(index.has_value()) << name;
    return plan.at(index.value_or(0));
}

// Places a user sees: a control deep in two groups stands at the sum of
// their corners, each edge rounded once, at Windows' 96 DPI and at 150 %.
struct PlaceRow {
    unsigned dpi;
    std::string_view name;
    PixelRect rect;
};

TEST(SettingsDialogPlan, PlacesControlsInTheDialogsClientAreaAtTheSystemDpi)
{
    const PlaceRow rows[] = {
        {96, "Command6", {283, 316, 80, 26}},  // "保存", at Frame1's corner plus its own
        {96, "Text1", {92, 112, 60, 18}},      // the date swatch in Frame4 in Frame1
        {144, "Command6", {425, 474, 120, 39}},
        {144, "Text1", {138, 168, 90, 27}},
    };
    for (const PlaceRow& row : rows) {
        const auto plan = settingsDialogPlan(DpiScale(row.dpi));
        EXPECT_EQ(named(plan, row.name).rect, row.rect) << row.name << " at " << row.dpi;
    }
    EXPECT_EQ(settingsDialogClient(DpiScale(96)), (PixelRect{0, 0, 561, 352}));
    EXPECT_EQ(settingsDialogClient(DpiScale(144)), (PixelRect{0, 0, 842, 528}));
}

TEST(SettingsDialogPlan, EveryControlHasItsOwnIdThatLeadsBackToIt)
{
    const auto plan = settingsDialogPlan(DpiScale(96));
    ASSERT_EQ(plan.size(), kSetupControls.size());
    std::set<int> ids;
    for (const DialogControlSpec& spec : plan) {
        EXPECT_GE(spec.id, 100) << "below 100 are IDOK, IDCANCEL and their kin";
        EXPECT_TRUE(ids.insert(spec.id).second);
        EXPECT_EQ(settingsControlOfId(spec.id), spec.index);
        EXPECT_EQ(spec.placement, &kSetupControls[spec.index]);
        EXPECT_TRUE(spec.style & WS_CHILD);
        EXPECT_TRUE(spec.style & WS_VISIBLE);
    }
    EXPECT_FALSE(settingsControlOfId(0));
    EXPECT_FALSE(settingsControlOfId(IDCANCEL));
    EXPECT_FALSE(settingsControlOfId(100 + static_cast<int>(kSetupControls.size())));
}

TEST(SettingsDialogPlan, ControlsAreMadeOfTheWindowClassesTheirKindNeeds)
{
    const auto plan = settingsDialogPlan(DpiScale(96));
    const auto classOf = [&](std::string_view name) { return std::wstring(named(plan, name).className); };
    EXPECT_EQ(classOf("Frame1"), L"Button");
    EXPECT_EQ(named(plan, "Frame1").style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
    // A click on a check box only tells the dialog, whose state then checks
    // one of the two.
    EXPECT_EQ(named(plan, "Check1").style & BS_TYPEMASK, static_cast<DWORD>(BS_CHECKBOX));
    EXPECT_EQ(named(plan, "Command21").style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(classOf("RTUl"), L"Edit");
    EXPECT_TRUE(named(plan, "RTUl").extendedStyle & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(named(plan, "Label30").style & SS_NOTIFY) << "the link hears clicks";
    // An editable combo, whose height takes in its drop-down list.
    const DialogControlSpec& combo = named(plan, "cboCVw");
    EXPECT_EQ(classOf("cboCVw"), L"ComboBox");
    EXPECT_EQ(combo.style & 3, static_cast<DWORD>(CBS_DROPDOWN));
    EXPECT_GT(combo.rect.height, DpiScale(96).whole(combo.placement->rect.height) * 2);
}

TEST(SettingsDialogPlan, GroupsFrameTheControlsWithinThemAtAnyDepth)
{
    const auto index = [](std::string_view name) { return settingsControlNamed(name).value(); };
    EXPECT_TRUE(settingsControlWithin(index("Text1"), "Frame4"));
    EXPECT_TRUE(settingsControlWithin(index("Text1"), "Frame1"));
    EXPECT_FALSE(settingsControlWithin(index("Text1"), "Frame3"));
    EXPECT_TRUE(settingsControlWithin(index("delete-all"), "Frame3"));
    EXPECT_FALSE(settingsControlWithin(index("Frame4"), "Frame4"));
    EXPECT_FALSE(settingsControlWithin(index("Frame1"), "Frame1"));
    EXPECT_FALSE(settingsControlNamed(""));
    EXPECT_FALSE(settingsControlNamed("Command99"));
}

// The controls Tab reaches, in the order it reaches them; the group boxes,
// which take no keyboard, stand below every other control.
std::vector<std::string_view> tabStops(const std::vector<DialogControlSpec>& plan)
{
    std::vector<std::string_view> names;
    for (const DialogControlSpec& spec : plan) {
        if (spec.style & WS_TABSTOP)
            names.push_back(spec.placement->name);
    }
    return names;
}

TEST(SettingsDialogPlan, TabGoesThroughTheControlsAsTheyStandFromTheTopLeft)
{
    const std::vector<std::string_view> expected{"Check1", "browse-all", "delete-all", "Check2", "browse-date",
        "delete-date", "browse-time", "delete-time", "browse-c", "delete-c", "browse-r", "delete-r", "browse-d",
        "delete-d", "browse-ds", "delete-ds", "Command21", "cboCVw", "Command17", "ClFntN", "ClFntSt", "cboMVw", "RTUl",
        "Command6", "Command5", "cmdUnld"};
    EXPECT_EQ(tabStops(settingsDialogPlan(DpiScale(96))), expected);
}

TEST(SettingsDialogPlan, ArrowKeysStayWithinACheckBoxOrTheControlsOfOneFrame)
{
    // The runs of tab stops between WS_GROUP marks, in the z-order the
    // dialog builds: every control in the table's order, the groups last.
    auto plan = settingsDialogPlan(DpiScale(96));
    std::stable_partition(plan.begin(), plan.end(),
        [](const DialogControlSpec& spec) { return spec.placement->kind != ControlKind::Group; });
    std::vector<std::vector<std::string_view>> runs;
    for (const DialogControlSpec& spec : plan) {
        if ((spec.style & WS_GROUP) || runs.empty())
            runs.emplace_back();
        if (spec.style & WS_TABSTOP)
            runs.back().push_back(spec.placement->name);
    }
    std::erase_if(runs, [](const auto& run) { return run.empty(); });
    const std::vector<std::vector<std::string_view>> expected{
        {"Check1"},
        {"browse-all", "delete-all"},
        {"Check2"},
        {"browse-date", "delete-date", "browse-time", "delete-time", "browse-c", "delete-c", "browse-r", "delete-r",
            "browse-d", "delete-d", "browse-ds", "delete-ds"},
        {"Command21"},
        {"cboCVw", "Command17", "ClFntN", "ClFntSt", "cboMVw"},
        {"RTUl"},
        {"Command6", "Command5", "cmdUnld"},
    };
    EXPECT_EQ(runs, expected);
    EXPECT_TRUE(plan.front().style & WS_GROUP) << "the first control starts the first run";
}

TEST(SettingsDialogPlan, EnterPressesSaveAlone)
{
    std::vector<std::string_view> defaults;
    for (const DialogControlSpec& spec : settingsDialogPlan(DpiScale(96))) {
        if (spec.placement->kind == ControlKind::Button
            && (spec.style & BS_TYPEMASK) == static_cast<DWORD>(BS_DEFPUSHBUTTON))
            defaults.push_back(spec.placement->name);
    }
    EXPECT_EQ(defaults, std::vector<std::string_view>{"Command6"});
    EXPECT_EQ(kSettingsDefaultButton, "Command6");
}

// Space on the focused box repeats the mode in force, which keeps its
// colours; the other box would throw them away.
struct FocusRow {
    const char* name;
    SettingsStore store;
    std::string_view focus;
    friend void PrintTo(const FocusRow& row, std::ostream* out) { *out << row.name; }
};

class OpeningFocus : public testing::TestWithParam<FocusRow> {};

TEST_P(OpeningFocus, StartsOnTheBoxOfTheColourModeInForce)
{
    SettingsDialogState state;
    state.Form_Load(GetParam().store);
    EXPECT_EQ(settingsOpeningFocus(state), GetParam().focus);
}

SettingsStore storeWith(std::string SettingsStore::*field, std::string value)
{
    SettingsStore store;
    store.*field = std::move(value);
    return store;
}

INSTANTIATE_TEST_SUITE_P(Modes, OpeningFocus,
    testing::Values(FocusRow{"NoColour", SettingsStore(), "Check1"},
        FocusRow{"CommonColour", storeWith(&SettingsStore::AllClor, "255"), "Check1"},
        FocusRow{"DateColour", storeWith(&SettingsStore::DATEClor, "255"), "Check2"},
        FocusRow{"NoModeWithACpuColour", storeWith(&SettingsStore::CClor, "255"), "Check1"}));

}  // namespace
}  // namespace tavlo
