#include "keying/key_lines.h"

#include "platform/parallel_port.h"
#include "platform/serial_link.h"

namespace keying {

bool SerialKeyLine::setKey(bool down)
{
    return m_which == Which::Rts ? m_link.setRts(down) : m_link.setDtr(down);
}

bool ParallelKeyLine::setKey(bool down) { return m_port.writeControl(m_base, down ? KeyDown : KeyUp); }

}  // namespace keying
