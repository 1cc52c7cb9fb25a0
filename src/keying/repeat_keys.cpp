#include "keying/repeat_keys.h"

#include "platform/key_events.h"

namespace keying {

bool keyStopsRepeats(int keyCode, int shiftState)
{
    // The Ctrl key's own key-down may come with or without the Ctrl bit,
    // depending on whether the desktop counts the key being pressed.
    if (keyCode == platform::vbkey::Control)
        return false;
    return (shiftState & platform::CtrlMask) == 0;
}

}  // namespace keying
