// The rig interface window without a rig: the rig list and its defaults,
// Test with no rig or a port that is missing, Done and RigCntrl.txt, the
// band plan, and the tuning operations while nothing is polled.

#include "rig_fixture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using testing_support::RigFixture;

namespace {

QString checkedIn(const std::vector<std::pair<QRadioButton*, const char*>>& group)
{
    for (const auto& [button, name] : group)
        if (button->isChecked())
            return QString::fromLatin1(name);
    return QStringLiteral("none");
}

struct Options {
    radio::RigInterfaceWindow& w;
    QString baud() const
    {
        return checkedIn({{w.optBaud12, "1.2"}, {w.optBaud24, "2.4"}, {w.optBaud48, "4.8"},
                          {w.optBaud96, "9.6"}, {w.optBaud144, "14.4"}, {w.optBaud192, "19.2"},
                          {w.optBaud288, "28.8"}, {w.optBaud384, "38.4"}, {w.optBaud560, "56"}});
    }
    QString parity() const
    {
        return checkedIn({{w.optParityOdd, "O"}, {w.optParityNone, "N"}, {w.optParityEven, "E"}});
    }
    QString data() const { return checkedIn({{w.optData7, "7"}, {w.optData8, "8"}}); }
    QString stop() const { return checkedIn({{w.optStop1, "1"}, {w.optStop2, "2"}}); }
    QString all() const { return baud() + "," + parity() + "," + data() + "," + stop(); }
};

QByteArray rigCntrl(const QStringList& lines)
{
    QByteArray text;
    for (const QString& l : lines)
        text += l.toLatin1() + "\r\n";
    return text;
}

}  // namespace

TEST(RigInterfaceWindow, LoadsWithDesignValuesAndTheRigList)
{
    RigFixture f;
    auto& w = f.window();
    EXPECT_EQ(w.windowTitle(), " Rig Interface Setup");
    EXPECT_EQ(w.rigList->count(), 19);
    EXPECT_EQ(w.rigList->item(18)->text(), "Other");
    EXPECT_EQ(Options{w}.all(), "56,N,8,1");
    EXPECT_TRUE(w.optComm[0]->isChecked());
    EXPECT_TRUE(w.optPollMed->isChecked());
    EXPECT_TRUE(w.chkFrequency->isChecked());
    EXPECT_TRUE(w.OptRig->isChecked());
    EXPECT_FALSE(w.chkConvToHex->isEnabled());
    EXPECT_FALSE(w.endTestButton->isEnabled());
    EXPECT_FALSE(w.tmrGetData->isActive());
    EXPECT_FALSE(w.sidebandTable().empty());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
}

TEST(RigInterfaceWindow, ChoosingARigAppliesItsDefaults)
{
    RigFixture f;
    auto& w = f.window();
    w.optComm[2]->setChecked(true);
    f.chooseRig("Kenwood");
    EXPECT_EQ(f.fx.state.prefs.RigType, "Kenwood");
    EXPECT_EQ(Options{w}.all(), "4.8,N,8,2");
    EXPECT_EQ(w.txtFreq->text(), "FA;");
    EXPECT_EQ(w.txtMode->text(), "MD;");
    EXPECT_FALSE(w.chkConvToHex->isChecked());
    EXPECT_TRUE(w.optComm[2]->isChecked());

    f.chooseRig("Icom");
    EXPECT_EQ(Options{w}.all(), "1.2,N,8,1");
    EXPECT_TRUE(w.chkConvToHex->isChecked());
    EXPECT_TRUE(w.ChkConvHex->isChecked());
    EXPECT_FALSE(w.icomAddressNote->isHidden());
    // Only the baud is the FTdx9000's own.
    f.chooseRig("Yaesu FTdx9000");
    EXPECT_EQ(Options{w}.all(), "4.8,N,8,1");
    EXPECT_EQ(w.txtMode->text(), "MD0;");
    EXPECT_TRUE(w.icomAddressNote->isHidden());
    EXPECT_FALSE(w.chkConvToHex->isChecked());

    for (const char* rig : {"Ten Tec Pegasus", "None"}) {
        f.chooseRig(QString::fromLatin1(rig));
        EXPECT_EQ(Options{w}.all(), "4.8,N,8,1") << rig;
        EXPECT_TRUE(w.txtFreq->text().isEmpty());
        EXPECT_TRUE(w.txtMode->text().isEmpty());
    }
    f.chooseRig("Other");
    EXPECT_TRUE(w.chkConvToHex->isEnabled());
    EXPECT_FALSE(w.chkConvToHex->isChecked());
}

