#include "platform/beeper.h"

#include <QApplication>

namespace platform {

void Beeper::beep()
{
    ++m_count;
    if (m_audible)
        QApplication::beep();
}

}  // namespace platform
