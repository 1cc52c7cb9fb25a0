// The WinKey window: its settings and WK.txt, Open and Close, the settings
// sent, and the boxes' rules, against an emulated keyer.
#include "keying/winkey_window_fixture.h"

#include "radio/rig_port.h"

#include <QRadioButton>
#include <gtest/gtest.h>

using testing_support::WinKeyEmulator;
using testing_support::WinKeyWindowFixture;

namespace {

class WinKeyWindowTest : public ::testing::Test, public WinKeyWindowFixture {};

TEST_F(WinKeyWindowTest, WithoutWkTxtTheWindowShowsItsDefaultsAndTheCwSpeed)
{
    WinKeyWindow& w = window();
    EXPECT_EQ(w.windowTitle(), QStringLiteral(" WinKey Setup"));
    EXPECT_EQ(w.txtWKComPort->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtWKWPM->text(), QStringLiteral("22"));
    EXPECT_EQ(w.txtWeight->text(), QStringLiteral("50"));
    EXPECT_EQ(w.txtLeadIn->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtTail->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtRatio->text(), QStringLiteral("50"));
    EXPECT_TRUE(w.optTone->isChecked());
    EXPECT_TRUE(w.optIambicB->isChecked());
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("Closed"));
    EXPECT_EQ(w.lblVersion->text(), QStringLiteral("Version #"));
    EXPECT_FALSE(w.isVisible());
}

TEST_F(WinKeyWindowTest, ASixLineFileKeepsThePinAndModeDefaultsAndDoneWritesEightLines)
{
    testing_support::writeLines(wkFile(), {"3", "\"25\"", "\"55\"", "\"1\"", "\"2\"", "\"45\""});
    WinKeyWindow& w = show();
    EXPECT_EQ(w.txtWKComPort->text(), QStringLiteral("3"));
    EXPECT_EQ(w.txtWKWPM->text(), QStringLiteral("22"));  // the CW window's speed wins
    EXPECT_EQ(w.txtWeight->text(), QStringLiteral("55"));
    EXPECT_EQ(w.txtLeadIn->text(), QStringLiteral("1"));
    EXPECT_EQ(w.txtTail->text(), QStringLiteral("2"));
    EXPECT_EQ(w.txtRatio->text(), QStringLiteral("45"));
    EXPECT_TRUE(w.optTone->isChecked());
    EXPECT_TRUE(w.optIambicB->isChecked());

    w.cmdDone->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(testing_support::readBytes(wkFile()),
              QByteArray("3\r\n\"22\"\r\n\"55\"\r\n\"1\"\r\n\"2\"\r\n\"45\"\r\n6\r\n0\r\n"));
}

TEST_F(WinKeyWindowTest, TheLastTwoLinesSelectThePinAndModeButtons)
{
    testing_support::writeLines(wkFile(), {"4", "\"20\"", "\"50\"", "\"0\"", "\"0\"", "\"50\"", "8", "32"});
    WinKeyWindow& w = window();
    EXPECT_TRUE(w.optKey5Out3Off->isChecked());
    EXPECT_TRUE(w.optUltimatic->isChecked());
    EXPECT_EQ(w.WinKeyPinConfig, 8);
    EXPECT_EQ(w.WinKeyKeyerMode, 32);
}

TEST_F(WinKeyWindowTest, AValueWithoutAButtonKeepsTheDesignSelectionAndIsWrittenBack)
{
    testing_support::writeLines(wkFile(), {"4", "\"20\"", "\"50\"", "\"0\"", "\"0\"", "\"50\"", "7", "64"});
    WinKeyWindow& w = window();
    EXPECT_TRUE(w.optTone->isChecked());
    EXPECT_TRUE(w.optIambicB->isChecked());
    w.cmdDone->click();
    EXPECT_TRUE(testing_support::readBytes(wkFile()).endsWith("7\r\n64\r\n"));
}

TEST_F(WinKeyWindowTest, ADamagedFileKeepsWhatWasReadAndThePortBoxShowsThePortInUse)
{
    testing_support::writeLines(wkFile(), {"7", "\"20\"", "\"61\"", "\"0\"", "\"0\"", "\"50\"", "\"text\""});
    WinKeyWindow& w = window();
    EXPECT_EQ(w.txtWeight->text(), QStringLiteral("61"));
    EXPECT_EQ(w.WinKeyComPort, 7);
    EXPECT_EQ(w.txtWKComPort->text(), QStringLiteral("7"));
    EXPECT_EQ(w.WinKeyPinConfig, 6);
}

