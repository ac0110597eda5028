#include "shell/qt/tray_icon.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(TrayIcon, TipLinesAreSeparatedByLineFeeds)
{
    EXPECT_EQ(
        tipText("2026年12月6日 18:14 月齢24日\r CPU: 5%"), QString::fromUtf8("2026年12月6日 18:14 月齢24日\n CPU: 5%"));
}

}  // namespace
}  // namespace tavlo
