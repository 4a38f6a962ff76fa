#include "hosts/desktop/alsa_quiet.h"

#include <alsa/asoundlib.h>

namespace vantrell::desktop {

namespace {

void IgnoreAlsaMessage(const char* /*file*/, int /*line*/, const char* /*function*/, int /*err*/,
                       const char* /*format*/, ...) {}

}  // namespace

void SilenceAlsaMessages() {
    snd_lib_error_set_handler(&IgnoreAlsaMessage);
}

}  // namespace vantrell::desktop
