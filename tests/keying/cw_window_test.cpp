// The CW window's settings: what it shows without cw.txt, what Done writes
// and a restart reads back, and the input rules of its boxes.

#include "cw_fixture.h"

#include "keying/cw_sender.h"
#include "keying/winkey_window.h"
#include "keying/keyer_settings.h"
#include "keying/winkey_install.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QRegularExpression>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using testing_support::CwFixture;

namespace {

QString registryValue(CwFixture& f, const char* key)
{
    return f.fx.state.services.registry.GetSetting(QStringLiteral("Settings"), QLatin1String(key), QStringLiteral("absent"));
}

void leave(QLineEdit* box, QWidget* next)
{
    box->setFocus();
    QApplication::processEvents();
    next->setFocus();
    QApplication::processEvents();
}

}  // namespace

TEST(CwWindow, WithoutSettingsFileShowsTheDesignValues)
{
    CwFixture f;
    f.fx.state.cwSettings = keying::CwWindowSettings{};
    CwWindow& w = f.cw();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("CW String Selections"));
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("13"));
    EXPECT_EQ(w.serialPortBox->text(), QStringLiteral("0"));
    EXPECT_EQ(w.parallelAddressBox->text(), QStringLiteral("&H378"));
    EXPECT_EQ(w.txtSpace->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtCWLoop->text(), QStringLiteral("0"));
    EXPECT_TRUE(w.showTextOnMainCheck->isChecked());
    EXPECT_TRUE(w.keyLineNone->isChecked());
    EXPECT_TRUE(w.optTimer->isChecked());
    EXPECT_FALSE(w.txtLoop->isEnabled());
    EXPECT_TRUE(w.messageBoxesF1ToF9[8]->text().isEmpty());
    EXPECT_TRUE(w.cmdConfWinkey->isHidden());
}

TEST(CwWindow, DoneWritesEverySettingAndARestartFindsThemBack)
{
    QByteArray written;
    QString registryTiming;
    {
        CwFixture f;
        // A file the operator made with capitals: Done rewrites that one.
        testing_support::writeLines(f.fx.path(QStringLiteral("CW.txt")), {QStringLiteral("\"OLD\"")});
        CwWindow& w = f.cw();
        w.messageBoxesF1ToF9[0]->setText(QStringLiteral("CQ TEST $"));
        w.messageBoxesF1ToF9[1]->setText(QStringLiteral("$ 5NN #"));
        w.messageBoxF10->setText(QStringLiteral("F10 TEXT"));
        w.messageBoxF11->setText(QStringLiteral("F11, WITH COMMA"));
        w.serialPortBox->setText(QStringLiteral("4"));
        w.speedBox->setText(QStringLiteral("28"));
        w.txtSpace->setText(QStringLiteral("2"));
        w.parallelAddressBox->setText(QStringLiteral("&H278"));
        w.showTextOnMainCheck->setChecked(false);
        w.txtCWLoop->setText(QStringLiteral("3.5"));
        leave(w.txtCWLoop, w.messageBoxesF1ToF9[0]);
        w.keyLineDtr->click();
        w.OptSleep->click();
        w.show();
        w.doneButton->click();
        EXPECT_FALSE(w.isVisible());
        const QStringList cwFiles = QDir(f.fx.path(QStringLiteral("."))).entryList(QDir::Files).filter(
            QRegularExpression(QStringLiteral("^cw\\.txt$"), QRegularExpression::CaseInsensitiveOption));
        EXPECT_EQ(cwFiles, QStringList{QStringLiteral("CW.txt")}) << "one settings file";
        written = testing_support::readBytes(f.fx.path(QStringLiteral("CW.txt")));
        registryTiming = registryValue(f, "UserCWSelection");
        EXPECT_EQ(registryValue(f, "UserCWLoopOffset"), QStringLiteral("0"));
    }
    EXPECT_EQ(written, QByteArray("\"CQ TEST $\"\r\n\"$ 5NN #\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
                                  "\"\"\r\n\"4\"\r\n\"28\"\r\n\"F10 TEXT\"\r\n\"F11, WITH COMMA\"\r\n\"2\"\r\n"
                                  "2\r\n\"&H278\"\r\n0\r\n\"3.5\"\r\n"));
    EXPECT_EQ(registryTiming, QStringLiteral("Sleep"));

    // The next run: the setup window reads the file, the window shows it.
    CwFixture g;
    testing_support::writeBytes(g.fx.path(QStringLiteral("CW.txt")), written);
    g.fx.state.cwSettings = keying::CwWindowSettings{};
    keying::LoadCWSettings(g.fx.state.folders.programFile(QStringLiteral("cw.txt")), g.fx.state.cwSettings,
                           g.fx.state.keying.CWKeyingOption);
    CwWindow& w = g.cw();
    EXPECT_EQ(w.messageBoxesF1ToF9[1]->text(), QStringLiteral("$ 5NN #"));
    EXPECT_EQ(w.messageBoxF11->text(), QStringLiteral("F11, WITH COMMA"));
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("28"));
    EXPECT_FALSE(w.showTextOnMainCheck->isChecked());
    EXPECT_TRUE(w.keyLineDtr->isChecked());
    EXPECT_EQ(g.fx.state.keying.CWKeyingOption, 2);
    EXPECT_EQ(w.tmrRepeat->interval(), 3500);
}

