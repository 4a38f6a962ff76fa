// The whole game without a window: a display that keeps what it was shown, a tick timer that
// only records whether it runs (the caller delivers the ticks), a speed store in memory, and a
// host that bundles them with the scripted input, scripted dialogs and logged audio, creates the
// game as a desktop start-up would and drives it tick by tick.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/shell.h"
#include "gfx/bitmap8.h"
#include "gfx/frame_layout.h"
#include "hosts/headless/logged_audio.h"
#include "hosts/headless/scripted_dialogs.h"
#include "hosts/headless/scripted_input.h"
#include "platform/display.h"
#include "platform/speed_store.h"
#include "platform/tick_timer.h"

namespace vantrell {

class MemoryDisplay final : public Display {
  public:
    struct StatusPaint {
        std::string text;
        int32_t widthUnits = 0;
    };

    void Present(const Bitmap8& frameBuffer) override;
    void PaintStatus(const std::string& text, int32_t widthUnits) override;
    void SetMenuCheck(vantrell::Command command, bool checked) override;

    // The last band presented, top row first, 96 bytes a row; empty before the first frame.
    const std::vector<uint8_t>& Band() const { return band_; }
    uint8_t BandPixel(int32_t x, int32_t y) const { return band_[y * kBandWidth + x]; }
    const std::array<RgbQuad, 256>& Colours() const { return colours_; }
    int32_t PresentCount() const { return presentCount_; }

    const std::vector<StatusPaint>& StatusLog() const { return statusLog_; }
    // The text now in the strip; empty when only black was painted (or nothing yet).
    std::string StatusNow() const { return statusLog_.empty() ? "" : statusLog_.back().text; }
    void ClearStatusLog() { statusLog_.clear(); }

    // Whether a menu item's check mark was last set on; items never set read false.
    bool Checked(vantrell::Command command) const;
    // How often a check mark was set, to tell a redraw from no change.
    int32_t CheckWrites(vantrell::Command command) const;

  private:
    std::vector<uint8_t> band_;
    std::array<RgbQuad, 256> colours_{};
    int32_t presentCount_ = 0;
    std::vector<StatusPaint> statusLog_;
    std::map<vantrell::Command, bool> checks_;
    std::map<vantrell::Command, int32_t> checkWrites_;
};

// A timer that never fires by itself: whoever runs the game delivers the ticks while it runs.
class HeadlessTickTimer final : public TickTimer {
  public:
    bool Start(int32_t periodMs) override;
    void Stop() override;

    bool Running() const { return running_; }
    int32_t Period() const { return period_; }
    int32_t StartCount() const { return starts_; }
    int32_t StopCount() const { return stops_; }
    // "start 16", "stop", "start failed": every call in order.
    const std::vector<std::string>& Log() const { return log_; }
    void ClearLog() { log_.clear(); }
    // The next `count` starts fail, as a platform out of timers would.
    void FailNextStarts(int32_t count) { failStarts_ = count; }

  private:
    bool running_ = false;
    int32_t period_ = 0;
    int32_t starts_ = 0;
    int32_t stops_ = 0;
    int32_t failStarts_ = 0;
    std::vector<std::string> log_;
};

class MemorySpeedStore final : public SpeedStore {
  public:
    std::optional<int32_t> Load() override { return value; }
    void Store(int32_t periodMs) override {
        value = periodMs;
        ++storeCount;
    }

    std::optional<int32_t> value;
    int32_t storeCount = 0;
};

// The platform pieces, then the game and its shell, created by Start as a desktop start-up
// would create them. Members are declared so that the game goes before the pieces it uses.
class HeadlessHost {
  public:
    ScriptedKeyState keys;
    ScriptedJoysticks joysticks;
    LoggedAudio audio;
    MemoryDisplay display;
    ScriptedDialogs dialogs;
    HeadlessTickTimer timer;
    MemorySpeedStore speedStore;
    // WAVDAT0..3 for the sound player; empty images play nothing.
    std::array<std::vector<uint8_t>, SoundPlayer::kEffectCount> waveImages;
    // The stage pack reader the game is given (ReadStagePack); empty: packs cannot be added.
    PackReader packReader;

    HeadlessHost();
    ~HeadlessHost();

    PlatformBundle Bundle(const std::filesystem::path& dataDir);

    // Start-up: the game objects, the stored speed, the window's creation and the commands it
    // posts. The demonstration is then running.
    void Start(const std::filesystem::path& dataDir);
    // Delivers up to n ticks, each followed by the commands it posted, stopping early when the
    // timer is no longer running. Returns the ticks delivered.
    int32_t RunTicks(int32_t n);
    // A menu command as the window would receive it, followed by the commands it posted.
    void Command(vantrell::Command command);
    // The system close command, then, unless the player chose to stay (false), the window's
    // destruction and the end of the game objects (the sound player writes its switch file).
    bool Close();

    Game& game() { return *game_; }
    Shell& shell() { return *shell_; }
    bool Started() const { return game_ != nullptr; }

  private:
    std::unique_ptr<Game> game_;
    std::unique_ptr<Shell> shell_;
};

}  // namespace vantrell
