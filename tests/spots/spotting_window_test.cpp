// The spotting window as the operator meets it: opening it, its settings
// file, the connection type and its controls, Open Port, Close Port, Esc,
// Spot Last and Done.

#include "spotting_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace spots_testing;

TEST(SpottingWindow, CtrlDOpensItAtTheTopOfTheScreenWithoutASettingsFile)
{
    SpottingFixture f;
    SpottingWindow& w = f.openSpotting();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral(" DX Spotting Setup"));
    const QRectF g = platform::windowTwipGeometry(&w);
    EXPECT_DOUBLE_EQ(g.top(), 2);
    EXPECT_NEAR(g.left() + g.width() / 2, 4800, 1);
    EXPECT_EQ(w.typeList->count(), 4);
    EXPECT_EQ(w.selectedType(), QString());
    EXPECT_TRUE(w.connectionType().isEmpty());
    for (QWidget* c : {static_cast<QWidget*>(w.displayGroup), static_cast<QWidget*>(w.sendBox),
                       static_cast<QWidget*>(w.openPortButton), static_cast<QWidget*>(w.fraBaud),
                       static_cast<QWidget*>(w.telnetHostBox), static_cast<QWidget*>(w.commandCharBox)})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    EXPECT_TRUE(w.typeList->isEnabled());
    EXPECT_TRUE(w.doneButton->isEnabled());
    EXPECT_TRUE(w.optBaud192->isChecked());
    EXPECT_TRUE(w.optParityNone->isChecked());
    EXPECT_TRUE(w.optData8->isChecked());
    EXPECT_TRUE(w.optStop1->isChecked());
    EXPECT_TRUE(w.optComm[0]->isChecked());
    EXPECT_TRUE(w.optPowerNone->isChecked());
    EXPECT_TRUE(w.handshakeNone->isChecked());
    EXPECT_TRUE(w.displayBandMap->isChecked());
    EXPECT_TRUE(w.monitorText().isEmpty());
    EXPECT_FALSE(w.listening());
    EXPECT_TRUE(f.connectionLog.isEmpty());

    // The same window comes back, from the menu as well.
    w.hide();
    f.main().mnuDXSpotting->trigger();
    EXPECT_EQ(f.spots->existingSpottingWindow(), &w);
    EXPECT_TRUE(w.isVisible());
}

TEST(SpottingWindow, ATelnetFileWithoutAPortSelectsTelnetAndConnectsNothing)
{
    SpottingFixture f;
    f.writePackSpot(packSpot("Telnet", 0));
    SpottingWindow& w = f.openSpotting();
    EXPECT_EQ(w.selectedType(), QStringLiteral("Telnet"));
    EXPECT_TRUE(w.telnetHostBox->isEnabled());
    EXPECT_TRUE(w.sendBox->isEnabled());
    EXPECT_FALSE(w.fraBaud->isEnabled());
    EXPECT_EQ(w.telnetHostBox->text(), QStringLiteral("dxc.example.org"));
    EXPECT_EQ(w.sendBoxLabel->text(), QStringLiteral("Type text to send and press enter:"));
    EXPECT_TRUE(w.monitorText().startsWith(QStringLiteral("If you have an Internet connection")));
    EXPECT_FALSE(f.connectionLog.contains(QStringLiteral("open:Telnet")));
    // The serial choices keep their design state.
    EXPECT_TRUE(w.optBaud192->isChecked());

    // Enter in the send box opens the connection first, then sends.
    w.sendBox->setText(QStringLiteral("W1AW"));
    QTest::keyClick(w.sendBox, Qt::Key_Return);
    EXPECT_TRUE(f.connectionLog.contains(QStringLiteral("open:Telnet")));
    EXPECT_TRUE(f.connectionLog.contains(QStringLiteral("send:Telnet:W1AW")));
    EXPECT_TRUE(w.sendBox->text().isEmpty());
    EXPECT_TRUE(w.listening());
}

