#include "platform/windows/mutex_instance_lock.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(MutexInstanceLock, TheFirstHoldsTheNameUntilItEnds)
{
    const std::wstring name = MutexInstanceLock::userMutexName() + L"-test";
    {
        MutexInstanceLock first(name);
        EXPECT_FALSE(first.anotherInstanceRunning());
        EXPECT_FALSE(first.anotherInstanceRunning());  // its own lock is no other instance
        MutexInstanceLock second(name);
        EXPECT_TRUE(second.anotherInstanceRunning());
    }
    MutexInstanceLock next(name);
    EXPECT_FALSE(next.anotherInstanceRunning());
}

TEST(MutexInstanceLock, IsNamedPerUserInTheSessionsNamespace)
{
    const std::wstring name = MutexInstanceLock::userMutexName();
    EXPECT_EQ(name.rfind(L"Local\\Tavlo-S-1-", 0), 0u) << std::string(name.begin(), name.end());
}

}  // namespace
}  // namespace tavlo
