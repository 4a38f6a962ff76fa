#include "app/shell.h"

#include "records/hiscore_dialogs.h"

namespace vantrell {

namespace {

constexpr uint32_t LowWord(uint32_t param) {
    return param & 0xFFFFu;
}

constexpr int32_t kStageCount = 5;

constexpr char kRulesText[] = "赤く点滅しているチェックポイントを\n全て通過してください";
constexpr char kRulesCaption[] = "ゲームのルール";
constexpr char kControlsText[] = " カーソルキーまたは\nジョイパッドで操作します";
constexpr char kControlsCaption[] = "操作方法";

}  // namespace

void Shell::OnCreate() {
    GameState& state = game_.state;
    state.Create(&game_.input.controls1, &game_.input.controls2);
    Post(CmdEnterDemo);
    game_.display.SetMenuCheck(CmdEffects, game_.sound.effectsOn > 0);
    game_.display.SetMenuCheck(CmdMusic, game_.sound.musicOn > 0);
    game_.display.SetMenuCheck(CmdStage1, true);
}

void Shell::OnDestroy() {
    game_.timer.StopTickTimer();
    game_.timer.StoreTickPeriod();
    posted_.clear();
    destroyed_ = true;
    quitRequested = true;
    exitCode = 0;
}

void Shell::OnSetFocus() {
    if (resultArmed > 0) {
        Post(CmdStartTimer);
    }
}

void Shell::OnPaint() {
    RepaintStatus();
}
void Shell::OnMove() {
    RepaintStatus();
}
void Shell::OnSize() {
    RepaintStatus();
}

void Shell::RepaintStatus() {
    game_.state.bannerDirty = 1;
    game_.state.PaintStatus();
}

void Shell::OnTimer(uint32_t timerParam) {
    if (LowWord(timerParam) != TickTimerState::kTimerId) {
        return;
    }
    game_.input.Poll();
    const int32_t finished = game_.state.RaceStep();
    // RaceStep reports a finished race on every tick until a new mode starts; disarming keeps
    // the hand-over to one per race.
    if (finished > 0 && resultArmed > 0) {
        resultArmed = 0;
        Send(CmdStopTimer);
        Send(CmdNameEntry);
    }
}

void Shell::OnSysCommand(uint32_t code) {
    switch (LowWord(code)) {
        case SysClose:
            game_.records.Save(game_.dialogs, game_.state.stageIndex);
            Send(CmdStopTimer);
            game_.timer.StopTickTimer();
            break;
        case SysMinimize:
            game_.timer.StopTickTimer();
            break;
        default:
            break;
    }
}

void Shell::RunPosted() {
    while (!posted_.empty() && !destroyed_) {
        const int32_t id = posted_.front();
        posted_.pop_front();
        Send(id);
    }
}

void Shell::OnCommand(uint32_t commandParam) {
    GameState& state = game_.state;
    Dialogs& dialogs = game_.dialogs;
    HiScoreTable& records = game_.records;
    const int32_t id = static_cast<int32_t>(LowWord(commandParam));
    switch (id) {
        case CmdEnterDemo:
            resultArmed = 1;
            Post(CmdDemo);
            Post(CmdStartTimer);
            break;
        case CmdSolo:
            Stopped([&] { state.StartSolo(); });
            break;
        case CmdVersus:
            // The choice lands in the table; StartVersus takes its recording from there.
            Stopped([&] {
                SelectOpponent(dialogs, records);
                state.StartVersus();
            });
            break;
        case CmdShowHiScores:
            Stopped([&] { ShowHiScores(dialogs, records); });
            break;
        case CmdResetHiScores:
            Stopped([&] { ResetHiScores(dialogs, records); });
            break;
        case CmdNameEntry:
            // The timer handler stopped the timer before sending this.
            EnterRun(dialogs, records, state.raceTicks, state.runInputs.data());
            Send(CmdEnterDemo);
            break;
        case CmdConfig:
            OpenConfigDialog();
            break;
        case CmdAbout:
            Stopped([&] { dialogs.ShowAbout(); });
            break;
        case CmdDemo:
            state.StartDemo();
            break;
        case CmdFreeDrive:
            Stopped([&] { state.StartFreeDrive(); });
            break;
        case CmdStage1:
        case CmdStage2:
        case CmdStage3:
        case CmdStage4:
        case CmdStage5:
            Stopped([&] { SelectStage(id); });
            break;
        case CmdStopTimer:
            game_.timer.StopTickTimer();
            break;
        case CmdStartTimer:
            game_.timer.StartTickTimer();
            break;
        case CmdEffects:
            ToggleEffects();
            break;
        case CmdMusic:
            ToggleMusic();
            break;
        case CmdRules:
            Stopped([&] { dialogs.ShowMessage(kRulesText, kRulesCaption); });
            break;
        case CmdControls:
            Stopped([&] { dialogs.ShowMessage(kControlsText, kControlsCaption); });
            break;
        default:
            break;
    }
}

void Shell::SelectStage(int32_t id) {
    for (int32_t stage = 0; stage < kStageCount; ++stage) {
        game_.display.SetMenuCheck(CmdStage1 + stage, CmdStage1 + stage == id);
    }
    // Choosing the current stage still goes through SelectStage, which restarts the
    // demonstration.
    game_.state.SelectStage(id - CmdStage1);
}

void Shell::OpenConfigDialog() {
    // The timer is deliberately left running: the dialog restarts it itself on speed changes.
    ConfigDialog dialog(game_.input, game_.timer);
    dialog.InitMarks();
    if (runConfigDialog_) {
        runConfigDialog_(dialog);
    }
}

void Shell::ToggleEffects() {
    SoundPlayer& sound = game_.sound;
    sound.effectsOn = sound.effectsOn == 0 ? 1 : 0;
    game_.display.SetMenuCheck(CmdEffects, sound.effectsOn > 0);
}

void Shell::ToggleMusic() {
    SoundPlayer& sound = game_.sound;
    if (sound.musicOn > 0) {
        sound.StopMusic();
        sound.musicOn = 0;
        game_.display.SetMenuCheck(CmdMusic, false);
    } else {
        sound.musicOn = 1;
        sound.ResumeMusic();
        game_.display.SetMenuCheck(CmdMusic, true);
    }
}

}  // namespace vantrell