TEST(SpottingWindow, ASavedTncConnectionOpensAtLoadAndTypeLettersMatchInAnyCase)
{
    SpottingFixture f;
    f.writePackSpot(packSpot("tnc", 3));
    SpottingWindow& w = f.openSpotting();
    EXPECT_EQ(w.selectedType(), QStringLiteral("TNC"));
    EXPECT_EQ(w.connectionType(), QStringLiteral("tnc"));
    EXPECT_TRUE(w.optComm[2]->isChecked());
    EXPECT_TRUE(w.optBaud96->isChecked());
    EXPECT_TRUE(w.handshakeRts->isChecked());
    EXPECT_TRUE(w.fraBaud->isEnabled());
    EXPECT_TRUE(w.listening());
    EXPECT_TRUE(w.pollTimer->isActive());
    EXPECT_EQ(f.connectionLog.filter(QStringLiteral("open:")), QStringList{QStringLiteral("open:TNC")});
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    EXPECT_FALSE(w.listDxOnlyCheck->isChecked());

    // Done writes the type back as it was read.
    w.doneButton->click();
    const QByteArray saved = testing_support::readBytes(f.fx.path(QStringLiteral("PackSpot.txt")));
    EXPECT_TRUE(saved.contains("\"tnc\"\r\n"));
    EXPECT_FALSE(w.isVisible());
}

TEST(SpottingWindow, ChoosingTncResetsTheSerialChoicesButNotPortAndPower)
{
    SpottingFixture f;
    SpottingWindow& w = f.openSpotting();
    f.chooseType(w, "Telnet");
    w.optComm[4]->setChecked(true);
    w.optPowerDTR->setChecked(true);
    w.optBaud24->setChecked(true);
    w.handshakeXonXoff->setChecked(true);
    w.commandCharBox->setText(QStringLiteral("1B"));
    f.chooseType(w, "TNC");
    EXPECT_TRUE(w.optBaud96->isChecked());
    EXPECT_TRUE(w.optParityNone->isChecked());
    EXPECT_TRUE(w.optData8->isChecked());
    EXPECT_TRUE(w.optStop1->isChecked());
    EXPECT_TRUE(w.handshakeRts->isChecked());
    EXPECT_EQ(w.commandCharBox->text(), QStringLiteral("03"));
    EXPECT_TRUE(w.optComm[4]->isChecked());
    EXPECT_TRUE(w.optPowerDTR->isChecked());
    EXPECT_TRUE(w.fraBaud->isEnabled());
    EXPECT_FALSE(w.telnetHostBox->isEnabled());
    EXPECT_EQ(w.sendBoxLabel->text(), QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
    EXPECT_TRUE(w.monitorText().startsWith(QStringLiteral("To use a Packet TNC")));
    EXPECT_EQ(w.monitorCaret(), 1);
}

TEST(SpottingWindow, SerialOptionsCloseAnOpenConnectionOnly)
{
    SpottingFixture f;
    SpottingWindow& w = f.openSpotting();
    f.chooseType(w, "TNC");
    const QString help = w.monitorText();
    w.optBaud48->setChecked(true);
    EXPECT_EQ(w.monitorText(), help);

    w.openPortButton->click();
    EXPECT_TRUE(w.listening());
    w.optBaud12->setChecked(true);
    EXPECT_FALSE(w.listening());
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("\r\n\r\n** Port Closed **")));
    EXPECT_FALSE(w.pollTimer->isActive());
    // Close Port while closed writes nothing.
    const QString before = w.monitorText();
    w.closePortButton->click();
    EXPECT_EQ(w.monitorText(), before);
}

