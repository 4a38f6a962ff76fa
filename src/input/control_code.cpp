#include "input/control_code.h"

namespace vantrell {

uint8_t EncodeControls(const ControlState& c) {
    if (c.live <= 0) {
        return 0;
    }
    uint8_t b = 0;
    if (c.forward > 0) {
        b |= kRunForward;
    }
    if (c.reverse > 0) {
        b |= kRunReverse;
    }
    if (c.left > 0) {
        b |= kRunLeft;
    }
    if (c.right > 0) {
        b |= kRunRight;
    }
    return b;
}

void ReplayByte(uint8_t byte, ControlState& c) {
    c = ControlState{};
    const uint8_t thrust = byte & 3;
    const uint8_t turn = byte & 12;
    // 3 (both thrusts) and 12 (both turns) and anything above 10 are not codes the recorder makes.
    if (byte > 10 || thrust == 3 || turn == 12) {
        return;
    }
    if (thrust == kRunForward) {
        c.forward = 1;
        c.reverse = -1;
    } else if (thrust == kRunReverse) {
        c.forward = -1;
        c.reverse = 1;
    }
    if (turn == kRunLeft) {
        c.right = -1;
        c.left = 1;
    } else if (turn == kRunRight) {
        c.right = 1;
        c.left = -1;
    }
}

uint8_t ControlByte(const ControlState& controls) {
    ControlState live = controls;
    live.live = 1;
    return static_cast<uint8_t>(EncodeControls(live) | (controls.button > 0 ? kControlButton : 0));
}

ControlState ControlsFromByte(uint8_t byte) {
    ControlState controls;
    ReplayByte(byte & static_cast<uint8_t>(~kControlButton), controls);
    controls.button = (byte & kControlButton) != 0 ? 1 : 0;
    return controls;
}

uint8_t RecordedControls(uint8_t byte) {
    ControlState controls;
    ReplayByte(byte, controls);
    return EncodeControls(controls);
}

}  // namespace vantrell
