// The view choices on the real window (offscreen): where the picture is drawn for each scaling
// at a few window sizes, black borders around it, the window sizes, full screen from the menu,
// and the choices kept in the settings file for the next start.
#include <gtest/gtest.h>

#include <QAction>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <cmath>

#include "desktop_test_support.h"
#include "gfx/frame_layout.h"
#include "hosts/desktop/race_panel.h"

namespace vantrell::desktop {
namespace {

using test::Pump;
using test::TestGame;

class ViewScalingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!game.haveContent) {
            GTEST_SKIP() << "no generated game directory";
        }
        game.Start();
        Pump(50);
    }

    GameView& View() { return game.Window().View(); }
    void ResizeWindow(int width, int height) {
        game.Window().resize(width, height);
        Pump(40);
    }

    TestGame game;
};

TEST_F(ViewScalingTest, EachScalingPlacesThePictureAsItPromisesAtSeveralSizes) {
    ViewMenu& choices = game.app->ViewChoices();
    EXPECT_EQ(choices.Settings().scaling, Scaling::Stretch);  // the game's own way by default
    EXPECT_TRUE(choices.ScalingItem(Scaling::Stretch).isChecked());
    EXPECT_EQ(View().PictureRect(), QRectF(View().ViewRect()));

    for (const QSize size : {QSize(256, 360), QSize(500, 400), QSize(700, 900)}) {
        ResizeWindow(size.width(), size.height());
        const QRectF view = View().ViewRect();
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());

        choices.ScalingItem(Scaling::KeepShape).trigger();
        const QRectF shape = View().PictureRect();
        EXPECT_TRUE(view.contains(shape));
        // The band's 4:5 shape to a pixel, touching two opposite sides, centred.
        EXPECT_NEAR(shape.width() * kBandHeight, shape.height() * kBandWidth, kBandHeight);
        EXPECT_TRUE(shape.width() == view.width() || shape.height() == view.height());
        EXPECT_NEAR(shape.center().x(), view.center().x(), 1.0);
        EXPECT_NEAR(shape.center().y(), view.center().y(), 1.0);

        choices.ScalingItem(Scaling::WholeMultiples).trigger();
        const QRectF whole = View().PictureRect();
        const double times = whole.width() / kBandWidth;
        EXPECT_EQ(times, std::floor(times));
        EXPECT_EQ(whole.height(), kBandHeight * times);
        EXPECT_TRUE(view.contains(whole));
        // The next multiple would not fit.
        EXPECT_TRUE(kBandWidth * (times + 1) > view.width() ||
                    kBandHeight * (times + 1) > view.height());
        EXPECT_NEAR(whole.center().x(), view.center().x(), 1.0);

        // Drawn there: black outside, the picture inside.
        Pump(40);
        const QImage shot = View().grab().toImage();
        if (whole.left() >= 2) {
            EXPECT_EQ(shot.pixel(1, static_cast<int>(view.center().y())), qRgb(0, 0, 0));
        }
        EXPECT_EQ(shot.pixel(static_cast<int>(whole.left()) + 1, static_cast<int>(whole.top()) + 1),
                  View().Band().convertToFormat(QImage::Format_RGB32).pixel(0, 0));

        choices.ScalingItem(Scaling::Stretch).trigger();
        EXPECT_EQ(View().PictureRect(), view);
    }
}

