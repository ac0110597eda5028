#include "shell/qt/gadget_renderer.h"

#include <gtest/gtest.h>

#include "display/layout.h"
#include "shell/main_window.h"
#include "shell/qt/render_cache.h"

namespace tavlo {
namespace {

constexpr Colour kKey = 12632246;  // 0xC0C0B6
const QRgb kKeyRgb = qRgb(0xB6, 0xC0, 0xC0);
const QRgb kSilverRgb = qRgb(0xC0, 0xC0, 0xC0);

class GadgetRendererTest : public ::testing::Test {
protected:
    GadgetRendererTest()
    {
        view.window = {0, 0, kWindowWidth, kNormalHeight, true, kKey};
        view.lblDate.text = "2026/12/06";
        view.lblTime.text = "18:14:27";
        view.moonVisible[15] = true;
    }

    QImage render(Backdrop backdrop = Backdrop::ColourKey, qreal ratio = 1)
    {
        return renderGadget(view, cache, ratio, backdrop);
    }

    // Pixels of exactly `rgb` within a rectangle of device-independent pixels.
    static int count(const QImage& image, const QRect& rect, QRgb rgb)
    {
        int n = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF) && qAlpha(image.pixel(x, y)) == 255;
        return n;
    }

    GadgetView view = initialGadgetView();
    RenderCache cache;
};

TEST_F(GadgetRendererTest, PaintsTheLayoutOnTheKeyColour)
{
    const QImage image = render();
    EXPECT_EQ(image.size(), QSize(242, 237));
    EXPECT_EQ(image.pixel(2, 2), kKeyRgb);                            // background
    EXPECT_EQ(image.pixel(100, 88), kSilverRgb);                      // inside the full CPU bar (48, 80, 173 x 17)
    EXPECT_EQ(image.pixel(100, 80), kSilverRgb);                      // its frame
    EXPECT_EQ(image.pixel(169, 13), qRgb(0, 0, 0));                   // the moon's black square at (168, 12)
    EXPECT_GT(count(image, QRect(24, 16, 145, 25), kSilverRgb), 50);  // the date's glyphs
    EXPECT_GT(count(image, QRect(8, 196, 41, 25), kSilverRgb), 20);   // "空き　領域" on two lines
}

TEST_F(GadgetRendererTest, BarsFillTheirShareInColoursReadAs0x00BBGGRR)
{
    view.PrscrTime.width = 0;         // an empty bar leaves only its frame
    view.RamT.width = 1297.5;         // 50 %: 86.5 pixels
    view.RamT.fill = 65280;           // green
    view.DiskTime.fill = 0x01FF0000;  // blue; the high byte is not part of the colour
    view.DSpce.fill = 255;            // red
    const QImage image = render();
    EXPECT_EQ(image.pixel(100, 88), kKeyRgb);
    EXPECT_EQ(image.pixel(48, 88), kSilverRgb);  // left edge of the frame
    EXPECT_EQ(image.pixel(100, 128), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(200, 128), kKeyRgb);
    EXPECT_EQ(image.pixel(100, 168), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(100, 208), qRgb(255, 0, 0));
}

TEST_F(GadgetRendererTest, HiddenBlocksAreNotDrawn)
{
    view.lblDate.visible = false;
    view.lblTime.visible = false;
    view.moonVisible.fill(false);
    const QImage image = render();
    EXPECT_EQ(count(image, QRect(0, 0, 242, 66), kKeyRgb), 242 * 66);
}

TEST_F(GadgetRendererTest, TheShapeKeepsEveryPixelThatShowsSomething)
{
    // Over the key for a shaped window, over nothing for a compositor.
    for (const Backdrop backdrop : {Backdrop::ColourKey, Backdrop::Transparent}) {
        QImage image = render(backdrop);
        if (backdrop == Backdrop::Transparent)
            clearKeyPixels(image, kKey);
        const WindowShape shape = shapeOf(image, kKey, backdrop);
        EXPECT_EQ(shape.width, 242);
        EXPECT_EQ(shape.height, 237);
        EXPECT_FALSE(shape.kept(2, 2));
        EXPECT_TRUE(shape.kept(100, 88));
        EXPECT_TRUE(shape.kept(169, 13));
        int kept = 0;
        for (int y = 0; y < shape.height; ++y)
            for (int x = 0; x < shape.width; ++x) {
                const QRgb pixel = image.pixel(x, y);
                const bool shows
                    = backdrop == Backdrop::ColourKey ? (pixel & 0xFFFFFF) != (kKeyRgb & 0xFFFFFF) : qAlpha(pixel) != 0;
                kept += shape.kept(x, y) == shows ? 1 : 0;
            }
        EXPECT_EQ(kept, 242 * 237);
    }
}

TEST_F(GadgetRendererTest, UnderACompositorKeyPixelsBecomeClear)
{
    view.lblTime.colour = kKey;  // a readout in the key colour is see-through too
    QImage image = render(Backdrop::Transparent);
    clearKeyPixels(image, kKey);
    EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
    EXPECT_EQ(image.pixel(100, 88), kSilverRgb);
    EXPECT_EQ(count(image, QRect(24, 42, 145, 23), kKeyRgb), 0);
    int opaque = 0;
    for (int y = 42; y < 65; ++y)
        for (int x = 24; x < 160; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    EXPECT_EQ(opaque, 0) << "the key-coloured time shows";
}

TEST_F(GadgetRendererTest, RepaintingTheChangedAreaGivesTheWholePicture)
{
    for (const Backdrop backdrop : {Backdrop::ColourKey, Backdrop::Transparent}) {
        const GadgetView before = view;
        QImage image = render(backdrop);
        view.lblTime.text = "18:14:28";
        view.lblRTotal.text = "16777 (MB)";  // runs past its label into the percentage
        view.lblRPer.text = "100%";
        view.PrscrTime.width = 1200;
        view.moonVisible.fill(false);
        view.moonVisible[16] = true;
        WindowShape shape = shapeOf(image, kKey, backdrop);
        repaintGadget(image, view, cache, backdrop, changedArea(before, view));
        RenderCache fresh;
        const QImage whole = renderGadget(view, fresh, 1, backdrop);
        EXPECT_EQ(image, whole) << (backdrop == Backdrop::ColourKey ? "key" : "transparent");
        updateShape(shape, image, kKey, changedArea(before, view), backdrop);
        EXPECT_EQ(shape.bits, shapeOf(whole, kKey, backdrop).bits);
        view = before;
    }
}

TEST_F(GadgetRendererTest, TheChangedAreaIsOnlyWhatDiffers)
{
    GadgetView after = view;
    EXPECT_TRUE(changedArea(view, after).isEmpty());
    after.lblCPer.text = "12%";
    EXPECT_EQ(changedArea(view, after), QRegion(0, 99, 242, 17));  // the row of lblCPer
    after = view;
    after.DSpce.width = 100;
    EXPECT_EQ(changedArea(view, after), QRegion(48, 200, 173, 17));
    after = view;
    after.window.colourKey = 10;
    EXPECT_EQ(changedArea(view, after), QRegion(0, 0, 242, 237));
}

TEST_F(GadgetRendererTest, DrawsSharpAtTheDevicePixelRatio)
{
    const QImage image = render(Backdrop::ColourKey, 2);
    EXPECT_EQ(image.size(), QSize(484, 474));
    EXPECT_EQ(image.devicePixelRatio(), 2);
    const WindowShape shape = shapeOf(image, kKey);  // in device pixels
    EXPECT_EQ(shape.width, 484);
    EXPECT_TRUE(shape.kept(200, 176));
    EXPECT_FALSE(shape.kept(4, 4));
}

}  // namespace
}  // namespace tavlo