TEST_F(WinKeyWindowTest, OpenTakesTheOtherKeyersPortsSendsTheSettingsAndShowsTheVersion)
{
    WinKeyWindow& w = show();
    openKeyer();
    EXPECT_EQ(closed, (QStringList{"ptt", "cw"}));
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("WK Success!"));
    EXPECT_EQ(w.lblVersion->text(), QStringLiteral("Version # 23"));
    EXPECT_EQ(keying().WinKeyOpen, 23);
    EXPECT_TRUE(prompt().shown().empty());
    EXPECT_EQ(QApplication::focusWidget(), w.cmdDone);
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.mode == 0; }, 2000));
    const auto s = keyer.state();
    EXPECT_EQ(s.wpm, 22);
    EXPECT_EQ(s.weight, 50);
    EXPECT_EQ(s.leadIn, 0);
    EXPECT_EQ(s.tail, 0);
    EXPECT_EQ(s.ratio, 50);
    EXPECT_EQ(s.pinConfig, 6);

    // Open again: only the status text changes.
    keyer.pty().clearReceived();
    w.cmdOpenWinkey->click();
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("WK Already Open"));
    EXPECT_EQ(w.lblVersion->text(), QStringLiteral("Version # 23"));
    EXPECT_EQ(keying().WinKeyOpen, 23);
    EXPECT_TRUE(prompt().shown().empty());
    EXPECT_FALSE(keyer.pty().waitForReceivedCount(1, 100));

    w.cmdCloseWinkey->click();
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("Closed"));
    EXPECT_EQ(w.lblVersion->text(), QStringLiteral("Version #"));
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_TRUE(keyer.waitFor([](const auto& st) { return !st.hostOpen; }, 2000));
}

TEST_F(WinKeyWindowTest, AFailedOpenShowsTheMessageAndTheResultAndLeavesTheKeyerClosed)
{
    struct Case {
        WinKeyEmulator::Mode mode;
        int port;
        const char* status;
    };
    const Case cases[] = {
        {WinKeyEmulator::Mode::Normal, 9, "Com Open Failed"},
        {WinKeyEmulator::Mode::Silent, Port, "No Echo Response"},
        {WinKeyEmulator::Mode::WrongEcho, Port, "Echo Mismatch"},
        {WinKeyEmulator::Mode::NoOpenAnswer, Port, "No Open Response"},
    };
    WinKeyWindow& w = window();
    for (const Case& c : cases) {
        prompt().clear();
        keyer.setMode(c.mode);
        w.WinKeyComPort = c.port;
        w.cmdOpenWinkey->click();
        ASSERT_EQ(prompt().shown().size(), 1u) << c.status;
        EXPECT_EQ(prompt().shown()[0].title, QStringLiteral("Unable to establish connection with Winkey."));
        EXPECT_EQ(prompt().shown()[0].text,
                  QStringLiteral("Unable to establish connection with WinKey on com port %1.  Please check to make "
                                 "sure that you have specified the correct port and that the Winkey device is "
                                 "properly connected.")
                      .arg(c.port));
        EXPECT_EQ(w.lblOpenStatus->text(), QLatin1String(c.status));
        EXPECT_EQ(w.lblVersion->text(), QStringLiteral("Version #"));
        EXPECT_EQ(keying().WinKeyOpen, 0);
    }
}

TEST_F(WinKeyWindowTest, AnOpenRefusedBecauseTheRigHoldsThePortSaysSoAndLeavesTheRigItsPort)
{
    radio::RigPort rig(fx.state.hardware);
    QString error;
    ASSERT_TRUE(rig.open(Port, QStringLiteral("4800,N,8,2"), false, error)) << error.toStdString();
    WinKeyWindow& w = window();
    w.WinKeyComPort = Port;
    w.cmdOpenWinkey->click();
    ASSERT_EQ(prompt().shown().size(), 1u);
    EXPECT_EQ(prompt().shown()[0].text,
              QStringLiteral("Unable to establish connection with WinKey on com port 4.  Please check to make sure "
                             "that you have specified the correct port and that the Winkey device is properly "
                             "connected.  Serial port 4 is in use by the rig interface."));
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("Com Open Failed"));
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_TRUE(rig.isOpen());
    EXPECT_TRUE(keyer.pty().received().isEmpty());
}