TEST_F(ViewScalingTest, WindowSizesFullScreenAndTheChoicesKeptForTheNextStart) {
    ViewMenu& choices = game.app->ViewChoices();
    choices.WindowScaleItem(2).trigger();
    Pump(40);
    // The race display's panel below keeps its own height.
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(512, 720 + RacePanel::kHeight));
    choices.WindowScaleItem(3).trigger();
    Pump(40);
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(768, 1080 + RacePanel::kHeight));
    choices.ScalingItem(Scaling::WholeMultiples).trigger();

    // The race display and the pause mark grow with the picture in full screen, and come back
    // to their size in a window.
    game.app->GameShell().TogglePause();
    const auto markHeight = [&] {
        View().grab();
        return View().PauseMarkRect().height();
    };
    const int windowedMark = markHeight();
    choices.FullScreenItem().trigger();
    Pump(40);
    EXPECT_TRUE(game.Window().isFullScreen());
    EXPECT_TRUE(choices.FullScreenItem().isChecked());
    const QSize screen = game.Window().size();
    const double grown = std::min(screen.width() / 256.0, screen.height() / (360.0 + 72.0));
    ASSERT_GT(grown, 1.5) << "a screen too small to tell";
    EXPECT_NEAR(game.Window().Panel().height(), RacePanel::kHeight * grown, 2);
    EXPECT_NEAR(markHeight(), windowedMark * grown, windowedMark * 0.2);
    choices.FullScreenItem().trigger();
    Pump(40);
    EXPECT_FALSE(game.Window().isFullScreen());
    EXPECT_FALSE(choices.FullScreenItem().isChecked());
    EXPECT_EQ(game.Window().Panel().height(), RacePanel::kHeight);
    EXPECT_EQ(markHeight(), windowedMark);
    game.app->GameShell().TogglePause();
    EXPECT_EQ(
        choices.FullScreenItem().shortcuts(),
        (QList<QKeySequence>{QKeySequence(Qt::Key_F11), QKeySequence(Qt::ALT | Qt::Key_Return),
                             QKeySequence(Qt::ALT | Qt::Key_Enter)}));

    // In the settings file beside the game speed, read back by the next start.
    QSettings stored(game.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(stored.value("view/scaling").toString(), QStringLiteral("whole-multiples"));
    EXPECT_EQ(stored.value("view/windowScale").toInt(), 3);
    const QString settingsFile = game.settingsFile;
    game.app.reset();
    game.Start();
    EXPECT_EQ(game.app->ViewChoices().Settings().scaling, Scaling::WholeMultiples);
    EXPECT_EQ(game.Window().View().CurrentScaling(), Scaling::WholeMultiples);
    EXPECT_TRUE(game.app->ViewChoices().WindowScaleItem(3).isChecked());
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(768, 1080 + RacePanel::kHeight));

    // A damaged entry reads as the default.
    game.app.reset();
    {
        QSettings damaged(settingsFile, QSettings::IniFormat);
        damaged.setValue("view/scaling", "sideways");
        damaged.setValue("view/windowScale", 9);
    }
    game.Start();
    EXPECT_EQ(game.app->ViewChoices().Settings().scaling, Scaling::Stretch);
    EXPECT_EQ(game.app->ViewChoices().Settings().windowScale, 1);
}

TEST_F(ViewScalingTest, OnlyWindowSizesThatFitTheScreenAreOffered) {
    // Qt's offscreen screen is 800 x 800 here: ×2 (512 x 792 with the race display) fits it,
    // ×3 (768 x 1152) does not.
    const QScreen* screen = game.Window().screen();
    ASSERT_NE(screen, nullptr);
    const QSize area = screen->availableGeometry().size();
    if (area != QSize(800, 800)) {
        GTEST_SKIP() << "needs the offscreen platform's 800 x 800 screen, not " << area.width()
                     << " x " << area.height();
    }
    ViewMenu& choices = game.app->ViewChoices();
    choices.OfferFittingSizes();
    EXPECT_TRUE(choices.WindowScaleItem(1).isVisible());
    EXPECT_TRUE(choices.WindowScaleItem(2).isVisible());
    EXPECT_FALSE(choices.WindowScaleItem(3).isVisible());
    // Wide at ×2 is 976 pixels wide: no longer offered either.
    choices.ChooseMode(ViewMode::Wide);
    choices.OfferFittingSizes();
    EXPECT_FALSE(choices.WindowScaleItem(2).isVisible());
    // The size in use stays in sight, checked, even where it does not fit.
    choices.ChooseWindowScale(3);
    choices.OfferFittingSizes();
    EXPECT_TRUE(choices.WindowScaleItem(3).isVisible());
    EXPECT_TRUE(choices.WindowScaleItem(3).isChecked());
    EXPECT_FALSE(choices.WindowScaleItem(2).isVisible());
}

