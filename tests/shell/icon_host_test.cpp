#include "shell/icon_host.h"

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

struct HostsRow {
    NotificationHost fixed;
    bool statusNotifierHost;
    bool xembedTray;
    bool newProcess;
};

class NeedsNewProcess : public ::testing::TestWithParam<HostsRow> {};

TEST_P(NeedsNewProcess, OnlyWhenTheFixedKindIsGoneAndTheOtherRuns)
{
    const HostsRow& row = GetParam();
    EXPECT_EQ(needsNewProcess(row.fixed, row.statusNotifierHost, row.xembedTray), row.newProcess);
}

using enum NotificationHost;
INSTANTIATE_TEST_SUITE_P(EveryHostAndEveryFixedKind, NeedsNewProcess,
    ::testing::Values(
        // No icon made yet: the first icon goes to whatever runs.
        HostsRow{None, false, false, false}, HostsRow{None, true, false, false}, HostsRow{None, false, true, false},
        HostsRow{None, true, true, false},
        // Fixed on D-Bus: an XEmbed tray alone needs a new process; no host
        // at all (a panel between its end and its start) does not.
        HostsRow{StatusNotifierItem, false, false, false}, HostsRow{StatusNotifierItem, true, false, false},
        HostsRow{StatusNotifierItem, false, true, true}, HostsRow{StatusNotifierItem, true, true, false},
        // Fixed on XEmbed: the same, the other way round.
        HostsRow{XEmbed, false, false, false}, HostsRow{XEmbed, true, false, true},
        HostsRow{XEmbed, false, true, false}, HostsRow{XEmbed, true, true, false}),
    [](const ::testing::TestParamInfo<HostsRow>& named) {
        const HostsRow& row = named.param;
        const char* fixed = row.fixed == None ? "NoIconYet" : row.fixed == XEmbed ? "FixedXEmbed" : "FixedSni";
        return std::string(fixed) + (row.statusNotifierHost ? "_Sni" : "_NoSni")
            + (row.xembedTray ? "_Tray" : "_NoTray");
    });

}  // namespace
}  // namespace tavlo
