#include "shell/win32/tray_callback.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

// The icon's callback carries Windows' mouse message numbers.
TEST(TrayCallback, OpensTheMenuOnTheRightButtonAlone)
{
    struct Row {
        long long lParam;
        bool opens;
    };
    for (const Row row : {Row{0x204, true}, Row{0x205, true}, Row{0x200, false}, Row{0x201, false}, Row{0x202, false},
             Row{0x203, false}, Row{0x206, false}}) {
        EXPECT_EQ(trayCallbackOpensMenu(row.lParam), row.opens) << std::hex << row.lParam;
    }
}

}  // namespace
}  // namespace tavlo
