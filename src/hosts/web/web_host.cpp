#include "hosts/web/web_host.h"

#include <utility>

#include "app/menu.h"
#include "app/run_files.h"
#include "gfx/frame_layout.h"
#include "hosts/web/web_bridge.h"
#include "hosts/web/web_packs.h"
#include "hosts/web/web_protocol.h"
#include "race/course_digest.h"
#include "race/headless_race.h"
#include "race/run_check.h"
#include "records/record_names.h"
#include "records/run_file.h"
#include "resources/resources.h"

namespace vantrell::web {

namespace {

std::string MenuJson() {
    std::string json = "[";
    for (const MenuPopupDef& popup : MainMenu()) {
        json += std::string(json.size() > 1 ? "," : "") + "{\"text\":" + JsonQuote(popup.text) +
                ",\"right\":" + (popup.rightJustified ? "true" : "false") + ",\"items\":[";
        bool first = true;
        for (const MenuItemDef& item : popup.items) {
            json += std::string(first ? "" : ",") + "{\"command\":" +
                    (item.IsSeparator() ? std::string("null")
                                        : std::to_string(static_cast<int32_t>(*item.command))) +
                    ",\"text\":" + JsonQuote(item.text) +
                    ",\"checked\":" + (item.checked ? "true" : "false") + "}";
            first = false;
        }
        json += "]}";
    }
    return json + "]";
}

std::string ControlsJson(const ConfigDialog& dialog) {
    std::string marks;
    for (int32_t box = 0; box < ConfigDialog::kBoxCount; ++box) {
        marks += std::string(box > 0 ? "," : "") +
                 (dialog.Marked(static_cast<ConfigBox>(box)) ? "true" : "false");
    }
    return "{\"marks\":[" + marks + "],\"speed\":" + std::to_string(dialog.SpeedBarPosition()) +
           ",\"speedMin\":" + std::to_string(ConfigDialog::SpeedBarMin()) +
           ",\"speedMax\":" + std::to_string(ConfigDialog::SpeedBarMax()) + "}";
}

}  // namespace

WebHost::WebHost(std::filesystem::path dataDir) : dataDir_(std::move(dataDir)) {}

WebHost::~WebHost() {
    shell_.reset();
    game_.reset();
}

void WebHost::Run() {
    running_ = this;
    game_ = std::make_unique<Game>(PlatformBundle{keys_, joysticks_, audio_, display_, dialogs_,
                                                  timer_, speedStore_, EmbeddedWaves(), dataDir_,
                                                  PagePackReader()});
    game_->Timer().LoadTickPeriod();
    shell_ = std::make_unique<Shell>(*game_);
    shell_->SetConfigDialogRunner([this](ConfigDialog& dialog) { RunControlsDialog(dialog); });
    // What the shell tells the panel mid-work shows before the dialog it opens next.
    shell_->SetDisplayChanged([this] { panel_.Show(shell_->RaceView()); });
    page::Ready(MenuJson());
    shell_->Start();
    shell_->RunPending();
    panel_.Show(shell_->RaceView());
    for (;;) {
        const Event event = NextEvent();
        if (event.type == PageEvent::Pads) {
            // Every animation frame while a pad is connected: only a pause taken needs more.
            const bool paused = shell_->Paused();
            shell_->CheckPadPause(event.a != 0);
            if (shell_->Paused() == paused) {
                continue;
            }
        }
        const int32_t answeredBefore = dialogs_.Answered();
        Handle(event);
        shell_->RunPending();
        page::ShowPaused(shell_->Paused());
        panel_.Show(shell_->RaceView());
        Settle(event.type == PageEvent::Command ? -1 : answeredBefore);
    }
}

WebHost::Event WebHost::NextEvent() {
    const page::EventFromPage next = page::NextEvent();
    return Event{static_cast<PageEvent>(next.type), next.a, next.b};
}

void WebHost::Handle(const Event& event) {
    switch (event.type) {
        case PageEvent::Tick:
            DeliverTicks(event.a);
            break;
        case PageEvent::Command:
            // Another tab of the game may have saved since: read the database first, so that
            // a save here keeps its runs as it keeps those the tool saved beside a window.
            page::SyncFiles(true);
            // The sound switches keep their file themselves as they change; a tab has no exit.
            shell_->OnCommand(static_cast<Command>(event.a));
            break;
        case PageEvent::Pause:
            shell_->TogglePause();
            break;
        case PageEvent::Retry:
            shell_->RequestRetry();
            break;
        case PageEvent::ViewMode:
            SetViewMode(event.a);
            break;
        default:
            break;  // the controls dialog's events mean nothing once it is closed
    }
}

void WebHost::SetViewMode(int32_t number) {
    // Only the picture changes, from the next frame on: the race never sees the mode.
    if (number >= 0 && number < kViewModeCount) {
        game_->State().SetViewMode(static_cast<ViewMode>(number));
    }
}

void WebHost::DeliverTicks(int32_t count) {
    for (int32_t i = 0; i < count && game_->Timer().Running(); ++i) {
        OneTick();
        shell_->RunPending();
    }
}

void WebHost::OneTick() {
    const RaceProgress& progress = game_->State().Progress();
    if (drive_ && !driving_ && progress.Mode() == ModeSolo) {
        driving_ = true;
        driveSteps_ = 0;
    }
    if (!driving_ || progress.Mode() != ModeSolo) {
        if (driving_) {
            driving_ = false;
            drive_.reset();
        }
        shell_->TimerFired();
        return;
    }
    // Exactly as the tool drives a recording.
    const uint8_t byte = RecordedByteForNextTick(progress, *drive_);
    shell_->Tick(TickInput{RecordedControls(byte), 0});
    if (++driveSteps_ == drivePauseAfter_) {
        shell_->TogglePause();
    }
}

void WebHost::Settle(int32_t answeredBefore) {
    if (answeredBefore == dialogs_.Answered()) {
        return;
    }
    page::SyncFiles(false);
}

void WebHost::RunControlsDialog(ConfigDialog& dialog) {
    page::OpenControls(ControlsJson(dialog));
    // The race goes on behind this dialog: its ticks are delivered from here.
    while (!dialog.Ended()) {
        const Event event = NextEvent();
        switch (event.type) {
            case PageEvent::Tick:
                DeliverTicks(event.a);
                dialog.Refresh();
                panel_.Show(shell_->RaceView());
                break;
            case PageEvent::ControlsToggle:
                if (event.a >= 0 && event.a < ConfigDialog::kBoxCount) {
                    dialog.Toggle(static_cast<ConfigBox>(event.a));
                }
                break;
            case PageEvent::ControlsSpeed: {
                // The page posts the enumerator's own number (page/protocol.js).
                const bool known = event.a >= static_cast<int32_t>(SpeedBarMove::Faster) &&
                                   event.a <= static_cast<int32_t>(SpeedBarMove::Other);
                dialog.MoveSpeedBar(
                    known ? static_cast<SpeedBarMove>(event.a) : SpeedBarMove::Other, event.b);
                break;
            }
            case PageEvent::ControlsOk:
                dialog.Ok();
                break;
            case PageEvent::ViewMode:
                SetViewMode(event.a);  // the choice under the picture stays open beside it
                break;
            default:
                break;  // the menu and the game's keys are behind the dialog
        }
        page::UpdateControls(ControlsJson(dialog));
    }
    page::CloseControls();
    // A tab is never destroyed the way a window is, so the speed is kept as the dialog closes.
    game_->Timer().StoreTickPeriod();
}

std::string WebHost::VerifyRecords() const {
    HeadlessRace race(dataDir_, 0);
    std::string text = RunLineHeader();
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        text += CheckStageRuns(race, dataDir_, stage).lines;
    }
    return text;
}

