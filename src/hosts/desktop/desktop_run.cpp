#include "hosts/desktop/desktop_run.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hosts/desktop/desktop_app.h"
#include "hosts/desktop/desktop_options.h"
#include "hosts/desktop/display_check.h"
#include "hosts/desktop/game_style.h"
#include "hosts/desktop/tick_probe.h"
#include "hosts/desktop/ui_fonts.h"
#include "io/game_directory.h"

namespace vantrell::desktop {

namespace {

// Changes into the game directory, so that every plain file name the game opens is found
// there. Prints one line and returns false when that cannot be done.
bool EnterGameDirectory(const DesktopOptions& options) {
    namespace fs = std::filesystem;
    std::string error;
    const fs::path dir = FindGameDirectory(options.dataDir, CurrentPlaces(), error);
    if (dir.empty()) {
        std::fprintf(stderr, "vantrell: %s; give a writable folder with --dir DIR\n",
                     error.c_str());
        return false;
    }
    std::error_code code;
    if (!fs::is_directory(dir, code)) {
        std::fprintf(stderr,
                     "vantrell: game directory %s does not exist; build the game first or "
                     "give one with --dir DIR\n",
                     dir.string().c_str());
        return false;
    }
    fs::current_path(dir, code);
    if (code) {
        std::fprintf(stderr, "vantrell: cannot enter game directory %s: %s\n", dir.string().c_str(),
                     code.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int RunDesktopGame(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const DesktopOptions options = ParseDesktopOptions(args);
    switch (options.action) {
        case DesktopOptions::Action::Help:
            std::fputs(UsageText(argc > 0 ? argv[0] : "vantrell").c_str(), stdout);
            return 0;
        case DesktopOptions::Action::Version:
            std::fputs(VersionText().c_str(), stdout);
            return 0;
        case DesktopOptions::Action::Error:
            std::fprintf(stderr, "vantrell: %s\n", options.error.c_str());
            return 2;
        case DesktopOptions::Action::Run:
            break;
    }
    if (const std::optional<std::string> missing = MissingDisplay(args)) {
        std::fprintf(stderr, "vantrell: %s\n", missing->c_str());
        return 2;
    }
    if (!EnterGameDirectory(options)) {
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName(kSettingsOrganisation);
    QApplication::setApplicationName(kSettingsApplication);
    QApplication::setStyle(new GameStyle);
    QApplication::setFont(MenuFont());
    // The game ends when its window is destroyed, not when Qt sees no window left.
    QApplication::setQuitOnLastWindowClosed(false);

    DesktopSettings settings;
    settings.language = ParseUiLanguage(options.language);
    DesktopApp app(settings);
    const std::unique_ptr<TickProbe> probe = TickProbe::FromEnvironment(app);
    if (probe) {
        app.Window().SetAfterTick([&probe] { probe->AfterTick(); });
    }
    app.Window().SetOnQuit([&probe](int code) {
        if (probe) {
            probe->Closed();
        }
        QCoreApplication::exit(code);
    });
    app.Start();
    const int code = QApplication::exec();
    app.Sound().CloseWithProcess();
    return code;
}

}  // namespace vantrell::desktop
