// The desktop game's entry point; everything it needs lives in hosts/desktop.
#include "hosts/desktop/desktop_run.h"

int main(int argc, char** argv) {
    return vantrell::desktop::RunDesktopGame(argc, argv);
}
