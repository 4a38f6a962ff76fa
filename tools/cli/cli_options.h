// The tool's command line: one subcommand, its options and its positional arguments, and the
// checks every subcommand shares (stage number, game directory, recording files). Every fault
// becomes a CliError whose text is the one line the user is shown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "race/game_state.h"

namespace vantrell::cli {

// Input the tool cannot use (exit status 2). The text is shown one line per line, each line
// naming what is wrong and what to do.
struct CliError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct CliOptions {
    std::string command;
    std::optional<int32_t> stage;
    std::optional<int32_t> x;
    std::optional<int32_t> y;
    std::optional<int32_t> heading;
    std::optional<int32_t> every;
    std::optional<int32_t> rank;
    std::optional<int32_t> frames;
    std::string dir;
    std::string out;
    std::string style;
    std::string pack;  // --pack FILE: a stage pack in place of --stage N
    std::string view;
    bool replace = false;
    bool ladder = false;  // verify: the tables must step down from an expert to a beginner
    std::vector<std::string> given;  // the options as typed, e.g. "--stage"
    std::vector<std::string> positional;
};

// Reads the arguments after the program name. Unknown options, options given twice and
// malformed numbers throw.
CliOptions ParseCommandLine(const std::vector<std::string>& args);

// Refuses any option the command does not take, and more than `positionals` arguments.
void AcceptOnly(const CliOptions& options, std::initializer_list<const char*> taken,
                size_t positionals = 0);

// The stage --stage names, which must be given. A person types the number the game's menu
// shows (1..5); the result is the stage as the files number it (0..4). pack_folder.h's
// RaceableStage also takes --pack FILE.
int32_t RequireStage(const CliOptions& options);
// "stage 3" for stage 2 of the files: how every line the tool prints names a stage.
std::string StageName(int32_t stage);
// The game directory as the game finds it (--dir, else the build's game directory or, for an
// installed program, the user's own copy), checked to be a folder the tool can read.
std::filesystem::path GameFolder(const CliOptions& options);
// The game folder, checked to hold stage `stage` in a state it can be raced on (CheckStage);
// every problem is one line of the error.
std::filesystem::path GameDirectory(const CliOptions& options, int32_t stage);
// The positional recording file (AcceptOnly refuses a second), or the empty path when none
// was given and `optional`.
std::filesystem::path RecordingArgument(const CliOptions& options, bool optional);
// A 2400-byte recording file, read whole.
Recording ReadRecordingFile(const std::filesystem::path& path);
// True when the path ends in the extension, whatever its case (".png", ".bmp").
bool HasExtension(const std::filesystem::path& path, const std::string& extension);

}  // namespace vantrell::cli
