#include "platform/beeper.h"

#include "platform/tone.h"

namespace platform {

Beeper::Beeper(bool audible) : m_audible(audible) {}
Beeper::~Beeper() = default;

void Beeper::beep()
{
    ++m_count;
    if (!m_audible)
        return;
    if (!m_tone)
        m_tone = std::make_unique<TonePlayer>();
    m_tone->play();
}

}  // namespace platform
