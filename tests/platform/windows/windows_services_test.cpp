#include "platform/windows/windows_services.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

// The services the gadget starts with, as the program makes them: each one
// answers on this system.
TEST(WindowsServices, EveryServiceTheGadgetStartsWithAnswers)
{
    const std::unique_ptr<OsServices> services = makeOsServices();
    EXPECT_FALSE(services->session().userName().empty());
    EXPECT_EQ(services->session().separator(), '\\');
    EXPECT_EQ(services->codec().encode("月齢"), "\x8c\x8e\x97\xee");
    const auto figures = services->memory().read();
    ASSERT_TRUE(figures);
    EXPECT_GT(figures->totalBytes, figures->availableBytes);
    const auto freeSpace = services->counters().read(kFreeSpaceCounter);
    ASSERT_TRUE(freeSpace);
    EXPECT_GT(*freeSpace, 0);
    EXPECT_LE(*freeSpace, 100);
    EXPECT_TRUE(services->recycleBin().asksItself());
    EXPECT_EQ(services->toolPrograms().directory(), "c:\\");
}

}  // namespace
}  // namespace tavlo
