#include "keying/key_lines.h"

#include "platform/parallel_port.h"
#include "platform/serial_link.h"

namespace keying {

bool SerialKeyLine::setKey(bool down)
{
    return m_which == Which::Rts ? m_link.setRts(down) : m_link.setDtr(down);
}

QString SerialKeyLine::failureText() const { return m_link.lastLineErrorText(); }

bool ParallelKeyLine::setKey(bool down) { return m_port.writeControl(m_base, down ? KeyDown : KeyUp); }

QString ParallelKeyLine::failureText() const { return m_port.errorText(); }

}  // namespace keying
