#include "hosts/desktop/qt_dialogs.h"

#include <QFileDialog>

#include "hosts/desktop/about_dialog.h"
#include "hosts/desktop/config_dialog_window.h"
#include "hosts/desktop/dialog_builder.h"
#include "hosts/desktop/help_page_dialog.h"
#include "hosts/desktop/hiscore_list_dialogs.h"
#include "hosts/desktop/message_boxes.h"
#include "hosts/desktop/name_input_dialog.h"
#include "hosts/desktop/stage_list_dialog.h"
#include "io/atomic_save.h"
#include "io/file_bytes.h"
#include "platform/ui_text.h"

namespace vantrell::desktop {

namespace {

constexpr char kOpenRunCaption[] = VT_TRANSLATE_NOOP("Dialogs", "走行ファイルを開く");
constexpr char kSaveRunCaption[] = VT_TRANSLATE_NOOP("Dialogs", "走行ファイルの保存");
// The pattern in parentheses stays as it is in every language.
constexpr char kRunFilter[] = VT_TRANSLATE_NOOP("Dialogs", "走行ファイル (*.run)");
constexpr char kOpenPackCaption[] = VT_TRANSLATE_NOOP("Dialogs", "ステージパックを開く");
constexpr char kPackFilter[] = VT_TRANSLATE_NOOP("Dialogs", "ステージパック (*.vstage)");

std::optional<std::filesystem::path> Chosen(const QString& file) {
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(file.toStdU16String());
}

}  // namespace

void QtDialogs::ShowMessage(const std::string& text, const std::string& caption) {
    ShowMessageBox(owner_, QString::fromStdString(text), QString::fromStdString(caption));
}

bool QtDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    return AskYesNoBox(owner_, QString::fromStdString(text), QString::fromStdString(caption));
}

Answer QtDialogs::Ask(const Question& question) {
    return AskQuestionBox(owner_, question);
}

std::string QtDialogs::AskName(const std::string& defaultName) {
    NameInputDialog dialog(owner_, QString::fromStdString(defaultName), {}, WithGrid());
    dialog.exec();
    return dialog.Name().toStdString();
}

std::string QtDialogs::AskNameForRun(const std::string& defaultName, int32_t time, int32_t rank) {
    NameInputDialog dialog(owner_, QString::fromStdString(defaultName), RunLine(time, rank),
                           WithGrid());
    dialog.exec();
    return dialog.Name().toStdString();
}

void QtDialogs::ShowHiScoreList(const HiScoreLines& lines) {
    HiScoreListDialog dialog(owner_, lines);
    dialog.exec();
}

bool QtDialogs::ShowHiScoreListOfferingRace(const HiScoreLines& lines) {
    HiScoreListDialog dialog(owner_, lines, true);
    return dialog.exec() == HiScoreListDialog::kRaceThisRun;
}

std::optional<ListSelection> QtDialogs::ChooseOpponent(const HiScoreLines& lines) {
    OpponentSelectDialog dialog(owner_, lines);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Selection();
}

std::optional<ListSelection> QtDialogs::ChooseRunToExport(const HiScoreLines& lines) {
    OpponentSelectDialog dialog(owner_, lines, OpponentSelectDialog::Purpose::Export);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Selection();
}

std::optional<OpenedFile> QtDialogs::OpenFile(FileKind kind) {
    if (offered_) {
        std::optional<OpenedFile> file = std::move(offered_);
        offered_.reset();
        return file;
    }
    const bool pack = kind == FileKind::StagePack;
    const std::optional<std::filesystem::path> file = Chosen(
        QFileDialog::getOpenFileName(owner_, DialogText(pack ? kOpenPackCaption : kOpenRunCaption),
                                     QString(), DialogText(pack ? kPackFilter : kRunFilter)));
    if (!file) {
        return std::nullopt;
    }
    OpenedFile opened{file->filename().string(), {}, {}};
    if (std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(*file, &opened.problem)) {
        opened.bytes = std::move(*bytes);
    }
    return opened;
}

std::optional<SavedFile> QtDialogs::SaveFile(FileKind, const std::string& suggestedName,
                                             std::span<const uint8_t> bytes) {
    // A name typed without ".run" gets it, before the dialog asks about a file it would
    // replace: otherwise the file would hide from the import dialog's filter.
    QFileDialog dialog(owner_, DialogText(kSaveRunCaption), QString(), DialogText(kRunFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("run"));
    dialog.selectFile(QString::fromStdString(suggestedName));
    const std::optional<std::filesystem::path> file =
        dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
            ? Chosen(dialog.selectedFiles().constFirst())
            : std::nullopt;
    if (!file) {
        return std::nullopt;
    }
    SavedFile saved{file->string(), {}};
    if (const std::optional<SaveFailure> failure = vantrell::SaveFile(*file, bytes)) {
        saved.problem = failure->error.message();
    }
    return saved;
}

std::optional<StageListChoice> QtDialogs::ChooseStage(const std::vector<StageListRow>& rows) {
    StageListDialog dialog(rows, owner_);
    dialog.exec();
    return dialog.Choice();
}

void QtDialogs::ShowHelpPage(const std::string& title, const std::string& html) {
    HelpPageDialog dialog(owner_, QString::fromStdString(title), QString::fromStdString(html));
    dialog.exec();
}

void QtDialogs::ShowAbout() {
    AboutDialog dialog(owner_);
    dialog.exec();
}

void QtDialogs::RunConfigDialog(ConfigDialog& model, ConfigDialogWindow::PadNames padNames) {
    ConfigDialogWindow dialog(owner_, model, std::move(padNames));
    dialog.exec();
}

}  // namespace vantrell::desktop
