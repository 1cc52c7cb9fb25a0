#pragma once
// The program's hardware: one parallel port and the serial links, shared by
// every window that keys or talks through them (the CW and voice keyers, the
// WinKey keyer, rig control, the TNC). main() owns it; a test gives it a
// recorder and a port table that points port numbers at ptys.

#include "platform/line_recorder.h"
#include "platform/parallel_port.h"
#include "platform/serial_link.h"

#include <map>
#include <memory>

namespace platform {

class Hardware {
public:
    /// The link for port number n (created on first use). Windows that share
    /// a port number share its link, as one device can only be opened once;
    /// the keyers close one another's ports through it.
    SerialLink& serial(int portNumber)
    {
        auto& link = m_serial[portNumber];
        if (!link) {
            link = std::make_unique<SerialLink>();
            link->setRecorder(m_recorder);
            if (m_table)
                link->setPortTable(*m_table);
        }
        return *link;
    }
    ParallelPort& parallel() { return m_parallel; }

    void setRecorder(LineRecorder* recorder)
    {
        m_recorder = recorder;
        m_parallel.setRecorder(recorder);
        for (auto& [n, link] : m_serial)
            link->setRecorder(recorder);
    }
    void setPortTable(const SerialPortTable& table)
    {
        m_table = std::make_unique<SerialPortTable>(table);
        for (auto& [n, link] : m_serial)
            link->setPortTable(table);
    }

    /// Lowers every line and closes every port (File > Exit, closing).
    void closeAll()
    {
        for (auto& [n, link] : m_serial)
            link->close();
        m_parallel.close();
    }

private:
    LineRecorder* m_recorder = nullptr;
    std::unique_ptr<SerialPortTable> m_table;
    std::map<int, std::unique_ptr<SerialLink>> m_serial;
    ParallelPort m_parallel;
};

}  // namespace platform
