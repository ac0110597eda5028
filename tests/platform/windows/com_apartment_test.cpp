#include "platform/windows/com_apartment.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

namespace tavlo {
namespace {

// The thread's apartment: "STA", "MTA", or "none".
std::string apartmentOfThisThread()
{
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    if (CoGetApartmentType(&type, &qualifier) == CO_E_NOTINITIALIZED)
        return "none";
    // The process's first single-threaded apartment is its main one.
    return type == APTTYPE_STA || type == APTTYPE_MAINSTA ? "STA" : type == APTTYPE_MTA ? "MTA" : "other";
}

// How the thread runs COM before the apartment is made, and after it ends.
struct Before {
    const char* name;
    std::optional<COINIT> model;  // what the thread started COM with, if anything
    const char* during;
    const char* after;
    friend void PrintTo(const Before& row, std::ostream* out) { *out << row.name; }
};

class ComApartmentThreads : public ::testing::TestWithParam<Before> {};

// Each on a fresh thread, whose COM the test starts and stops itself.
TEST_P(ComApartmentThreads, StartsComForItsLifeAndLeavesTheThreadsOwnAsItWas)
{
    const Before& row = GetParam();
    std::thread([&] {
        const bool started = row.model && SUCCEEDED(CoInitializeEx(nullptr, *row.model));
        ASSERT_EQ(started, row.model.has_value());
        {
            const ComApartment com;
            EXPECT_EQ(apartmentOfThisThread(), row.during);
        }
        EXPECT_EQ(apartmentOfThisThread(), row.after);
        if (started)
            CoUninitialize();
        EXPECT_EQ(apartmentOfThisThread(), "none");
    }).join();
}

INSTANTIATE_TEST_SUITE_P(Threads, ComApartmentThreads,
    ::testing::Values(Before{"WithoutCom", std::nullopt, "STA", "none"},
        Before{"SingleThreaded", COINIT_APARTMENTTHREADED, "STA", "STA"},  // S_FALSE, matched by a stop
        Before{"MultiThreaded", COINIT_MULTITHREADED, "MTA", "MTA"}),      // RPC_E_CHANGED_MODE: left alone
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavlo
