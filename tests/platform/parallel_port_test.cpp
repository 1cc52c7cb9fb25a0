#include "platform/parallel_port.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>

#include <gtest/gtest.h>

using platform::LineEvent;
using platform::LineRecorder;
using platform::ParallelPort;

namespace {

TEST(ParallelPortTest, BaseAddressesAreDecimalOrMarkedHexadecimal)
{
    struct Case {
        const char* text;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"888", 0x378},   {"&H378", 0x378}, {"&h3bc", 0x3BC}, {"0x278", 0x278}, {"0X3BC", 0x3BC},
        {" 632 ", 0x278}, {"378", 378},     {"", std::nullopt}, {"abc", std::nullopt}, {"&H", std::nullopt},
        {"0x", std::nullopt}, {"-1", std::nullopt}, {"0", std::nullopt}, {"&H10000", std::nullopt},
        {"12a", std::nullopt}, {"&HXYZ", std::nullopt}, {"3.5", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParallelPort::parseBaseAddress(QString::fromLatin1(c.text)), c.expected) << c.text;
}

class ParallelPortFolderTest : public ::testing::Test {
protected:
    ParallelPortFolderTest() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ParallelPortFolderTest() override { QDir::setCurrent(m_previous); }
    QTemporaryDir m_dir;
    QString m_previous;
    LineRecorder recorder;
};

TEST_F(ParallelPortFolderTest, TheTableFileNamesDevicesBeforeTheUsualThree)
{
    EXPECT_EQ(ParallelPort::deviceFor(0x378), QStringLiteral("/dev/parport0"));
    EXPECT_EQ(ParallelPort::deviceFor(0x278), QStringLiteral("/dev/parport1"));
    EXPECT_EQ(ParallelPort::deviceFor(0x3BC), QStringLiteral("/dev/parport2"));
    EXPECT_EQ(ParallelPort::deviceFor(0x2BC), std::nullopt);

    testing_support::writeBytes(QStringLiteral("parports.txt"),
                                "# the PCI card\n0x378=/dev/parport3\n&H2BC = /dev/parport4\nnonsense\n");
    EXPECT_EQ(ParallelPort::deviceFor(0x378), QStringLiteral("/dev/parport3"));
    EXPECT_EQ(ParallelPort::deviceFor(0x2BC), QStringLiteral("/dev/parport4"));
    EXPECT_EQ(ParallelPort::deviceFor(0x278), QStringLiteral("/dev/parport1"));
}

TEST_F(ParallelPortFolderTest, RecordOnlyWritesAreRecordedAndTouchNoDevice)
{
    ParallelPort port;
    port.setRecorder(&recorder);
    port.setRecordOnly(true);
    EXPECT_TRUE(port.writeControl(0x2BC, 0x01));  // no device is named for it
    EXPECT_TRUE(port.writeControl(0x2BC, 0x00));
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(port.errorText().isEmpty());
    ASSERT_EQ(recorder.events().size(), 2u);
    EXPECT_EQ(recorder.events()[0].kind, LineEvent::Kind::ParallelControl);
    EXPECT_EQ(recorder.events()[0].value, 1);
    EXPECT_EQ(recorder.events()[1].value, 0);
    EXPECT_LE(recorder.events()[0].monotonicNs, recorder.events()[1].monotonicNs);
}

TEST_F(ParallelPortFolderTest, AMissingPortIsReportedAndEveryWriteStillRecorded)
{
    testing_support::writeBytes(QStringLiteral("parports.txt"), "0x378=/nonexistent/parport9\n");
    ParallelPort port;
    port.setRecorder(&recorder);
    EXPECT_FALSE(port.writeControl(0x378, 0x04));
    EXPECT_TRUE(port.errorText().contains(QStringLiteral("/nonexistent/parport9"))) << port.errorText().toStdString();
    EXPECT_TRUE(port.errorText().contains(QStringLiteral("parports.txt"))) << port.errorText().toStdString();
    EXPECT_FALSE(port.writeControl(0x378, 0x00));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(recorder.events().size(), 2u);

    EXPECT_FALSE(port.writeControl(0x2BC, 0x00));
    EXPECT_TRUE(port.errorText().contains(QStringLiteral("&H2BC"))) << port.errorText().toStdString();
    port.close();
    port.close();
}

TEST(ParallelPortTest, AFailedOpenSaysWhatToDo)
{
    const QString dev = QStringLiteral("/dev/parport0");
    EXPECT_TRUE(ParallelPort::adviceFor(dev, EACCES).contains(QStringLiteral("lp group")));
    EXPECT_TRUE(ParallelPort::adviceFor(dev, EPERM).contains(QStringLiteral("lp group")));
    for (int err : {ENOENT, ENODEV, ENXIO})
        EXPECT_TRUE(ParallelPort::adviceFor(dev, err).contains(QStringLiteral("parports.txt"))) << err;
    EXPECT_FALSE(ParallelPort::adviceFor(dev, EBUSY).isEmpty());
    EXPECT_TRUE(ParallelPort::adviceFor(dev, EIO).isEmpty());
}

}  // namespace