TEST(RigInterfaceWindow, ChoosingAnotherRigForgetsTheFrequencyForTheLog)
{
    RigFixture f;
    f.fx.state.log.RigFrequencyText = QStringLiteral("14.025");
    f.chooseRig("Elecraft");
    EXPECT_TRUE(f.fx.state.log.RigFrequencyText.isEmpty());
}

TEST(RigInterfaceWindow, TestWithNoRigOnlyCollectsTheOptions)
{
    RigFixture f;
    auto& w = f.window();
    w.optBaud96->setChecked(true);
    w.optParityEven->setChecked(true);
    w.optComm[4]->setChecked(true);
    w.optReallySlow->setChecked(true);
    w.testButton->click();
    EXPECT_EQ(w.rigSettings().Baud, "9600 ");
    EXPECT_EQ(w.rigSettings().PortSettings, "9600,E,8,1");
    EXPECT_EQ(w.rigSettings().Port, 5);
    EXPECT_EQ(w.rigSettings().PollRate, "R");
    EXPECT_TRUE(w.lblFreq->text().isEmpty());
    EXPECT_FALSE(w.tmrGetData->isActive());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
}

TEST(RigInterfaceWindow, TestWithAMissingPortSaysSoAndShowsTheWindow)
{
    RigFixture f;
    f.chooseRig("Kenwood");
    f.window().optComm[6]->setChecked(true);
    f.window().testButton->click();
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle("Invalid Comm Settings."));
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
    // Not on the screen (the main window's start-up): it comes up modally.
    EXPECT_EQ(f.modalShown, QStringList{"RigInterfaceWindow"});
    EXPECT_FALSE(f.window().endTestButton->isEnabled());
    EXPECT_TRUE(f.window().pollingLabel->isHidden());
    EXPECT_FALSE(f.window().tmrGetData->isActive());
}

TEST(RigInterfaceWindow, DoneSavesBothFilesAndHides)
{
    RigFixture f;
    auto& w = f.window();
    w.show();
    f.chooseRig("Kenwood");
    w.optComm[2]->setChecked(true);
    w.OptDont->setChecked(true);
    f.fx.fakes.prompt.answer(platform::MsgResult::Ok);
    w.cmdDone->click();
    EXPECT_FALSE(w.isVisible());
    const QList<QByteArray> lines =
        testing_support::readBytes(f.fx.path("RigCntrl.txt")).split('\n');
    ASSERT_GE(lines.size(), 14);
    EXPECT_EQ(lines[0], "\"4800 \"\r");
    EXPECT_EQ(lines[6], "\"4800,N,8,2\"\r");
    EXPECT_EQ(lines[7], "3\r");
    EXPECT_EQ(lines[10], "\"Kenwood\"\r");
    EXPECT_EQ(lines[13], "3\r");
    EXPECT_TRUE(testing_support::readBytes(f.fx.path("QSOpref.txt")).contains("\"Kenwood\""));
}

TEST(RigInterfaceWindow, ASettingsFileThatCannotBeWrittenIsReported)
{
    RigFixture f;
    QDir(f.fx.path({})).mkdir(QStringLiteral("RigCntrl.txt"));
    f.window().cmdDone->click();
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle("File Error"));
}

TEST(RigInterfaceWindow, LoadingAppliesTheSavedSettings)
{
    RigFixture f;
    testing_support::writeBytes(
        f.fx.path("RigCntrl.txt"),
        rigCntrl({"\"4800 \"", "\"E\"", "\"7\"", "\"2\"", "\"MD;\"", "\"FA;\"", "\"4800,E,7,2\"", "4", "\"R\"",
                  "\"F\"", "\"Icom 735\"", "1", "0", "2"}));
    auto& w = f.window();
    EXPECT_EQ(f.fx.state.prefs.RigType, "Icom 735");
    EXPECT_EQ(Options{w}.all(), "4.8,E,7,2");
    EXPECT_TRUE(w.optComm[3]->isChecked());
    EXPECT_TRUE(w.optPowerRTS->isChecked());
    EXPECT_TRUE(w.optPollFast->isChecked());
    EXPECT_TRUE(w.chkConvToHex->isChecked());
    EXPECT_FALSE(w.chkFrequency->isChecked());
    EXPECT_TRUE(w.OptFreq->isChecked());
    EXPECT_EQ(w.txtFreq->text(), "FA;");
    EXPECT_EQ(w.rigList->currentItem()->text(), "Icom 735");
    // The note on the Icom address waits for a click on the entry.
    EXPECT_TRUE(w.icomAddressNote->isHidden());
    EXPECT_FALSE(w.tmrGetData->isActive());
}