void WebHost::DriveNextSoloRace(const Recording& recording, int32_t pauseAfter) {
    drive_ = recording;
    drivePauseAfter_ = pauseAfter;
    driving_ = false;
    driveSteps_ = 0;
}

std::string WebHost::State() const {
    if (!game_) {
        return "{}";
    }
    const RaceProgress& progress = game_->State().Progress();
    return "{\"mode\":" + std::to_string(static_cast<int32_t>(progress.Mode())) +
           ",\"raceTicks\":" + std::to_string(progress.RaceTicks()) +
           ",\"driveSteps\":" + std::to_string(driveSteps_) +
           ",\"driving\":" + (driving_ ? "true" : "false") +
           ",\"paused\":" + (shell_->Paused() ? "true" : "false") +
           ",\"pack\":" + JsonQuote(shell_->CurrentPack()) +
           ",\"timer\":" + (game_->Timer().Running() ? "true" : "false") +
           ",\"frames\":" + std::to_string(display_.PresentCount()) + ",\"craft\":[" +
           std::to_string(game_->State().Crafts().first.posX) + "," +
           std::to_string(game_->State().Crafts().first.posY) +
           "],\"heading\":" + std::to_string(game_->State().Crafts().first.heading) + "}";
}

std::string WebHost::WorldRun(const std::string& name) const {
    if (!game_) {
        return "{}";
    }
    const int32_t stage = game_->State().CurrentStage().Index();
    std::string json = "{\"stage\":" + std::to_string(stage);
    std::string reason;
    const std::optional<Sha256Digest> course = CourseDigest(shell_->StageDir(), stage, &reason);
    if (!course) {
        return json + ",\"problem\":" + JsonQuote(reason) + "}";
    }
    json += ",\"course\":\"" + HexDigest(*course) + "\"";
    // Only a run of the key's own name: the server takes no other, and nobody's run becomes
    // another's by being sent.
    const std::optional<std::string> stored = EncodeName(name);
    const std::optional<std::vector<uint8_t>> bytes =
        stored ? BestRunFileOf(game_->Records(), shell_->StageDir(), stage, *stored, &reason)
               : std::nullopt;
    const RunFileRead read = bytes ? ReadRunFile(*bytes) : RunFileRead{};
    if (!read.run) {
        return json + "}";
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes->size() * 2);
    for (const uint8_t byte : *bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return json + ",\"time\":" + std::to_string(read.run->time) + ",\"run\":\"" + hex + "\"}";
}

}  // namespace vantrell::web
