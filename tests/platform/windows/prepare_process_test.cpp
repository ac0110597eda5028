#include <windows.h>

#include <gtest/gtest.h>

#include "platform/os_services.h"

namespace tavlo {
namespace {

TEST(PrepareProcess, NoSystemDialogAsksForAMissingDisk)
{
    prepareProcess();
    const UINT mode = GetErrorMode();
    EXPECT_TRUE(mode & SEM_FAILCRITICALERRORS);
    EXPECT_TRUE(mode & SEM_NOOPENFILEERRORBOX);
}

}  // namespace
}  // namespace tavlo
