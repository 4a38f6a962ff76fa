// vantrell-contentgen: composes all of Vantrell's game content, deterministically.
//   vantrell-contentgen --game DIR [--resources DIR] [--docs DIR]
#include <cstdio>
#include <exception>
#include <string>

#include "content_writer.h"

int main(int argc, char** argv) {
    std::string game;
    std::string resources;
    std::string docs;
    std::string icons;
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
        } else {
            std::fprintf(stderr,
                         "usage: %s --game DIR [--resources DIR] [--docs DIR] [--icons DIR]\n",
                         argv[0]);
            return 2;
        }
    }
    if (game.empty() && resources.empty() && docs.empty() && icons.empty()) {
        std::fprintf(stderr, "usage: %s --game DIR [--resources DIR] [--docs DIR] [--icons DIR]\n",
                     argv[0]);
        return 2;
    }
    try {
        if (!game.empty()) {
            vantrell::contentgen::WriteGameDirectory(game);
        }
        if (!resources.empty()) {
            vantrell::contentgen::WriteResources(resources);
        }
        if (!docs.empty()) {
            vantrell::contentgen::WriteDocPictures(docs);
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