TEST_F(ViewScalingTest, PictureModesDrawTheirBandsShapeTheWindowAndAreKept) {
    ViewMenu& choices = game.app->ViewChoices();
    EXPECT_EQ(choices.Settings().mode, ViewMode::Original);
    EXPECT_TRUE(choices.ModeItem(ViewMode::Original).isChecked());
    EXPECT_EQ(View().Band().size(), QSize(kBandWidth, kBandHeight));

    // Wide: the band is 16:9 as shown and the window as much wider as its picture.
    choices.ModeItem(ViewMode::Wide).trigger();
    Pump(60);
    EXPECT_TRUE(choices.ModeItem(ViewMode::Wide).isChecked());
    EXPECT_FALSE(choices.ModeItem(ViewMode::Original).isChecked());
    EXPECT_EQ(View().Band().size(), QSize(744, 480));
    EXPECT_EQ(View().Band().format(), QImage::Format_Indexed8);
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(488, 360 + RacePanel::kHeight));
    choices.WindowScaleItem(2).trigger();
    Pump(40);
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(976, 720 + RacePanel::kHeight));
    choices.ScalingItem(Scaling::KeepShape).trigger();
    const QRectF shape = View().PictureRect();
    EXPECT_NEAR(shape.width() * kBandHeight, shape.height() * (kBandWidth + 2 * kWideSideColumns),
                kBandHeight);

    // Sharp x4 keeps the original's window and shape at four times the pixels.
    choices.ModeItem(ViewMode::Sharp4).trigger();
    Pump(60);
    EXPECT_EQ(View().Band().size(), QSize(4 * kBandWidth, 4 * kBandHeight));
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(512, 720 + RacePanel::kHeight));

    QSettings stored(game.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(stored.value("view/picture").toString(), QStringLiteral("sharp4"));
    game.app.reset();
    game.Start();
    Pump(60);
    EXPECT_EQ(game.app->ViewChoices().Settings().mode, ViewMode::Sharp4);
    EXPECT_TRUE(game.app->ViewChoices().ModeItem(ViewMode::Sharp4).isChecked());
    EXPECT_EQ(View().Band().size(), QSize(4 * kBandWidth, 4 * kBandHeight));

    // Back to the original: its band and window exactly as before.
    game.app->ViewChoices().ModeItem(ViewMode::Original).trigger();
    game.app->ViewChoices().WindowScaleItem(1).trigger();
    Pump(60);
    EXPECT_EQ(View().Band().size(), QSize(kBandWidth, kBandHeight));
    EXPECT_EQ(game.Window().frameGeometry().size(), QSize(256, 360 + RacePanel::kHeight));
}

TEST_F(ViewScalingTest, TheItemsFollowTheLanguage) {
    ViewMenu& choices = game.app->ViewChoices();
    // Qt posts the news of a new language to every window: the items follow from the loop.
    game.app->Languages().Choose(UiLanguage::Japanese);
    Pump(20);
    EXPECT_EQ(choices.FullScreenItem().text(), QStringLiteral("全画面表示"));
    game.app->Languages().Choose(UiLanguage::English);
    Pump(20);
    EXPECT_EQ(choices.FullScreenItem().text(), QStringLiteral("Full screen"));
    EXPECT_EQ(choices.ScalingItem(Scaling::WholeMultiples).text(),
              QStringLiteral("Whole multiples only (sharp pixels)"));
    EXPECT_EQ(choices.WindowScaleItem(2).text(), QStringLiteral("x2 (512 x 720)"));
    EXPECT_EQ(choices.ModeItem(ViewMode::Sharp4).text(), QStringLiteral("Sharp x4"));
    choices.ModeItem(ViewMode::Wide).trigger();
    EXPECT_EQ(choices.WindowScaleItem(2).text(), QStringLiteral("x2 (976 x 720)"));
    game.app->Languages().Choose(UiLanguage::Japanese);
    Pump(20);
    EXPECT_EQ(choices.ModeItem(ViewMode::Sharp2).text(), QStringLiteral("くっきり ×2"));
}

TEST(PictureRectTest, WholeMultiplesCountScreenPixelsOnAScaledScreen) {
    // 255 x 347 logical pixels at two screen pixels each: 510 x 694 screen pixels take the band
    // five times (480 x 600), which is 240 x 300 logical; counted in logical pixels it would be
    // only twice.
    const QRectF area(0, 0, 255, 347);
    const QRectF whole = PictureRect(area, kBandWidth, kBandHeight, Scaling::WholeMultiples, 2.0);
    EXPECT_EQ(whole.size(), QSizeF(240, 300));
    // Its edges fall on whole screen pixels.
    EXPECT_EQ(whole.left() * 2, std::floor(whole.left() * 2));
    EXPECT_EQ(whole.top() * 2, std::floor(whole.top() * 2));
    EXPECT_EQ(PictureRect(area, kBandWidth, kBandHeight, Scaling::WholeMultiples, 1.0).size(),
              QSizeF(192, 240));
    // Too small for even one: drawn once, centred, overhanging.
    const QRectF small =
        PictureRect(QRectF(0, 0, 50, 60), kBandWidth, kBandHeight, Scaling::WholeMultiples, 1.0);
    EXPECT_EQ(small, QRectF(-23, -30, 96, 120));
}

}  // namespace
}  // namespace vantrell::desktop