TEST_F(WinKeyWindowTest, TheBoxesSendValidValuesAndFallBackOnTextThatIsNoNumber)
{
    WinKeyWindow& w = show();
    openKeyer();
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.ratio == 50; }, 2000));

    struct Case {
        QLineEdit* WinKeyWindow::*box;
        const char* typed;
        const char* shown;  // the text after leaving the box
        int sent;           // the keyer's value afterwards
    };
    const Case cases[] = {
        // 32 and 67 are sent; the keyer's own range is 33 to 66.
        {&WinKeyWindow::txtRatio, "32", "32", 33},   {&WinKeyWindow::txtRatio, "40", "40", 40},
        {&WinKeyWindow::txtRatio, "31", "31", 40},
        {&WinKeyWindow::txtRatio, "67", "67", 66},   {&WinKeyWindow::txtRatio, "68", "68", 66},
        {&WinKeyWindow::txtRatio, "", "50", 66},     {&WinKeyWindow::txtWKWPM, "35", "35", 35},
        {&WinKeyWindow::txtWKWPM, "100", "100", 35}, {&WinKeyWindow::txtWKWPM, "", "18", 35},
        {&WinKeyWindow::txtWeight, "40", "40", 40},  {&WinKeyWindow::txtWeight, "", "50", 40},
    };
    auto keyerValue = [this](QLineEdit* WinKeyWindow::*box) {
        const auto s = keyer.state();
        if (box == &WinKeyWindow::txtRatio)
            return s.ratio;
        if (box == &WinKeyWindow::txtWKWPM)
            return s.wpm;
        return s.weight;
    };
    for (const Case& c : cases) {
        enterAndLeave(w.*c.box, QLatin1String(c.typed));
        EXPECT_EQ((w.*c.box)->text(), QLatin1String(c.shown)) << c.typed;
        // A status request is answered after everything sent before it.
        keyer.waitFor([&](const auto&) { return keyerValue(c.box) == c.sent; }, 300);
        EXPECT_EQ(keyerValue(c.box), c.sent) << c.typed;
    }

    // Lead-in and tail go together; an empty tail makes the lead-in "0".
    enterAndLeave(w.txtLeadIn, QStringLiteral("3"));
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.leadIn == 3 && s.tail == 0; }, 2000));
    enterAndLeave(w.txtTail, QStringLiteral("7"));
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.leadIn == 3 && s.tail == 7; }, 2000));
    w.txtTail->setText(QString());
    enterAndLeave(w.txtLeadIn, QStringLiteral("9"));
    EXPECT_EQ(w.txtLeadIn->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtTail->text(), QString());
    platform::waitMs(100);
    EXPECT_EQ(keyer.state().leadIn, 3);
}

TEST_F(WinKeyWindowTest, APortAbove255StaysInTheBoxAndSetsPortZero)
{
    WinKeyWindow& w = show();
    enterAndLeave(w.txtWKComPort, QStringLiteral("300"));
    EXPECT_EQ(w.txtWKComPort->text(), QStringLiteral("300"));
    EXPECT_EQ(w.WinKeyComPort, 0);
    enterAndLeave(w.txtWKComPort, QStringLiteral("-"));
    EXPECT_EQ(w.txtWKComPort->text(), QStringLiteral("0"));
    enterAndLeave(w.txtWKComPort, QStringLiteral("12"));
    EXPECT_EQ(w.WinKeyComPort, 12);
    enterAndLeave(w.txtWKComPort, QStringLiteral("300"));
    w.cmdDone->click();
    EXPECT_TRUE(testing_support::readBytes(wkFile()).startsWith("0\r\n"));
}

TEST_F(WinKeyWindowTest, TheSettingsBoxesTakeOnlyDigitsAndBackspace)
{
    WinKeyWindow& w = show();
    w.txtRatio->clear();
    w.txtRatio->setFocus();
    QTest::keyClicks(w.txtRatio, "4a-5.");
    EXPECT_EQ(w.txtRatio->text(), QStringLiteral("45"));
    QTest::keyClick(w.txtRatio, Qt::Key_Backspace);
    EXPECT_EQ(w.txtRatio->text(), QStringLiteral("4"));
}

TEST_F(WinKeyWindowTest, APinOrModeChoiceWhileOpenResendsEverySetting)
{
    WinKeyWindow& w = show();
    w.optKey5Off3Out->click();  // closed: only remembered
    EXPECT_EQ(w.WinKeyPinConfig, 4);
    openKeyer();
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.pinConfig == 4 && s.mode == 0; }, 2000));
    w.txtWeight->setText(QStringLiteral("70"));
    w.optBug->click();
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.mode == 48; }, 2000));
    EXPECT_EQ(keyer.state().weight, 70);
    EXPECT_EQ(keyer.state().pinConfig, 4);
    w.cmdDone->click();
    EXPECT_TRUE(testing_support::readBytes(wkFile()).endsWith("4\r\n48\r\n"));
}

TEST_F(WinKeyWindowTest, ASettingsFileThatCannotBeWrittenIsReported)
{
    WinKeyWindow& w = show();
    fx.state.folders.UserDataFolder = fx.path(QStringLiteral("no such folder"));
    w.cmdDone->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(prompt().anyShownWithTitle(QStringLiteral("Unable to write file.")));
}

TEST_F(WinKeyWindowTest, TheTitleBarCloseAndEscHideTheWindowWithTheKeyerLeftOpen)
{
    WinKeyWindow& w = show();
    openKeyer();
    QTest::keyClick(w.txtWeight, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(keying().WinKeyOpen, 23);
    EXPECT_TRUE(support->keyer().isOpen());
}

}  // namespace
