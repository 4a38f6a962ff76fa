// digest: what another build of the game (the browser's, say) must reproduce exactly.
#include <cstdio>

#include "cli/commands.h"
#include "hosts/headless/headless_host.h"
#include "race/frame_digest.h"

namespace vantrell::cli {

int RunDigest(const CliOptions& options) {
    AcceptOnly(options, {"--dir", "--frames"});
    const int32_t frames = options.frames.value_or(120);
    if (frames < 0) {
        throw CliError("--frames " + std::to_string(frames) + ": must be 0 or more");
    }
    const std::filesystem::path dir = GameDirectory(options, 0);
    std::printf("tables %s\n", TablesDigest().c_str());
    // The game as a window would start it, nobody at the controls: the demonstration.
    HeadlessHost host;
    host.Start(dir);
    int32_t shown = 0;
    while (shown < frames && host.RunTicks(1) == 1) {
        if (host.display.PresentCount() > shown) {
            shown = host.display.PresentCount();
            std::printf("frame %d %s %s\n", shown,
                        BandDigest(host.game().State().FrameBuffer()).c_str(),
                        host.display.StatusNow().c_str());
        }
    }
    return 0;
}

}  // namespace vantrell::cli
