#include "shell/qt/gadget_session.h"

#include <gtest/gtest.h>

#include "shell/qt/gadget_window.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

TEST(GadgetSession, LoadShowsThePlacedWindow)
{
    testing::FakeServices fake;
    GadgetSession session(fake.services);
    ASSERT_TRUE(session.load());
    EXPECT_TRUE(session.window().isVisible());
    EXPECT_EQ(session.window().geometry(), QRect(759, 59, 242, 237));
}

TEST(GadgetSession, ARefusedLoadShowsNoWindowAndAsksToEnd)
{
    testing::FakeServices fake;
    fake.instance.otherRunning = true;
    GadgetSession session(fake.services);
    EXPECT_FALSE(session.load());
    EXPECT_FALSE(session.window().isVisible());
    EXPECT_EQ(fake.notifier.messages, std::vector<std::string>{"既に起動されています。"});
}

TEST(GadgetSession, CloseRemovesTheIconAndRequestsTheEnd)
{
    testing::FakeServices fake;
    GadgetSession session(fake.services);
    session.load();
    bool ended = false;
    QObject::connect(&session, &GadgetSession::endRequested, [&] { ended = true; });
    session.cmdClose();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(session.form().view.tray.present);
}

}  // namespace
}  // namespace tavlo
