#include "app/shell.h"

#include <cstdio>
#include <utility>

#include "app/how_to_play.h"
#include "app/menu.h"
#include "app/record_problems.h"
#include "app/run_files.h"
#include "platform/ui_text.h"
#include "race/stage_check.h"
#include "records/hiscore_dialogs.h"

namespace vantrell {

namespace {

// Context "Messages" for the translation tools.
constexpr char kRulesText[] =
    VT_TRANSLATE_NOOP("Messages", "赤く点滅しているチェックポイントを\n全て通過してください");
constexpr char kRulesCaption[] = VT_TRANSLATE_NOOP("Messages", "ゲームのルール");
constexpr char kControlsText[] =
    VT_TRANSLATE_NOOP("Messages", " カーソルキーまたは\nジョイパッドで操作します");
constexpr char kControlsCaption[] = VT_TRANSLATE_NOOP("Messages", "操作方法");
constexpr char kStageProblemCaption[] = VT_TRANSLATE_NOOP("Messages", "ステージのファイル");
// %d is the stage's number as the menu shows it.
constexpr char kStageProblemIntro[] =
    VT_TRANSLATE_NOOP("Messages", "%d面のファイルに問題があります。");
// %s is the stage pack's name.
constexpr char kPackProblemIntro[] =
    VT_TRANSLATE_NOOP("Messages", "ステージパック「%s」のファイルに問題があります。");
constexpr char kStageProblemGoOn[] = VT_TRANSLATE_NOOP("Messages", "このまま進みますか？");
constexpr char kRecordProblemCaption[] = VT_TRANSLATE_NOOP("Messages", "記録ファイル");

std::string Text(const char* text) {
    return UiText("Messages", text);
}

}  // namespace

void Shell::Start() {
    place_ = BuiltIn(0);
    stageFiles_ = ReadStageBytes(0, game_.DataDir());
    ReportStageProblems(place_, stageFiles_, false);
    game_.State().Create(stageFiles_);
    LoadTable(0);
    Post(Posted::EnterDemo);
    game_.Screen().SetMenuCheck(Command::Effects, game_.Sound().EffectsOn());
    game_.Screen().SetMenuCheck(Command::Music, game_.Sound().MusicOn());
    game_.Screen().SetMenuCheck(Command::Stage1, true);
}

void Shell::Stop() {
    game_.Timer().StopTickTimer();
    game_.Timer().StoreTickPeriod();
    posted_.clear();
    destroyed_ = true;
    quitRequested_ = true;
    exitCode_ = 0;
}

void Shell::FocusRegained() {
    if (resultArmed_) {
        Post(Posted::StartTimer);
    }
}

void Shell::RepaintStatus() {
    game_.State().RepaintStatus();
}

void Shell::TimerFired() {
    Tick(game_.Input().Poll());
    if (game_.Input().TakeRetryRequest()) {
        RequestRetry();
    }
}

void Shell::Tick(const TickInput& input) {
    const int32_t finished = game_.State().RaceStep(input);
    RefreshDisplay();
    // RaceStep reports a finished race on every tick until a new mode starts; disarming keeps
    // the hand-over to one per race. A retry asked for at the finish hands the run over as
    // soon as its time is final.
    const bool retryNow = retryPending_ && game_.State().Progress().Racing() &&
                          game_.State().Progress().FinishCounter() > 0;
    if ((finished > 0 || retryNow) && resultArmed_) {
        resultArmed_ = false;
        game_.Timer().StopTickTimer();
        EnterFinishedRun();
    }
}

bool Shell::CloseRequested() {
    // Stopped first: the race must not go on behind the question.
    const bool wasRunning = game_.Timer().Running();
    game_.Timer().StopTickTimer();
    const SaveResult result =
        SaveWithQuestion(game_.Dialogs(), game_.Records(), game_.State().CurrentStage().Index(),
                         SaveOccasion::Close);
    if (result == SaveResult::Cancelled) {
        if (wasRunning) {
            StartTimer();
        }
        return false;
    }
    return true;
}

void Shell::Minimized() {
    game_.Timer().StopTickTimer();
}

void Shell::RunPending() {
    while (!posted_.empty() && !destroyed_) {
        const Posted work = posted_.front();
        posted_.pop_front();
        Run(work);
    }
}

void Shell::Run(Posted work) {
    switch (work) {
        case Posted::EnterDemo:
            EnterDemo();
            break;
        case Posted::StartDemo:
            game_.State().StartDemo();
            RefreshDisplay();
            break;
        case Posted::StartTimer:
            StartTimer();
            break;
    }
}

void Shell::TogglePause() {
    if (destroyed_) {
        return;
    }
    paused_ = !paused_;
    if (paused_) {
        game_.Timer().StopTickTimer();
    } else {
        StartTimer();
    }
}

void Shell::CheckPadPause(bool windowListening) {
    // Asked whatever the answer, so a press made while not listening is not taken later.
    if (game_.Input().TakePauseRequest() && windowListening && !configOpen_ &&
        !game_.Dialogs().AnyOpen()) {
        TogglePause();
    }
}

void Shell::StartTimer() {
    if (!paused_ && !game_.Dialogs().AnyOpen()) {
        game_.Timer().StartTickTimer();
    }
}

void Shell::EnterDemo() {
    resultArmed_ = true;
    Post(Posted::StartDemo);
    Post(Posted::StartTimer);
}

void Shell::EnterFinishedRun() {
    // The timer was stopped before this runs.
    const RaceProgress& progress = game_.State().Progress();
    const RaceMode mode = progress.Mode();
    const RunEntry entry =
        EnterRun(game_.Dialogs(), game_.Records(), progress.RaceTicks(),
                 progress.RunInputs().data(), [this, &progress](const OfferResult& offer) {
                     if (!offer.Entered()) {
                         // Shown before the message box opens, beside it.
                         raceDisplay_.ShowMissed(progress.RaceTicks(), offer.worstTime);
                         if (displayChanged_) {
                             displayChanged_();
                         }
                     }
                 });
    if (entry.entered) {
        RefreshBestTimes();
    }
    const bool retry = retryPending_;
    retryPending_ = false;
    if (entry.raceIt) {
        SetOpponent(game_.Records().AtRank(entry.rank).recording.data());
        StartRace(ModeVersus);
    } else if (retry) {
        StartRace(mode);
    } else {
        EnterDemo();
        return;
    }
    resultArmed_ = true;
    Post(Posted::StartTimer);
}

void Shell::OnCommand(Command command) {
    GameState& state = game_.State();
    Dialogs& dialogs = game_.Dialogs();
    HiScoreTable& records = game_.Records();
    switch (command) {
        case Command::Solo:
            Stopped([&] { StartRace(ModeSolo); });
            break;
        case Command::Versus:
            // The choice lands in the table; the race replays the recording it names.
            Stopped([&] {
                paused_ = false;
                if (SelectOpponent(dialogs, records)) {
                    SetOpponent(records.RecordingAt(records.SelectedOpponent()));
                    StartRace(ModeVersus);
                } else {
                    state.StartDemo();  // the choice was cancelled
                }
            });
            break;
        case Command::RaceRunFile:
            // The file's recording is kept here for the race to replay; a cancelled or refused
            // file leaves the game as it was.
            Stopped([&] {
                if (const std::optional<RunFile> run =
                        OpenRunFile(dialogs, place_.dir, place_.stage)) {
                    paused_ = false;
                    runFileOpponent_ = run->recording;
                    state.StartVersus(runFileOpponent_.data());
                }
            });
            break;
        case Command::ExportRun:
            Stopped([&] { ExportRunFile(dialogs, records, place_.dir, place_.stage); });
            break;
        case Command::ImportRun:
            Stopped([&] { ImportRunFile(dialogs, records, place_.dir, place_.stage); });
            break;
        case Command::ShowHiScores:
            Stopped([&] { ShowHiScores(dialogs, records); });
            break;
        case Command::ResetHiScores:
            Stopped([&] {
                ResetHiScores(dialogs, records);
                RefreshBestTimes();
            });
            break;
        case Command::Config:
            OpenConfigDialog();
            break;
        case Command::About:
            Stopped([&] { dialogs.ShowAbout(); });
            break;
        case Command::Demo:
            // The timer is left as it is, unless this ends a pause.
            if (std::exchange(paused_, false)) {
                state.StartDemo();
                StartTimer();
            } else {
                state.StartDemo();
            }
            break;
        case Command::FreeDrive:
            Stopped([&] { StartRace(ModeFreeDrive); });
            break;
        case Command::Stage1:
        case Command::Stage2:
        case Command::Stage3:
        case Command::Stage4:
        case Command::Stage5:
            Stopped([&] { SelectStage(StageOf(command)); });
            break;
        case Command::MoreStages:
            Stopped([&] { OpenStageList(); });
            break;
        case Command::AddStagePack:
            Stopped([&] { AddStagePack(); });
            break;
        case Command::Effects:
            ToggleEffects();
            break;
        case Command::Music:
            ToggleMusic();
            break;
        case Command::Rules:
            Stopped([&] { dialogs.ShowMessage(Text(kRulesText), Text(kRulesCaption)); });
            break;
        case Command::Controls:
            Stopped([&] { dialogs.ShowMessage(Text(kControlsText), Text(kControlsCaption)); });
            break;
        case Command::HowToPlay:
            Stopped([&] { dialogs.ShowHelpPage(HowToPlayTitle(), HowToPlayHtml(game_.Input())); });
            break;
    }
    RefreshDisplay();
}

Shell::StagePlace Shell::BuiltIn(int32_t stage) const {
    return {stage, game_.DataDir(), {}, {}};
}

void Shell::SelectPlace(const StagePlace& place, bool reload) {
    // The question for the old stage comes before any file of the new one is read. Choosing
    // the current stage still restarts the demonstration.
    const bool same = place.SameAs(place_);
    if (!same && SaveWithQuestion(game_.Dialogs(), game_.Records(), place_.stage,
                                  SaveOccasion::StageChange) == SaveResult::Failed) {
        return;  // told why; the unsaved runs stay with their stage
    }
    StageBytes files;
    if (!same || reload) {
        files = ReadStageBytes(place.stage, place.dir);
        if (!ReportStageProblems(place, files, true)) {
            return;  // the player keeps the stage they are on
        }
    }
    // A pack's stage is none of the five: no mark.
    for (int32_t s = 0; s < kStageCount; ++s) {
        game_.Screen().SetMenuCheck(StageCommand(s), place.pack.empty() && s == place.stage);
    }
    paused_ = false;       // the stage starts with its demonstration
    lastRace_ = ModeDemo;  // a retry races on the stage it was asked on
    if (same && !reload) {
        game_.State().SelectStage(place.stage);
        return;
    }
    game_.State().ReplaceStage(place.stage, files);
    stageFiles_ = std::move(files);
    place_ = place;
    if (same) {
        RefreshBestTimes();  // the table stays; its best run drives on the new files
        return;
    }
    game_.Records().SetDirectory(place.dir);
    LoadTable(place.stage);
}

void Shell::LoadTable(int32_t stage) {
    const std::vector<RecordProblem> problems = game_.Records().Load(stage);
    RefreshBestTimes();
    if (!problems.empty()) {
        game_.Dialogs().ShowMessage(
            HiScoreTable::RecordFileName(stage) + "\n" + DescribeRecordProblems(problems),
            Text(kRecordProblemCaption));
    }
}

bool Shell::ReportStageProblems(const StagePlace& place, const StageBytes& files, bool mayStay) {
    const std::vector<StageProblem> problems = CheckStage(files, place.stage);
    if (problems.empty()) {
        return true;
    }
    char intro[240];
    if (place.pack.empty()) {
        std::snprintf(intro, sizeof intro, Text(kStageProblemIntro).c_str(),
                      static_cast<int>(place.stage + 1));
    } else {
        std::snprintf(intro, sizeof intro, Text(kPackProblemIntro).c_str(), place.name.c_str());
    }
    std::string text = std::string(intro) + "\n";
    for (const StageProblem& problem : problems) {
        text += problem.file + ": " + problem.reason + "\n";
    }
    if (!mayStay) {
        game_.Dialogs().ShowMessage(text, Text(kStageProblemCaption));
        return true;
    }
    text += Text(kStageProblemGoOn);
    const Question question{
        text, Text(kStageProblemCaption), {Answer::Yes, Answer::No}, Answer::No, Answer::No};
    return game_.Dialogs().Ask(question) == Answer::Yes;
}

void Shell::OpenConfigDialog() {
    // The timer is deliberately left running: the dialog restarts it itself on speed changes.
    ConfigDialog dialog(game_.Input(), game_.Timer());
    dialog.InitMarks();
    if (runConfigDialog_) {
        configOpen_ = true;
        runConfigDialog_(dialog);
        configOpen_ = false;
    }
}

void Shell::ToggleEffects() {
    game_.Sound().ToggleEffects();
    game_.Screen().SetMenuCheck(Command::Effects, game_.Sound().EffectsOn());
}

void Shell::ToggleMusic() {
    game_.Sound().ToggleMusic();
    game_.Screen().SetMenuCheck(Command::Music, game_.Sound().MusicOn());
}

}  // namespace vantrell
