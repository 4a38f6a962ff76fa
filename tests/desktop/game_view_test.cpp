// The picture the player sees: the band of the frame buffer through its colour table, stretched
// without smoothing, and the status strip with its centred text.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "gfx/bitmap8.h"
#include "gfx/status_text.h"
#include "hosts/desktop/game_view.h"
#include "race/game_state.h"

namespace vantrell::desktop {
namespace {

// A 96 x 416 frame buffer whose band rows carry their row number as colour and whose colour
// table is a recognisable ramp.
void MakeFrame(Bitmap8& frame) {
    frame.Resize(96, 416);
    for (int i = 0; i < 256; ++i) {
        frame.Colours()[i] = RgbQuad{.blue = static_cast<uint8_t>(i / 2),
                                     .green = static_cast<uint8_t>(i),
                                     .red = static_cast<uint8_t>(255 - i)};
    }
    for (int y = 0; y < 416; ++y) {
        for (int x = 0; x < 96; ++x) {
            *frame.PixelAddress(x, y) = static_cast<uint8_t>(y < 108 || y > 227 ? 255 : y - 100);
        }
    }
    *frame.PixelAddress(95, 108) = 200;  // top right corner of the band
}

TEST(GameViewTest, BandIsRows108To227ThroughTheColourTable) {
    Bitmap8 frame;
    MakeFrame(frame);
    const QImage band = BandImage(frame);
    ASSERT_EQ(band.size(), QSize(96, 120));
    EXPECT_EQ(band.format(), QImage::Format_Indexed8);
    EXPECT_EQ(band.pixelIndex(0, 0), 8);      // frame row 108
    EXPECT_EQ(band.pixelIndex(0, 119), 127);  // frame row 227
    EXPECT_EQ(band.pixelIndex(95, 0), 200);
    EXPECT_EQ(band.pixel(0, 119), qRgb(128, 127, 63));

    Bitmap8 small;  // too small for the band: the rest stays index 0
    small.Resize(16, 16);
    const QImage empty = BandImage(small);
    EXPECT_EQ(empty.size(), QSize(96, 120));
    EXPECT_EQ(empty.pixelIndex(50, 60), 0);
}

TEST(GameViewTest, StretchesWithHardEdgesAboveTheStrip) {
    Bitmap8 frame;
    MakeFrame(frame);
    GameView view;
    view.resize(96 * 3, 120 * 2 + 22);
    view.Present(frame);
    const QImage shot = view.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(288, 262));
    // Each band pixel becomes a 3 x 2 block of exactly its colour: no blending at the seams.
    EXPECT_EQ(shot.pixel(0, 0), qRgb(247, 8, 4));
    EXPECT_EQ(shot.pixel(2, 1), qRgb(247, 8, 4));
    EXPECT_EQ(shot.pixel(0, 2), qRgb(246, 9, 4));
    EXPECT_EQ(shot.pixel(287, 0), qRgb(55, 200, 100));
    EXPECT_EQ(shot.pixel(284, 1), qRgb(247, 8, 4));
    EXPECT_EQ(shot.pixel(10, 239), qRgb(128, 127, 63));
    // The strip below is black with no text.
    EXPECT_EQ(shot.pixel(10, 240), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(150, 261), qRgb(0, 0, 0));
}

// Columns of the strip holding any bright pixel.
std::pair<int, int> TextSpan(const QImage& shot, int stripTop) {
    int left = shot.width();
    int right = -1;
    for (int y = stripTop; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qGray(shot.pixel(x, y)) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return {left, right};
}

TEST(GameViewTest, StripTextIsCentredByItsWidthUnitsAndFollowsResizing) {
    GameView view;
    view.resize(256, 300);
    const StatusText ready = BannerText(BannerReady);  // ＲＥＡＤＹ, 10 units
    view.PaintStatus(QString::fromUtf8(ready.text.data(), ready.text.size()), ready.widthUnits);
    QImage shot = view.grab().toImage();
    auto [left, right] = TextSpan(shot, 278);
    // Five full-width letters from x = (256 - 100) / 2 = 78, within their 100-pixel cells.
    EXPECT_GE(left, 78);
    EXPECT_LE(left, 78 + 8);
    EXPECT_LE(right, 178);
    EXPECT_GE(right, 178 - 12);
    EXPECT_EQ(qGray(shot.pixel(128, 100)), qGray(QColor(Qt::gray).rgb()));  // no frame yet

    view.resize(400, 200);
    shot = view.grab().toImage();
    std::tie(left, right) = TextSpan(shot, 178);
    EXPECT_GE(left, 150);
    EXPECT_LE(right, 250);
    EXPECT_GE(right, 150 + 80);

    view.PaintStatus("", 0);
    shot = view.grab().toImage();
    EXPECT_EQ(TextSpan(shot, 178).second, -1);
}

TEST(GameViewTest, HalfWidthMeansOneShiftJisByte) {
    EXPECT_TRUE(IsHalfWidth(U'V'));
    EXPECT_TRUE(IsHalfWidth(U'-'));
    EXPECT_TRUE(IsHalfWidth(U' '));
    EXPECT_TRUE(IsHalfWidth(U'ｱ'));
    EXPECT_FALSE(IsHalfWidth(U'Ｒ'));
    EXPECT_FALSE(IsHalfWidth(U'時'));
    EXPECT_FALSE(IsHalfWidth(U'！'));
}

}  // namespace
}  // namespace vantrell::desktop
