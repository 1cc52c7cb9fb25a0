#pragma once
// The platform services a window needs, passed in by reference so that a
// test can put scripted prompts, a silent beeper, a manual clock and a fixed
// screen in their place.

#include "platform/beeper.h"
#include "platform/clock.h"
#include "platform/prompt.h"
#include "platform/registry.h"
#include "platform/screen.h"

namespace platform {

struct Services {
    Prompt& prompt;
    Beeper& beeper;
    Clock& clock;
    Screen& screen;
    Registry& registry;
};

}  // namespace platform
