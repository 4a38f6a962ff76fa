#include "hosts/desktop/world_menu.h"

#include <QAction>
#include <QEvent>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "app/game.h"
#include "app/run_files.h"
#include "app/shell.h"
#include "hosts/desktop/main_window.h"
#include "hosts/desktop/qt_dialogs.h"
#include "hosts/desktop/qt_settings.h"
#include "hosts/desktop/world_texts.h"
#include "platform/commands.h"
#include "race/course_digest.h"
#include "records/record_names.h"

namespace vantrell::desktop {

using world::Text;

namespace {

constexpr char kServerKey[] = "World/server";
constexpr char kNameKey[] = "World/name";
constexpr char kKeyKey[] = "World/key";

}  // namespace

WorldMenu::WorldMenu(MainWindow& window, QMenu& into, QString iniPath, Shell& shell, Game& game,
                     QtDialogs& dialogs)
    : QObject(&window),
      window_(window),
      iniPath_(std::move(iniPath)),
      shell_(shell),
      game_(game),
      dialogs_(dialogs) {
    into.addSeparator();
    join_ = into.addAction(QString());
    send_ = into.addAction(QString());
    show_ = into.addAction(QString());
    connect(join_, &QAction::triggered, this, [this] { Join(); });
    connect(send_, &QAction::triggered, this, [this] { SendBest(); });
    connect(show_, &QAction::triggered, this, [this] { ShowBoard(); });
    window_.installEventFilter(this);
    ShowTexts();
}

void WorldMenu::ShowTexts() {
    join_->setText(Text(world::kJoin));
    send_->setText(Text(world::kSend));
    show_->setText(Text(world::kShow));
}

bool WorldMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ShowTexts();
    }
    return QObject::eventFilter(watched, event);
}

WorldAccount WorldMenu::Account() const {
    const auto settings = OpenSettings(iniPath_);
    return {settings->value(kServerKey).toString(), settings->value(kNameKey).toString(),
            settings->value(kKeyKey).toString()};
}

void WorldMenu::Tell(const QString& text) {
    if (sink_) {
        sink_(text);
    }
    if (!quiet_) {
        shell_.RunHostDialog(
            [&] { QMessageBox::information(&window_, Text(world::kCaption), text); });
    }
}

QString WorldMenu::CourseHex() const {
    const std::optional<Sha256Digest> digest =
        CourseDigest(shell_.StageDir(), shell_.CurrentStage());
    return digest ? QString::fromStdString(HexDigest(*digest)) : QString();
}

void WorldMenu::Join() {
    WorldAccount account = Account();
    bool ok = false;
    QString server;
    QString name;
    shell_.RunHostDialog([&] {
        server = QInputDialog::getText(
            &window_, Text(world::kCaption), Text(world::kServerPrompt), QLineEdit::Normal,
            account.server.isEmpty() ? "http://127.0.0.1:8080" : account.server, &ok);
        if (ok) {
            name = QInputDialog::getText(&window_, Text(world::kCaption), Text(world::kNamePrompt),
                                         QLineEdit::Normal, account.name, &ok);
        }
    });
    if (ok && !server.trimmed().isEmpty()) {
        Join(server.trimmed(), name);
    }
}

void WorldMenu::Join(const QString& server, const QString& name) {
    client_.Register(server, name, [this, server](const WorldAnswer& answer) {
        if (answer.status != 201) {
            Tell(world::Problem(answer));
            return;
        }
        const auto settings = OpenSettings(iniPath_);
        const QString registered = answer.json.value("name").toString();
        settings->setValue(kServerKey, server);
        settings->setValue(kNameKey, registered);
        settings->setValue(kKeyKey, answer.json.value("key").toString());
        settings->sync();
        Tell(Text(world::kJoined).arg(registered, server));
    });
}

void WorldMenu::SendBest() {
    const WorldAccount account = Account();
    if (account.key.isEmpty()) {
        Tell(Text(world::kNotJoined));
        return;
    }
    const std::string stored = NameForTable(account.name.toStdString());
    std::string why;
    const std::optional<std::vector<uint8_t>> file =
        BestRunFileOf(game_.Records(), shell_.StageDir(), shell_.CurrentStage(), stored, &why);
    if (!file) {
        Tell(Text(world::kNoRunOfName).arg(account.name));
        return;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(file->data()),
                           static_cast<qsizetype>(file->size()));
    client_.SendRun(account.server, account.key, bytes, [this](const WorldAnswer& answer) {
        if (answer.status != 201) {
            Tell(world::Problem(answer));
            return;
        }
        Tell(Text(world::kSent)
                 .arg(answer.json.value("rank").toInteger())
                 .arg(answer.json.value("time").toInt()));
    });
}

void WorldMenu::ShowBoard() {
    const WorldAccount account = Account();
    if (account.server.isEmpty()) {
        Tell(Text(world::kNotJoined));
        return;
    }
    std::optional<int64_t> chosen;
    shell_.RunHostDialog([&] {
        WorldBoardDialog dialog(client_, account, CourseHex(), shell_.CurrentStage(),
                                QString::fromStdString(shell_.CurrentPackName()), &window_);
        if (boardWatcher_) {
            QTimer::singleShot(0, &dialog, [this, &dialog] { boardWatcher_(dialog); });
        }
        dialog.exec();
        chosen = dialog.ChosenRun();
    });
    if (chosen) {
        RaceGhost(*chosen);
    }
}

void WorldMenu::RaceGhost(int64_t id) {
    client_.Ghost(Account().server, id, [this, id](const WorldAnswer& answer) {
        if (answer.status != 200) {
            Tell(world::Problem(answer));
            return;
        }
        // The same path as a file the player picks: checked against the stage and driven.
        dialogs_.OfferNextFile({"world-" + std::to_string(id) + ".run",
                                std::vector<uint8_t>(answer.bytes.begin(), answer.bytes.end()),
                                {}});
        window_.SendCommand(Command::RaceRunFile);
    });
}

}  // namespace vantrell::desktop
