#include "hosts/headless/headless_host.h"

#include <algorithm>

#include "platform/commands.h"

namespace vantrell {

void MemoryDisplay::Present(const Bitmap8& frameBuffer) {
    ++presentCount_;
    band_.assign(static_cast<std::size_t>(kBandWidth) * kBandHeight, 0);
    // Copy only what the frame buffer has; a smaller one leaves the rest of the band black.
    const int32_t width = std::min(kBandWidth, frameBuffer.Width());
    const int32_t rows = std::clamp(frameBuffer.Height() - kBandTop, 0, kBandHeight);
    for (int32_t y = 0; y < rows; ++y) {
        const uint8_t* row = frameBuffer.PixelAddress(0, kBandTop + y);
        std::copy(row, row + width, band_.begin() + y * kBandWidth);
    }
    std::copy(frameBuffer.Colours(), frameBuffer.Colours() + 256, colours_.begin());
}

void MemoryDisplay::PaintStatus(const std::string& text, int32_t widthUnits) {
    statusLog_.push_back({text, widthUnits});
}

void MemoryDisplay::SetMenuCheck(vantrell::Command command, bool checked) {
    checks_[command] = checked;
    ++checkWrites_[command];
}

bool MemoryDisplay::Checked(vantrell::Command command) const {
    const auto found = checks_.find(command);
    return found != checks_.end() && found->second;
}

int32_t MemoryDisplay::CheckWrites(vantrell::Command command) const {
    const auto found = checkWrites_.find(command);
    return found == checkWrites_.end() ? 0 : found->second;
}

bool HeadlessTickTimer::Start(int32_t periodMs) {
    if (failStarts_ > 0) {
        --failStarts_;
        log_.push_back("start failed");
        return false;
    }
    ++starts_;
    running_ = true;
    period_ = periodMs;
    log_.push_back("start " + std::to_string(periodMs));
    return true;
}

void HeadlessTickTimer::Stop() {
    ++stops_;
    running_ = false;
    log_.push_back("stop");
}

HeadlessHost::HeadlessHost() {
    // Every dialog notes whether the game left its timer running behind it.
    dialogs.WatchTimer([this] { return timer.Running(); });
}

HeadlessHost::~HeadlessHost() {
    // The shell refers to the game, so it goes first.
    shell_.reset();
    game_.reset();
}

PlatformBundle HeadlessHost::Bundle(const std::filesystem::path& dataDir) {
    SoundPlayer::WaveImages waves;
    for (std::size_t i = 0; i < waves.size(); ++i) {
        waves[i] = waveImages[i];
    }
    return PlatformBundle{keys,  joysticks,  audio, display, dialogs,
                          timer, speedStore, waves, dataDir, packReader};
}

void HeadlessHost::Start(const std::filesystem::path& dataDir) {
    shell_.reset();
    game_.reset();
    game_ = std::make_unique<Game>(Bundle(dataDir));
    game_->Timer().LoadTickPeriod();
    shell_ = std::make_unique<Shell>(*game_);
    shell_->Start();
    shell_->RunPending();
}

int32_t HeadlessHost::RunTicks(int32_t n) {
    int32_t delivered = 0;
    while (delivered < n && game_->Timer().Running()) {
        shell_->TimerFired();
        shell_->RunPending();
        ++delivered;
    }
    return delivered;
}

void HeadlessHost::Command(vantrell::Command command) {
    shell_->OnCommand(command);
    shell_->RunPending();
}

bool HeadlessHost::Close() {
    if (!shell_->CloseRequested()) {
        shell_->RunPending();
        return false;
    }
    shell_->Stop();
    shell_.reset();
    game_.reset();
    return true;
}

}  // namespace vantrell
