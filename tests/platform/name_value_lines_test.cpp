// The tables the operator writes by hand, whatever line ends the editor used.
#include "platform/name_value_lines.h"
#include "platform/parallel_port.h"
#include "platform/serial_port_table.h"
#include "spots/agw_engine_address.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(NameValueLines, EveryTableReadsTheSameWithLfCrLfOrCrAloneLineEndsAndAByteOrderMark)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    for (const char* end : {"\n", "\r\n", "\r"}) {
        const auto lines = [&](std::initializer_list<const char*> texts) {
            QByteArray bytes;
            for (const char* text : texts)
                bytes += QByteArray(text) + end;
            return bytes;
        };
        // Some editors start the file with a byte order mark.
        testing_support::writeBytes(QStringLiteral("serialports.txt"),
                                    "\xEF\xBB\xBF" + lines({"1=/dev/ttyUSB0", "# the shack", "", "2 = /dev/ttyUSB1"}));
        const auto serial = platform::SerialPortTable::load(QStringLiteral("serialports.txt"));
        EXPECT_EQ(serial.device(1), QStringLiteral("/dev/ttyUSB0")) << end;
        EXPECT_EQ(serial.device(2), QStringLiteral("/dev/ttyUSB1")) << end;

        testing_support::writeBytes(QStringLiteral("parports.txt"), lines({"0x378=/dev/parport3", "&H2BC=/dev/parport4"}));
        EXPECT_EQ(platform::ParallelPort::deviceFor(0x378), QStringLiteral("/dev/parport3")) << end;
        EXPECT_EQ(platform::ParallelPort::deviceFor(0x2BC), QStringLiteral("/dev/parport4")) << end;

        const auto agw = spots::parseAgwEngineAddress(QString::fromLatin1(lines({"host=192.168.1.20", "port=8001"})));
        EXPECT_EQ(agw.host, QStringLiteral("192.168.1.20")) << end;
        EXPECT_EQ(agw.port, 8001) << end;
    }
    QDir::setCurrent(previous);
}

}  // namespace