TEST(SpottingWindow, EscOpensThePortAndSendsTheTncCommandCharacter)
{
    SpottingFixture f;
    SpottingWindow& w = f.openSpotting();
    f.chooseType(w, "None");
    w.listDxOnlyCheck->setChecked(true);
    QTest::keyClick(w.sendBox, Qt::Key_Escape);
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    EXPECT_FALSE(w.listening());
    EXPECT_FALSE(w.listDxOnlyCheck->isChecked());

    f.chooseType(w, "TNC");
    w.activateWindow();
    w.sendBox->setFocus();
    QTest::keyClick(w.sendBox, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(w.listening());
    EXPECT_TRUE(f.connectionLog.contains(QStringLiteral("raw:TNC:03")));
    w.commandCharBox->setText(QStringLiteral("zz"));
    f.connectionLog.clear();
    QTest::keyClick(w.sendBox, Qt::Key_Escape);
    EXPECT_TRUE(f.connectionLog.filter(QStringLiteral("raw:")).isEmpty());
}

TEST(SpottingWindow, SpotLastPreparesAPostingForTheLastContact)
{
    SpottingFixture f;
    SpottingWindow& w = f.openSpotting();
    w.spotLastButton->click();
    EXPECT_EQ(w.sendBox->text(), QStringLiteral("DX Frequency in kHz "));
    EXPECT_EQ(w.sendBox->selectedText(), QStringLiteral("Frequency in kHz"));
}

TEST(SpottingWindow, DoneSavesBothFilesAndAFailureIsReported)
{
    SpottingFixture f;
    SpottingWindow& w = f.openSpotting();
    f.chooseType(w, "Telnet");
    w.telnetHostBox->setText(QStringLiteral("cluster.example.net"));
    w.telnetPortBox->setText(QStringLiteral("23"));
    w.displayList->setChecked(true);
    w.doneButton->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(testing_support::readBytes(f.fx.path(QStringLiteral("QSOpref.txt"))).size() > 0);
    const auto saved = spots::readSpotSettings(testing_support::readBytes(f.fx.path(QStringLiteral("PackSpot.txt"))));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->ConnectionType, QStringLiteral("Telnet"));
    EXPECT_EQ(saved->TelnetHost, QStringLiteral("cluster.example.net"));
    EXPECT_TRUE(saved->ListDisplay);
    EXPECT_EQ(saved->Port, 0);
    EXPECT_FALSE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Error")));

    // A folder in the file's place: the operator is told, the old file stays.
    QFile::remove(f.fx.path(QStringLiteral("PackSpot.txt")));
    ASSERT_TRUE(QDir(f.fx.path(QString())).mkdir(QStringLiteral("PackSpot.txt")));
    f.openSpotting().doneButton->click();
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Error")));
}

TEST(SpottingWindow, ARestartBringsTheChoicesBack)
{
    QByteArray saved;
    {
        SpottingFixture f;
        SpottingWindow& w = f.openSpotting();
        f.chooseType(w, "TNC");
        w.optComm[1]->setChecked(true);
        w.optPowerRTS->setChecked(true);
        w.displayList->setChecked(true);
        w.doneButton->click();
        saved = testing_support::readBytes(f.fx.path(QStringLiteral("PackSpot.txt")));
    }
    SpottingFixture f;
    f.writePackSpot(saved);
    SpottingWindow& w = f.openSpotting();
    EXPECT_EQ(w.selectedType(), QStringLiteral("TNC"));
    EXPECT_TRUE(w.optComm[1]->isChecked());
    EXPECT_TRUE(w.optPowerRTS->isChecked());
    EXPECT_TRUE(w.displayList->isChecked());
    EXPECT_TRUE(w.listening());
}

TEST(SpottingWindow, UnloadingWithTheMainWindowClosesTheConnections)
{
    SpottingFixture f;
    f.writePackSpot(packSpot("TNC", 1));
    (void)f.openSpotting();
    f.connectionLog.clear();
    f.services.unload(f.main(), app::SatelliteWindow::SpottingWindow);
    EXPECT_EQ(f.spots->existingSpottingWindow(), nullptr);
    EXPECT_TRUE(f.connectionLog.contains(QStringLiteral("close:TNC")));
}
