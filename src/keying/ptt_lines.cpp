#include "keying/ptt_lines.h"

#include "platform/hardware.h"

#include <algorithm>

namespace keying {

namespace {
constexpr std::uint8_t ParallelKeyed = 3;
constexpr std::uint8_t ParallelUnkeyed = 2;
}  // namespace

bool PttLines::raiseSerial(int portNumber, bool dtr)
{
    platform::SerialLink& link = m_hardware.serial(portNumber);
    if (!link.isOpen())
        return true;
    // A line that cannot be set (a port without modem lines) is remembered
    // all the same, so that the end drops it.
    const bool raised = dtr ? link.setDtr(true) : link.setRts(true);
    if (!raised)
        m_failure = link.lastLineErrorText();
    const SerialLine line{portNumber, dtr, link.connection()};
    if (std::find(m_serial.begin(), m_serial.end(), line) == m_serial.end())
        m_serial.push_back(line);
    return raised;
}

bool PttLines::raiseParallel(int baseAddress)
{
    // Remembered before the write: a write that failed half way must still
    // be undone at the end.
    m_parallel = baseAddress;
    if (m_hardware.parallel().writeControl(baseAddress, ParallelKeyed))
        return true;
    m_failure = m_hardware.parallel().errorText();
    return false;
}

void PttLines::dropAll()
{
    for (const SerialLine& line : m_serial) {
        platform::SerialLink& link = m_hardware.serial(line.port);
        if (link.connection() != line.connection)
            continue;
        if (line.dtr)
            link.setDtr(false);
        else
            link.setRts(false);
    }
    m_serial.clear();
    if (m_parallel) {
        m_hardware.parallel().writeControl(*m_parallel, ParallelUnkeyed);
        m_parallel.reset();
    }
}

void PttLines::forgetSerial(int portNumber)
{
    std::erase_if(m_serial, [portNumber](const SerialLine& l) { return l.port == portNumber; });
}

}  // namespace keying
