// The rig interface reaching a Ten-Tec Pegasus through its control
// program's files, written here as that program would.

#include "rig_fixture.h"
#include "support/pty_peer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using testing_support::RigFixture;
using testing_support::readBytes;
using testing_support::waitUntil;
using testing_support::writeBytes;

namespace {

/// Chooses the Pegasus, points it at folder and clicks Test (no port).
void connect(RigFixture& f, const QString& folder)
{
    f.window().show();
    f.chooseRig("Ten Tec Pegasus");
    ASSERT_TRUE(f.window().txtPegasusFolder->isVisible());
    f.window().txtPegasusFolder->setText(folder);
    f.window().optPollFast->setChecked(true);
    f.window().testButton->click();
    ASSERT_TRUE(f.window().tmrGetData->isActive());
}

}  // namespace

TEST(PegasusPolling, TestReadsTheFilePollingFollowsItAndChangeFrequencyWritesTheRequest)
{
    RigFixture f;
    QTemporaryDir pegasus;
    writeBytes(pegasus.filePath("PEGASUS.OUT"), "7.04,\"USB\"\r\n");
    connect(f, pegasus.path());
    ASSERT_TRUE(f.handedOver("band:7.040"));
    ASSERT_TRUE(f.handedOver("mode:PH"));
    EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "7.04000"; }, 2000));
    EXPECT_TRUE(f.window().lblUnProcess->text().contains("7.04,\"USB\""));

    writeBytes(pegasus.filePath("PEGASUS.OUT"), "14.025\r\nCW\r\n");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    ASSERT_TRUE(f.handedOver("mode:CW"));

    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_EQ(mhz, 21.3f);
    EXPECT_EQ(readBytes(pegasus.filePath("PEGASUS.IN")), QByteArray("21.3\r\nCW\r\n"));
    EXPECT_TRUE(f.window().tmrGetData->isActive());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
}

TEST(PegasusPolling, AMissingOrDamagedFileIsShownAndSetsNothing)
{
    struct Case {
        const char* what;
        QByteArray text;  ///< empty: no file
        const char* shown;
    };
    const Case cases[] = {
        {"missing", {}, "PEGASUS.OUT was not found in "},
        {"cut short", "14.0", "PEGASUS.OUT ends before the mode."},
        {"damaged", "fourteen,CW\r\n", "PEGASUS.OUT does not begin with a frequency in MHz."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RigFixture f;
        QTemporaryDir pegasus;
        if (!c.text.isEmpty())
            writeBytes(pegasus.filePath("PEGASUS.OUT"), c.text);
        connect(f, pegasus.path());
        EXPECT_TRUE(waitUntil(
            [&] { return f.window().lblUnProcess->text().startsWith(QString::fromLatin1(c.shown)); }, 2000))
            << f.window().lblUnProcess->text().toStdString();
        ASSERT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "No Response"; }, 2000));
        EXPECT_FALSE(waitUntil([&] { return !f.target.calls.isEmpty(); }, 300));
        EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());

        // The control program comes up: polling picks its file up.
        writeBytes(pegasus.filePath("PEGASUS.OUT"), "3.55,LSB\r\n");
        ASSERT_TRUE(f.handedOver("band:3.550"));
    }
}

TEST(PegasusPolling, ARequestThatCannotBeWrittenIsReported)
{
    RigFixture f;
    QTemporaryDir pegasus;
    writeBytes(pegasus.filePath("PEGASUS.OUT"), "7.04,LSB\r\n");
    connect(f, pegasus.path());
    ASSERT_TRUE(f.handedOver("band:7.040"));
    f.window().txtPegasusFolder->setText(pegasus.filePath("gone"));
    float mhz = 7.03f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle("Error Changing Frequency"));
}

TEST(PegasusPolling, TheFolderIsRememberedWithTheRigSettings)
{
    RigFixture f;
    const QString byDefault = QDir(f.fx.state.folders.UserDataFolder).filePath("Pegasus");
    f.chooseRig("Ten Tec Pegasus");
    EXPECT_EQ(f.window().txtPegasusFolder->text(), byDefault);
    // Test makes the default folder for the control program to use.
    f.window().testButton->click();
    EXPECT_TRUE(QDir(byDefault).exists());
    f.window().cmdDone->click();
    EXPECT_EQ(readBytes(f.fx.path("RigCntrl.txt")).count('\n'), 14);

    QTemporaryDir own;
    f.window().txtPegasusFolder->setText(own.path());
    f.window().cmdDone->click();
    EXPECT_TRUE(readBytes(f.fx.path("RigCntrl.txt")).endsWith("\"" + own.path().toLatin1() + "\"\r\n"));
    f.radio->unloadRigWindow();
    EXPECT_EQ(f.window().txtPegasusFolder->text(), own.path());
    EXPECT_FALSE(f.window().txtPegasusFolder->isHidden());

    // Another rig type hides the box.
    f.chooseRig("Kenwood");
    EXPECT_TRUE(f.window().txtPegasusFolder->isHidden());
}