TEST(CwWindow, TimingMethodComesFromTheRegistryByExactName)
{
    for (const auto& [value, timer, sleep] : {std::tuple{"Sleep", false, true}, std::tuple{"sleep", true, false},
                                              std::tuple{"Timer", true, false}}) {
        CwFixture f;
        f.fx.state.services.registry.SaveSetting(QStringLiteral("Settings"), QStringLiteral("UserCWSelection"),
                                                 QLatin1String(value));
        CwWindow& w = f.cw();
        EXPECT_EQ(registryValue(f, "UserCWSelection"), QLatin1String(value));
        EXPECT_EQ(w.optTimer->isChecked(), timer) << value;
        EXPECT_EQ(w.OptSleep->isChecked(), sleep) << value;
    }
}

TEST(CwWindow, ChoosingLoopCalibratesOnce)
{
    CwFixture f;
    CwWindow& w = f.cw();
    w.optLoop->click();
    EXPECT_TRUE(w.txtLoop->isEnabled());
    EXPECT_GT(w.LoopsPer60ms(), 0);
    EXPECT_EQ(w.txtLoop->text().toDouble(), w.LoopsPer60ms());
    w.txtLoop->setText(QStringLiteral("1000"));
    w.cmdLoopFaster->click();
    EXPECT_EQ(w.txtLoop->text(), QStringLiteral("900"));
    EXPECT_EQ(w.LoopsPer60ms(), 900);
    w.cmdLoopSlower->click();
    EXPECT_EQ(w.txtLoop->text(), QStringLiteral("1000"));
    w.optTimer->click();
    EXPECT_FALSE(w.cmdLoopFaster->isEnabled());
}

TEST(CwWindow, MessageBoxesTypeCapitalsAndDropDoubleQuotes)
{
    CwFixture f;
    CwWindow& w = f.cw();
    w.show();
    w.messageBoxesF1ToF9[2]->setFocus();
    QTest::keyClicks(w.messageBoxesF1ToF9[2], QStringLiteral("cq \"de\" k"));
    EXPECT_EQ(w.messageBoxesF1ToF9[2]->text(), QStringLiteral("CQ DE K"));
    w.messageBoxF10->setText(QStringLiteral("PASTED \"QUOTE\""));
    EXPECT_EQ(w.messageBoxF10->text(), QStringLiteral("PASTED QUOTE"));
}

