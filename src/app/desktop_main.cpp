// The desktop game's entry point; everything it needs lives in platform/desktop.
#include "platform/desktop/desktop_run.h"

int main(int argc, char** argv) {
    return vantrell::desktop::RunDesktopGame(argc, argv);
}
