#include "hosts/desktop/desktop_options.h"

#ifndef VANTRELL_VERSION
#define VANTRELL_VERSION "0.0.0"
#endif

namespace vantrell::desktop {

DesktopOptions ParseDesktopOptions(const std::vector<std::string>& args) {
    DesktopOptions options;
    auto fail = [&options](std::string message) {
        options.action = DesktopOptions::Action::Error;
        options.error = std::move(message);
        return options;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.action = DesktopOptions::Action::Help;
            return options;
        }
        if (arg == "--version") {
            options.action = DesktopOptions::Action::Version;
            return options;
        }
        if (arg == "--dir") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return fail("--dir needs a folder: --dir DIR");
            }
            options.dataDir = args[++i];
            continue;
        }
        if (arg.rfind("--dir=", 0) == 0) {
            options.dataDir = arg.substr(6);
            if (options.dataDir.empty()) {
                return fail("--dir needs a folder: --dir DIR");
            }
            continue;
        }
        if (arg == "--lang" || arg.rfind("--lang=", 0) == 0) {
            std::string code;
            if (arg == "--lang") {
                code = i + 1 < args.size() ? args[++i] : "";
            } else {
                code = arg.substr(7);
            }
            if (code != "ja" && code != "en") {
                return fail("--lang takes ja (Japanese) or en (English)");
            }
            options.language = code;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-' && arg[1] != '-') {
            // Qt's option; its value, if any, follows as a word of its own.
            if (i + 1 < args.size() && !args[i + 1].empty() && args[i + 1][0] != '-') {
                ++i;
            }
            continue;
        }
        return fail("unknown argument '" + arg + "' (try --help)");
    }
    return options;
}

std::string UsageText(const std::string& program) {
    return "Usage: " + program +
           " [--dir DIR] [--lang ja|en] [--help] [--version]\n"
           "Vantrell: air-cushion craft racing through 20 checkpoints.\n"
           "\n"
           "  --dir DIR   run in the game directory DIR (stage, music and record files);\n"
           "              the game changes into it. Default: the directory the build made,\n"
           "              or for an installed game ~/.local/share/vantrell/game\n"
           "  --lang ja|en  menus and dialogs in Japanese or English for this run; without it\n"
           "              the choice made in the menu, else the system's language\n"
           "  --help      show this text and exit\n"
           "  --version   show the version and exit\n"
           "\n"
           "Qt's own options (-platform NAME, -style NAME, ...) are passed on to Qt.\n";
}

std::string VersionText() {
    return std::string("vantrell ") + VANTRELL_VERSION + "\n";
}

}  // namespace vantrell::desktop