TEST(CwWindow, PastesKeepWhatTypingWould)
{
    CwFixture f;
    CwWindow& w = f.cw();
    w.show();
    const std::pair<QLineEdit*, const char*> cases[] = {
        {w.messageBoxesF1ToF9[0], "cq \"de\"\r\nk6abc\t^"},
        {w.speedBox, "2 5\r\n wpm"},
        {w.txtSpace, "-8\n"},
    };
    const char* const kept[] = {"CQ DEK6ABC^", "25", "-8"};
    // Shift+Insert, and Ctrl+V, whose control character the digits-only
    // boxes' typing rules would drop.
    for (const QKeyCombination pasteKey : {QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert),
                                           QKeyCombination(Qt::ControlModifier, Qt::Key_V)}) {
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            QLineEdit* box = cases[i].first;
            SCOPED_TRACE(box->objectName().toStdString());
            QApplication::clipboard()->setText(QString::fromLatin1(cases[i].second));
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, pasteKey.key(), pasteKey.keyboardModifiers());
            EXPECT_EQ(box->text(), QString::fromLatin1(kept[i]));
        }
    }
}

TEST(CwWindow, NumberBoxesFollowTheirRules)
{
    CwFixture f;
    CwWindow& w = f.cw();
    w.show();
    QApplication::processEvents();

    w.txtSpace->setFocus();
    w.txtSpace->clear();
    QTest::keyClicks(w.txtSpace, QStringLiteral("-"));
    EXPECT_EQ(w.txtSpace->text(), QStringLiteral("-"));
    QTest::keyClicks(w.txtSpace, QStringLiteral("9"));
    EXPECT_EQ(w.txtSpace->text(), QStringLiteral("-8"));
    w.txtSpace->setText(QStringLiteral("-"));
    leave(w.txtSpace, w.messageBoxesF1ToF9[0]);
    EXPECT_EQ(w.txtSpace->text(), QStringLiteral("0"));

    w.speedBox->setFocus();
    w.speedBox->clear();
    QTest::keyClicks(w.speedBox, QStringLiteral("2a5"));
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("25"));

    struct Case {
        const char* typed;
        const char* shown;
        int interval;
    } cases[] = {{"59.9", "59.9", 59900}, {"60", "0", 0}, {"abc", "0", 0}, {"5", "5", 5000}};
    for (const Case& c : cases) {
        w.txtCWLoop->setText(QLatin1String(c.typed));
        leave(w.txtCWLoop, w.messageBoxesF1ToF9[0]);
        EXPECT_EQ(w.txtCWLoop->text(), QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(w.tmrRepeat->interval(), c.interval) << c.typed;
    }
}

TEST(CwWindow, SpeedStaysWithinTheKeyableRange)
{
    CwFixture f;
    CwWindow& w = f.cw();
    w.speedBox->setText(QStringLiteral("98"));
    w.fasterButton->click();
    w.fasterButton->click();
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("99"));
    w.speedBox->setText(QStringLiteral("6"));
    w.slowerButton->click();
    w.slowerButton->click();
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("5"));
    w.speedBox->setText(QStringLiteral("x"));
    w.fasterButton->click();
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("x")) << "a box without a number is left alone";
    w.show();
    w.speedBox->setText(QStringLiteral("0"));
    leave(w.speedBox, w.messageBoxesF1ToF9[0]);
    EXPECT_EQ(w.speedBox->text(), QStringLiteral("5"));
    w.lessSpaceButton->click();
    EXPECT_EQ(w.txtSpace->text(), QStringLiteral("-1"));
    w.moreSpaceButton->click();
    w.moreSpaceButton->click();
    EXPECT_EQ(w.txtSpace->text(), QStringLiteral("1"));
}

TEST(CwWindow, MainWindowArrowsChangeTheSpeedAndShowIt)
{
    CwFixture f;
    f.open();
    f.cw().speedBox->setText(QStringLiteral("20"));
    f.usePrinter();
    f.key(Qt::Key_Up);
    EXPECT_EQ(f.cw().speedBox->text(), QStringLiteral("21"));
    EXPECT_EQ(f.window->lblDialog->text(), QStringLiteral("21 WPM"));
    f.key(Qt::Key_Down);
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.window->lblDialog->text(), QStringLiteral("19 WPM"));
}

