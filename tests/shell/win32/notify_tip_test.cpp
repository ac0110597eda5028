#include "shell/win32/notify_tip.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

// NOTIFYICONDATAW's szTip holds 128 units with the terminating zero.
constexpr std::size_t kTipCapacity = 128;

struct TipRow {
    std::string tip;
    std::wstring shown;
};

class IconTip : public testing::TestWithParam<TipRow> {};

TEST_P(IconTip, ShowsTheViewsTipInTheIconsField)
{
    EXPECT_EQ(notifyTipText(GetParam().tip, kTipCapacity), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Tips, IconTip,
    testing::Values(TipRow{"Tavlo", L"Tavlo"},
        // The logic's lines end in CR; the tip breaks its lines at LF.
        TipRow{"CPU 12%\rRAM 40%\rディスク 3%", L"CPU 12%\nRAM 40%\nディスク 3%"},
        TipRow{std::string(200, 'a'), std::wstring(127, L'a')},
        // A character beyond the 16 bits does not lose its second half alone.
        TipRow{std::string(126, 'a') + "𠮷", std::wstring(126, L'a')},
        TipRow{std::string(125, 'a') + "𠮷", std::wstring(125, L'a') + L"𠮷"}, TipRow{"", L""}));

TEST(IconTip, FitsNoFieldAtAll)
{
    EXPECT_EQ(notifyTipText("Tavlo", 0), L"");
    EXPECT_EQ(notifyTipText("Tavlo", 1), L"");
}

}  // namespace
}  // namespace tavlo
