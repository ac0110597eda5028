#include "shell/qt/gadget_window.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(GadgetWindow, FollowsTheGeometryAndVisibilityOfTheView)
{
    GadgetView view;
    view.window = {11380, 11520.0 / 13, 3630, 3555, false, 12632246};
    GadgetWindow window(view);
    window.sync();
    EXPECT_EQ(window.size(), QSize(242, 237));
    EXPECT_EQ(window.pos(), QPoint(759, 59));  // 758.67 and 59.08 pixels, rounded
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);

    view.window.visible = true;
    view.window.left = -45;
    view.window.height = 4350;
    window.sync();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(-3, 59));  // off the screen's edge, as stored
    EXPECT_EQ(window.size(), QSize(242, 290));
}

}  // namespace
}  // namespace tavlo