TEST(CwWindow, ASpeedReadOutsideTheRangeIsShownAsKeyedAndTheArrowsStepFromIt)
{
    // cw.txt holding 0 is keyed at 5 WPM, 150 at 99: the box and the main
    // window's dialog line show that speed, and the arrows step from it.
    struct Case {
        const char* inFile;
        const char* loaded;
        Qt::Key arrow;
        const char* after;
    };
    const Case cases[] = {{"0", "5", Qt::Key_Up, "6"},
                          {"0", "5", Qt::Key_Down, "5"},
                          {"150", "99", Qt::Key_Down, "98"},
                          {"150", "99", Qt::Key_Up, "99"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.inFile) + (c.arrow == Qt::Key_Up ? " up" : " down"));
        CwFixture f;
        QByteArray file;
        for (int i = 0; i < 9; ++i)
            file += "\"\"\r\n";
        file += "\"0\"\r\n\"" + QByteArray(c.inFile) + "\"\r\n\"\"\r\n\"\"\r\n\"0\"\r\n3\r\n\"&H378\"\r\n1\r\n\"0\"\r\n";
        testing_support::writeBytes(f.fx.path(QStringLiteral("cw.txt")), file);
        f.fx.state.cwSettings = keying::CwWindowSettings{};
        keying::LoadCWSettings(f.fx.state.folders.programFile(QStringLiteral("cw.txt")), f.fx.state.cwSettings,
                               f.fx.state.keying.CWKeyingOption);
        f.open();
        EXPECT_EQ(f.cw().speedBox->text(), QLatin1String(c.loaded));
        f.key(c.arrow);
        EXPECT_EQ(f.cw().speedBox->text(), QLatin1String(c.after));
        EXPECT_EQ(f.window->lblDialog->text(), QLatin1String(c.after) + QStringLiteral(" WPM"));
    }
}

TEST(CwWindow, ShortcutShowsTheWindowModeless)
{
    CwFixture f;
    f.open();
    QTest::keyClick(f.window->txtCall, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(f.cw().isVisible());
    EXPECT_TRUE(f.window->txtCall->text().isEmpty());
}

namespace {

/// Stands in for the WinKey support: its window would read the CW window's
/// speed box when it loads, so each load notes what that box held, or that
/// no CW window was there yet.
struct SpeedReadingWinKey final : keying::WinKeyDriver {
    CwFixture* f = nullptr;
    QStringList loads;
    void WKTransmit() override {}
    bool keyerSending() override { return false; }
    void wk_clearbuf() override {}
    void wk_wpm(int) override {}
    void loadWindow() override
    {
        loads << (f->keyer->existing() ? f->keyer->existing()->speedBox->text() : QStringLiteral("no CW window yet"));
    }
    void showWindowModally() override {}
};

}  // namespace

TEST(CwWindow, WinKeyChosenInTheSettingsLoadsItsWindowOnceTheCwWindowHasLoaded)
{
    SpeedReadingWinKey winKey;  // outlives the fixture, which may still reach it
    CwFixture f;
    winKey.f = &f;
    f.fx.state.keying.winKey = &winKey;
    f.fx.state.cwSettings.keyingOptionButton = 5;
    f.fx.state.cwSettings.speed = QStringLiteral("27");
    CwWindow& w = f.cw();
    // Loaded at once, not one event later, and only with a whole CW window.
    EXPECT_EQ(winKey.loads, QStringList{QStringLiteral("27")});
    EXPECT_EQ(f.fx.state.keying.CWKeyingOption, keying::CwSender::WinKeyOption);
    EXPECT_FALSE(w.cmdConfWinkey->isHidden());
    // Another use of the window does not load it again; a click does.
    (void)f.cw();
    w.keyLineRts->click();
    w.keyLineWinKey->click();
    EXPECT_EQ(winKey.loads, (QStringList{QStringLiteral("27"), QStringLiteral("27")}));
}

TEST(CwWindow, TheInstalledWinKeyWindowTakesTheSpeedOfTheCwWindowThatChoseIt)
{
    CwFixture f;
    const auto support = keying::installWinKey(f.services, f.fx.state);
    f.fx.state.cwSettings.keyingOptionButton = 5;
    f.fx.state.cwSettings.speed = QStringLiteral("27");
    (void)f.cw();
    ASSERT_NE(support->existing(), nullptr);
    EXPECT_FALSE(support->existing()->isVisible());
    EXPECT_EQ(support->existing()->txtWKWPM->text(), QStringLiteral("27"));
}
