#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "display/layout.h"
#include "platform/linux/cp932_codec.h"
#include "shell/qt/gadget_session.h"
#include "shell/qt/gadget_window.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = fs::path(TAVLO_TEST_DATA) / "settings";

std::vector<std::string> fixtureNames()
{
    std::vector<std::string> names{"10-megabytes"};
    for (const fs::directory_entry& entry : fs::directory_iterator(kFixtures)) {
        if (entry.path().extension() == ".qvn")
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string fixture(const std::string& name)
{
    // Too big to keep: a good record with 10 MB of 0xFF behind it.
    if (name == "10-megabytes") {
        std::ifstream in(kFixtures / "size-322.qvn", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {}) + std::string(10 << 20, '\xFF');
    }
    std::ifstream in(kFixtures / (name + ".qvn"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class OddSettingsFile : public ::testing::TestWithParam<std::string> {};

// The gadget starts from the file, ticks in the refresh mode it chose and
// paints; the window stands on the screen and every bar within its frame.
TEST_P(OddSettingsFile, StartsTheGadgetWithSaneValues)
{
    const Cp932Codec codec;
    testing::FakeServices fake(codec);
    fake.files.files[fake.settingsPath()] = fixture(GetParam());
    fake.counters.values = {{1, 45}, {2, 1200}, {3, 7}, {4, 30}};
    GadgetSession session(fake.services);
    ASSERT_TRUE(session.load());
    for (int tick = 0; tick < 3; ++tick) {
        MainWindow& form = session.mainWindow();
        if (form.timers.TmrR.ticking())
            form.TmrR_Timer();
        else
            form.TmrN_Timer();
        session.window().sync();
    }

    const GadgetView& view = session.mainWindow().view;
    EXPECT_TRUE(session.window().isVisible());
    EXPECT_TRUE(QRect(0, 0, 800, 800).intersects(session.window().geometry()));
    for (const BarView* bar : {&view.PrscrTime, &view.RamT, &view.DiskTime, &view.DSpce}) {
        EXPECT_TRUE(std::isfinite(bar->width));
        EXPECT_GE(bar->width, 0);
        EXPECT_LE(bar->width, kFullBarWidth);
    }
    EXPECT_FALSE(session.window().grab().isNull());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, OddSettingsFile, ::testing::ValuesIn(fixtureNames()),
    [](const ::testing::TestParamInfo<std::string>& row) {
        std::string name = row.param;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

}  // namespace
}  // namespace tavlo
