#include "platform/windows/mutex_instance_lock.h"

#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <functional>

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

// What already holds the lock's name when the program starts.
struct Holder {
    const char* name;
    std::function<HANDLE(const wchar_t* name)> make;
    bool anotherInstance;
    friend void PrintTo(const Holder& row, std::ostream* out) { *out << row.name; }
};

// A mutex whose DACL grants nobody anything: this process is kept out of
// it as a copy that runs without elevation is kept out of the elevated
// first copy's.
HANDLE closedMutex(const wchar_t* name)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:", SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, FALSE, name);
    LocalFree(descriptor);
    return mutex;
}

class MutexInstanceLockHolders : public ::testing::TestWithParam<Holder> {};

TEST_P(MutexInstanceLockHolders, TellsAnotherInstanceOnlyByItsMutex)
{
    const std::wstring name = MutexInstanceLock::userMutexName() + L"-held";
    HANDLE held = GetParam().make(name.c_str());
    ASSERT_NE(held, nullptr) << GetLastError();
    {
        MutexInstanceLock lock(name);
        EXPECT_EQ(lock.anotherInstanceRunning(), GetParam().anotherInstance);
    }
    CloseHandle(held);
}

INSTANTIATE_TEST_SUITE_P(Names, MutexInstanceLockHolders,
    ::testing::Values(Holder{"OpenMutex", [](const wchar_t* name) { return CreateMutexW(nullptr, FALSE, name); }, true},
        Holder{"MutexClosedToThisProcess", closedMutex, true},
        // Not a mutex at all (CreateMutexW fails with ERROR_INVALID_HANDLE):
        // no lock to be had, so the program runs unlocked.
        Holder{"EventOfTheSameName", [](const wchar_t* name) { return CreateEventW(nullptr, FALSE, FALSE, name); },
            false}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavlo
