#pragma once
// Which keys pressed in a main window end the F1 repeats (CW and voice).
//
// A key pressed without Ctrl ends them before it is handled, F1 included,
// which then starts a new cycle. Ctrl is the operator's way into the keyer
// windows while a CQ repeats (Ctrl+C for the CW messages, Ctrl+P for the
// voice ones): the Ctrl key's own key-down, and every key pressed with Ctrl
// held, leave the repeats running.

namespace keying {

/// keyCode and shiftState as a main window's KeyDown receives them.
[[nodiscard]] bool keyStopsRepeats(int keyCode, int shiftState);

}  // namespace keying
