// vantrell-contentgen: composes all of Vantrell's game content, deterministically.
//   vantrell-contentgen --game DIR [--resources DIR] [--docs DIR] [--icons DIR] [--stages DIR]
// The built-in stages come from their design files, stage<n>.toml in --stages DIR (by default
// the source tree's tools/contentgen/stages).
#include <cstdio>
#include <exception>
#include <string>

#include "content_writer.h"
#include "design_file.h"

int main(int argc, char** argv) {
    std::string game;
    std::string resources;
    std::string docs;
    std::string icons;
    std::string stages = vantrell::contentgen::DefaultDesignFolder().string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 < argc && arg == "--game") {
            game = argv[++i];
        } else if (i + 1 < argc && arg == "--resources") {
            resources = argv[++i];
        } else if (i + 1 < argc && arg == "--docs") {
            docs = argv[++i];
        } else if (i + 1 < argc && arg == "--icons") {
            icons = argv[++i];
        } else if (i + 1 < argc && arg == "--stages") {
            stages = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: %s --game DIR [--resources DIR] [--docs DIR] [--icons DIR] "
                         "[--stages DIR]\n",
                         argv[0]);
            return 2;
        }
    }
    if (game.empty() && resources.empty() && docs.empty() && icons.empty()) {
        std::fprintf(stderr,
                     "usage: %s --game DIR [--resources DIR] [--docs DIR] [--icons DIR] "
                     "[--stages DIR]\n",
                     argv[0]);
        return 2;
    }
    try {
        if (!game.empty()) {
            vantrell::contentgen::WriteGameDirectory(game, stages);
        }
        if (!resources.empty()) {
            vantrell::contentgen::WriteResources(resources);
        }
        if (!docs.empty()) {
            vantrell::contentgen::WriteDocPictures(docs, stages);
        }
        if (!icons.empty()) {
            vantrell::contentgen::WriteIcons(icons);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantrell-contentgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
