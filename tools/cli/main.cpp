// vantrell-tool: checks, traces, renders and replays runs headless, and drives our autopilot.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "autopilot/autopilot.h"
#include "cli/commands.h"
#include "io/game_directory.h"

namespace {

void PrintHelp() {
    std::printf(
        "vantrell-tool COMMAND [options]\n"
        "vantrell-tool --help\n"
        "\n"
        "Races are solo races driven headless exactly as the game drives them: byte t of a\n"
        "recording is player 1's controls on race tick t, player 2 has no input.\n"
        "Stages are numbered 1 to 5, as in the game's menu; the files count from 0\n"
        "(stage 1's are MAP0.DAT, VANREC0.DAT, S0N0.JOY to S0N9.JOY).\n"
        "\n"
        "  verify --stage N [--dir DIR] FILE.JOY\n"
        "      Drives the recording and prints 'goal T' (T = the time the game stores) or\n"
        "      'timeup'.\n"
        "  verify [--stage N] [--dir DIR] [--ladder]\n"
        "      Without a recording: drives every stored run of stage N, or of every stage,\n"
        "      and prints one line per table entry, best first: stage, rank, stored time,\n"
        "      driven time ('timeup' when it runs out of time), 'ok' when they agree,\n"
        "      'differs' when not, 'empty' for an empty entry (not driven), and the name.\n"
        "      --ladder then checks each table as the game ships them: ten runs, rank 10\n"
        "      at least 1.6 times rank 1 and 1200 ticks or more, no run going more than\n"
        "      60 ticks without forward or reverse; one line a stage.\n"
        "      Exit status 1 when any run differs or a ladder fails.\n"
        "  table --stage N [--dir DIR]\n"
        "      The stage's table in the same lines; exit status 0 whatever they show.\n"
        "  export --stage N --rank K --out FILE [--dir DIR]\n"
        "      Writes the run at rank K (1 is the best) as a run file for another game\n"
        "      folder. Refuses an empty entry (2) and a run that does not drive to its\n"
        "      stored time (1).\n"
        "  import FILE [--dir DIR]\n"
        "      Drives the run file's recording on the folder's own stage. A run faster than\n"
        "      rank 10 enters the table and is saved at once; every other entry keeps its\n"
        "      bytes. Refuses a damaged file or one set on other stage files (2) and a\n"
        "      recording that does not drive to its claimed time (1). A run not faster than\n"
        "      rank 10, or already in the table, is told and changes nothing (0).\n"
        "  trace --stage N [--dir DIR] [--out FILE.csv] FILE.JOY\n"
        "      The same drive as CSV, one line per tick: tick,phase,x,y,posX,posY,velX,velY,\n"
        "      heading,nextCheckpoint of the first craft after the tick. tick is raceTicks\n"
        "      (0 through the countdown); phase is countdown, running or finish. Written to\n"
        "      FILE.csv when given, else printed.\n"
        "  render --stage N --x X --y Y --heading H --out FILE [--view V] [--dir DIR]\n"
        "      Draws the driver's-eye view from course point (X, Y) looking along heading\n"
        "      H (0..63) at camera height HeightAt(X, Y), nothing stamped; X 0..400 and\n"
        "      Y 6..387, where a craft can be. FILE.bmp: the shown band, 96 x 120, 8-bit\n"
        "      with the frame buffer's colours. FILE.png: the band stretched to the default\n"
        "      window's view, 248 x 270, true colour. --view original (the default),\n"
        "      sharp2, sharp4 or wide: the picture mode; its band is 96 x 120, 192 x 240,\n"
        "      384 x 480 or 744 x 480, shown at 248 x 270 (wide: 480 x 270).\n"
        "  replay --stage N [FILE.JOY] --out OUT [--every K] [--view V] [--dir DIR]\n"
        "      Renders a run frame by frame as the window shows it (248 x 270): numbered\n"
        "      PNGs frame_NNNN.png in the folder OUT, or one animated PNG when OUT ends in\n"
        "      .png (16 ms a tick). Without FILE.JOY: the stage's best stored run. --every K\n"
        "      keeps every K-th frame; --view as for render.\n"
        "  autopilot --stage N --out FILE.JOY [--style S] [--dir DIR]\n"
        "      Our driver races the stage and writes its 2400-byte recording; prints\n"
        "      'goal T' or 'timeup'.\n"
        "  make-records [--stage N] [--replace] [--dir DIR]\n"
        "      Races every style on every stage (or stage N), verifies each run by\n"
        "      replaying it and writes VANREC<n>.DAT and S<n>N<k>.JOY (n = N - 1, fastest\n"
        "      first) into DIR: the ten best of the runs already there and its own, or\n"
        "      with --replace its own only.\n"
        "  digest [--frames N] [--dir DIR]\n"
        "      Fingerprints for comparing another build of the game with this one: the\n"
        "      SHA-256 of the view and heading tables ('tables HEX'), then of each of the\n"
        "      first N frames (default 120) the game shows from its start, band and colours,\n"
        "      with the status strip's text ('frame K HEX TEXT').\n"
        "  check-stage --stage N [--dir DIR]\n"
        "      Checks the stage's files and prints 'FILE: reason' for each problem, or\n"
        "      'ok'.\n"
        "  make-stage DESIGN.toml --out FILE.vstage\n"
        "      Makes the stage a design file describes into a stage pack: the stage's\n"
        "      files, checked, with the ten runs of the autopilot's styles as its records\n"
        "      and a manifest naming its course digest. Exit status 1 when the stage fails\n"
        "      the check or a style cannot finish it (the design's line is named).\n"
        "  world register NAME --server URL [--key FILE]\n"
        "      Registers the name on a world table server (vantrell-server) and keeps its\n"
        "      key and the server's address in FILE (~/.config/vantrell/world-key).\n"
        "  world send (FILE.run | --stage N [--rank K] [--dir DIR]) [--key FILE]\n"
        "      Sends a run of the registered name (a run file, or rank K of the table,\n"
        "      default 1); prints its world rank, or the server's reason for refusing it.\n"
        "  world table --stage N [--offset K] [--limit N] [--server URL] [--dir DIR]\n"
        "      The world table of the stage as this folder's files make it.\n"
        "  world ghost RUN --out FILE.run [--server URL]\n"
        "      Downloads run RUN of the world table as a run file, to race in the game.\n"
        "\n"
        "--pack FILE.vstage in place of --stage N runs check-stage, verify, table,\n"
        "export, import, trace, render, replay and autopilot on a stage pack; import\n"
        "saves the run into the pack. A pack's run files name its course digest.\n"
        "\n"
        "DIR is the game directory with the stage files; by default the build's game\n"
        "directory (%s),\n"
        "or for an installed tool ~/.local/share/vantrell/game, filled from\n"
        "/usr/share/vantrell/game on first use. The race commands refuse a stage that\n"
        "fails check-stage.\n"
        "Exit status: 0 done; 1 a check found a problem (verify, check-stage,\n"
        "make-records, make-stage, export, import); 2 input the tool cannot use (a\n"
        "bad option, file, folder or stage, a damaged run file or one made on other\n"
        "stage files, a design with a fault, a pack the reader refuses).\n"
        "Driving styles:",
        (vantrell::CurrentPlaces().buildDir / "game").string().c_str());
    for (const vantrell::AutopilotStyle& style : vantrell::AutopilotStyles()) {
        std::printf(" %s", style.name.c_str());
    }
    std::printf(" (default %s)\n", vantrell::AutopilotStyles().front().name.c_str());
}

// One "vantrell-tool: " line per line of the message.
void PrintLines(const std::string& message) {
    size_t start = 0;
    while (start <= message.size()) {
        const size_t end = std::min(message.find('\n', start), message.size());
        std::fprintf(stderr, "vantrell-tool: %s\n", message.substr(start, end - start).c_str());
        start = end + 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vantrell::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return args.empty() ? 2 : 0;
    }
    try {
        if (args[0] == "world") {
            return RunWorld(args);
        }
        const CliOptions options = ParseCommandLine(args);
        const std::string& command = options.command;
        if (command == "verify") {
            return RunVerify(options);
        }
        if (command == "trace") {
            return RunTrace(options);
        }
        if (command == "render") {
            return RunRender(options);
        }
        if (command == "replay") {
            return RunReplay(options);
        }
        if (command == "autopilot") {
            return RunAutopilot(options);
        }
        if (command == "make-records") {
            return RunMakeRecords(options);
        }
        if (command == "check-stage") {
            return RunCheckStage(options);
        }
        if (command == "table") {
            return RunTable(options);
        }
        if (command == "digest") {
            return RunDigest(options);
        }
        if (command == "export") {
            return RunExport(options);
        }
        if (command == "import") {
            return RunImport(options);
        }
        if (command == "make-stage") {
            return RunMakeStage(options);
        }
        throw CliError(command + ": unknown command; run 'vantrell-tool --help' for the commands");
    } catch (const std::exception& error) {
        // Whatever stopped the command came from what it was given (an option, a file, a
        // folder); status 1 is kept for a check that ran and found a problem.
        PrintLines(error.what());
        return 2;
    }
}
