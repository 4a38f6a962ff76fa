#include "cli/cli_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>

#include "io/game_directory.h"
#include "race/headless_race.h"
#include "race/stage_check.h"
#include "world/stage_count.h"

namespace vantrell::cli {

namespace {

int32_t ParseInt(const std::string& option, const std::string& text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end) {
        throw CliError(option + " " + text + ": not a whole number; give e.g. " + option + " 2");
    }
    return value;
}

}  // namespace

CliOptions ParseCommandLine(const std::vector<std::string>& args) {
    CliOptions options;
    if (args.empty()) {
        throw CliError("no command given; run 'vantrell-tool --help' for the commands");
    }
    options.command = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.rfind("--", 0) != 0) {
            options.positional.push_back(arg);
            continue;
        }
        if (std::find(options.given.begin(), options.given.end(), arg) != options.given.end()) {
            throw CliError(arg + ": given twice; give it once");
        }
        options.given.push_back(arg);
        if (arg == "--replace" || arg == "--ladder") {
            (arg == "--replace" ? options.replace : options.ladder) = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            throw CliError(arg + ": needs a value; run 'vantrell-tool --help' for the options");
        }
        const std::string& value = args[++i];
        if (arg == "--stage") {
            options.stage = ParseInt(arg, value);
        } else if (arg == "--x") {
            options.x = ParseInt(arg, value);
        } else if (arg == "--y") {
            options.y = ParseInt(arg, value);
        } else if (arg == "--heading") {
            options.heading = ParseInt(arg, value);
        } else if (arg == "--every") {
            options.every = ParseInt(arg, value);
        } else if (arg == "--rank") {
            options.rank = ParseInt(arg, value);
        } else if (arg == "--frames") {
            options.frames = ParseInt(arg, value);
        } else if (arg == "--dir") {
            options.dir = value;
        } else if (arg == "--out") {
            options.out = value;
        } else if (arg == "--style") {
            options.style = value;
        } else if (arg == "--pack") {
            options.pack = value;
        } else if (arg == "--view") {
            options.view = value;
        } else {
            throw CliError(arg + ": unknown option; run 'vantrell-tool --help' for the options");
        }
    }
    return options;
}

void AcceptOnly(const CliOptions& options, std::initializer_list<const char*> taken,
                size_t positionals) {
    for (const std::string& option : options.given) {
        if (std::find(taken.begin(), taken.end(), option) == taken.end()) {
            throw CliError(options.command + ": does not take " + option +
                           "; run 'vantrell-tool --help' for its options");
        }
    }
    if (options.positional.size() > positionals) {
        throw CliError(options.command + ": does not take the argument '" +
                       options.positional[positionals] +
                       "'; run 'vantrell-tool --help' for its arguments");
    }
}

int32_t RequireStage(const CliOptions& options) {
    const int32_t first = StageNumber(0);
    const int32_t last = StageNumber(kStageCount - 1);
    const std::string range = std::to_string(first) + " to " + std::to_string(last);
    const std::string advice =
        "give --stage " + std::to_string(first) + ".." + std::to_string(last);
    if (!options.stage) {
        throw CliError(options.command + ": no stage given; " + advice);
    }
    const int32_t number = *options.stage;
    if (number == first - 1) {
        // The files count from 0 (MAP0.DAT), so 0 is the likeliest slip.
        throw CliError("--stage " + std::to_string(number) + ": stages are numbered " + range +
                       ", as in the game's menu; stage " + std::to_string(first) + " is the first");
    }
    if (number < first || number > last) {
        throw CliError("--stage " + std::to_string(number) + ": there are stages " + range +
                       " only; " + advice);
    }
    return number - first;
}

std::string StageName(int32_t stage) {
    return "stage " + std::to_string(StageNumber(stage));
}

std::filesystem::path GameFolder(const CliOptions& options) {
    std::string error;
    const std::filesystem::path dir = FindGameDirectory(options.dir, CurrentPlaces(), error);
    if (dir.empty()) {
        throw CliError(error + "; give a writable folder with --dir DIR");
    }
    std::error_code code;
    const std::filesystem::file_status status = std::filesystem::status(dir, code);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw CliError(dir.string() + ": no such folder; give the game directory with --dir DIR");
    }
    if (!std::filesystem::is_directory(status)) {
        throw CliError(dir.string() + ": not a folder; give the game directory with --dir DIR");
    }
    std::filesystem::directory_iterator listing(dir, code);
    if (code) {
        throw CliError(dir.string() + ": cannot be read: " + code.message() +
                       "; give a folder you can read with --dir DIR");
    }
    return dir;
}

std::filesystem::path GameDirectory(const CliOptions& options, int32_t stage) {
    const std::filesystem::path dir = GameFolder(options);
    const std::vector<StageProblem> problems = CheckStage(dir, stage);
    if (problems.empty()) {
        return dir;
    }
    // Built by appending: GCC 12 warns falsely on a literal joined to a string here.
    const std::string advice = "; " + StageName(stage) +
                               " cannot be raced: fix the file or rebuild the game content " +
                               "(target vantrell-game-content)";
    std::string lines;
    for (const StageProblem& problem : problems) {
        if (!lines.empty()) {
            lines += '\n';
        }
        lines += (dir / problem.file).string();
        lines += ": ";
        lines += problem.reason;
        lines += advice;
    }
    throw CliError(lines);
}

std::filesystem::path RecordingArgument(const CliOptions& options, bool optional) {
    if (options.positional.empty()) {
        if (optional) {
            return {};
        }
        throw CliError(options.command + ": no recording file given; add a .JOY file");
    }
    return options.positional[0];
}

Recording ReadRecordingFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        const bool exists = std::filesystem::exists(path, error);
        throw CliError(path.string() + (exists ? ": not a file" : ": no such file") +
                       "; give the path of a 2400-byte .JOY recording");
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size != static_cast<std::uintmax_t>(kRaceTickLimit)) {
        throw CliError(path.string() + ": is " + std::to_string(error ? 0 : size) +
                       " bytes, a recording has exactly 2400; give a .JOY file the game wrote");
    }
    std::ifstream in(path, std::ios::binary);
    Recording recording{};
    if (!in.read(reinterpret_cast<char*>(recording.data()), kRaceTickLimit)) {
        throw CliError(path.string() + ": cannot be read; check its permissions");
    }
    return recording;
}

bool HasExtension(const std::filesystem::path& path, const std::string& extension) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == extension;
}

}  // namespace vantrell::cli