TEST(RigInterfaceWindow, LoadingStopsAtAPortTheWindowHasNoButtonFor)
{
    RigFixture f;
    testing_support::writeBytes(
        f.fx.path("RigCntrl.txt"),
        rigCntrl({"\"4800 \"", "\"N\"", "\"8\"", "\"2\"", "\"MD;\"", "\"FA;\"", "\"4800,N,8,2\"", "0", "\"N\"",
                  "\"M\"", "\"Kenwood\"", "0", "1", "1"}));
    auto& w = f.window();
    EXPECT_EQ(w.rigList->currentItem()->text(), "Kenwood");
    EXPECT_EQ(w.txtMode->text(), "MD;");
    EXPECT_EQ(Options{w}.baud(), "56");
}

TEST(RigInterfaceWindow, ShortSettingsFileAppliesNothing)
{
    RigFixture f;
    f.fx.state.prefs.RigType = QStringLiteral("Kenwood");
    testing_support::writeBytes(f.fx.path("RigCntrl.txt"), rigCntrl({"\"4800 \"", "\"N\"", "\"8\""}));
    auto& w = f.window();
    EXPECT_EQ(f.fx.state.prefs.RigType, "Kenwood");
    EXPECT_EQ(Options{w}.baud(), "56");
    EXPECT_EQ(w.rigSettings().Baud, "4800 ");
}

TEST(RigInterfaceWindow, MissingOrOverfullBandPlanIsReportedOnce)
{
    {
        RigFixture f;
        QFile::remove(f.fx.path("BandPlan.txt"));
        (void)f.window();
        EXPECT_EQ(f.fx.fakes.prompt.countShownWithTitle("Band Data Not Available."), 1);
        EXPECT_TRUE(f.window().sidebandTable().empty());
    }
    {
        RigFixture f;
        QByteArray plan = "\"December 15, 2006\"\r\n";
        for (int i = 0; i < 205; ++i)
            plan += "\"20\",\"E\",\"CW\",14,14.15\r\n";
        testing_support::writeBytes(f.fx.path("BandPlan.txt"), plan);
        EXPECT_EQ(f.window().sidebandTable().size(), 200u);
        EXPECT_EQ(f.fx.fakes.prompt.countShownWithTitle("Band Data"), 1);
    }
}

TEST(RigInterfaceWindow, ChangeFrequencyNeedsPolling)
{
    RigFixture f;
    auto& w = f.window();
    w.changeFrequencyButton->click();
    ASSERT_EQ(f.fx.fakes.prompt.shown().size(), 1u);
    EXPECT_EQ(f.fx.fakes.prompt.shown()[0].title, "You must be polling your rig to test this function.");
    EXPECT_TRUE(f.modalShown.isEmpty());

    // The operation itself does nothing at all: no wait, no change.
    f.chooseRig("Kenwood");
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_EQ(mhz, 21.3f);
    EXPECT_TRUE(f.waits->log.isEmpty());
}

TEST(RigInterfaceWindow, ChangeModeWithoutARigAndWithAnUnknownMode)
{
    RigFixture f;
    QString mode = QStringLiteral("CW");
    f.radio->ChangeMode(0, mode);
    EXPECT_TRUE(f.waits->log.isEmpty());

    f.chooseRig("Kenwood");
    mode = QStringLiteral("PKT");
    f.radio->ChangeMode(0, mode);
    EXPECT_EQ(f.waits->log, (QStringList{"events", "drain", "pause:99", "drain"}));

    // An empty mode takes the band plan's sideband, and the caller sees it.
    mode.clear();
    f.radio->ChangeMode(21.3f, mode);
    EXPECT_EQ(mode, "USB");
    mode.clear();
    f.waits->log.clear();
    f.radio->ChangeMode(1.85f, mode);
    EXPECT_EQ(mode, "");
    EXPECT_EQ(f.waits->log, QStringList{"drain"});
}
