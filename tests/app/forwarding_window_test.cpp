#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "app/main_window_target.h"
#include "support/test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

/// A main window that records what reaches it and, like the real one,
/// rewrites the spot's frequency and record in place.
struct RecordingMainWindow : app::MainWindowTarget {
    QStringList calls;
    float frequencySeen = 0;
    QString modeSeen;

    void BandFreqConversion(float& frequencyValue) override
    {
        calls << QStringLiteral("BandFreqConversion");
        frequencySeen = frequencyValue;
    }
    void ModeSelection(QString& strMode) override
    {
        calls << QStringLiteral("ModeSelection");
        modeSeen = strMode;
    }
    void PacketResize() override { calls << QStringLiteral("PacketResize"); }
    void DisplayBandMapLabels() override { calls << QStringLiteral("DisplayBandMapLabels"); }
    void BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord) override
    {
        calls << QStringLiteral("BandMapSpots:") + qDXSpotCall;
        qDXSpotFreq = QStringLiteral("14025.0");
        qDXSpotRecord = QStringLiteral("rewritten");
    }
};

struct ForwardingWindowFixture : ::testing::Test {
    ProgramFolderFixture fx;
    RecordingMainWindow outOfState;
    RecordingMainWindow inState;
    ForwardingWindow form{fx.state};

    void SetUp() override { form.setMainWindows(&outOfState, &inState); }

    void callEveryOperation()
    {
        float f = 7.025f;
        QString mode = QStringLiteral("CW");
        QString call = QStringLiteral("K6AA"), freq = QStringLiteral("14025"), rec = QStringLiteral("x");
        form.BandFreqConversion(f);
        form.ModeSelection(mode);
        form.PacketResize();
        form.DisplayBandMapLabels();
        form.BandMapSpots(call, freq, rec);
    }
};

const QStringList AllCalls{QStringLiteral("BandFreqConversion"), QStringLiteral("ModeSelection"),
                           QStringLiteral("PacketResize"), QStringLiteral("DisplayBandMapLabels"),
                           QStringLiteral("BandMapSpots:K6AA")};

}  // namespace

TEST_F(ForwardingWindowFixture, EveryCallReachesTheMainWindowTheFlagNames)
{
    fx.state.prefs.OutOfStateFlag = 1;
    callEveryOperation();
    EXPECT_EQ(outOfState.calls, AllCalls);
    EXPECT_TRUE(inState.calls.isEmpty());
    EXPECT_FLOAT_EQ(outOfState.frequencySeen, 7.025f);
    EXPECT_EQ(outOfState.modeSeen, QStringLiteral("CW"));

    outOfState.calls.clear();
    fx.state.prefs.OutOfStateFlag = 0;
    callEveryOperation();
    EXPECT_EQ(inState.calls, AllCalls);
    EXPECT_TRUE(outOfState.calls.isEmpty());
}

TEST_F(ForwardingWindowFixture, AnyNonZeroFlagMeansOutOfStateAndIsReadAtEveryCall)
{
    fx.state.prefs.OutOfStateFlag = 7;
    form.PacketResize();
    fx.state.prefs.OutOfStateFlag = 0;
    form.PacketResize();
    EXPECT_EQ(outOfState.calls, QStringList{QStringLiteral("PacketResize")});
    EXPECT_EQ(inState.calls, QStringList{QStringLiteral("PacketResize")});
    EXPECT_EQ(form.mainWindow(), &inState);
}

TEST_F(ForwardingWindowFixture, CallerSeesTheSpotAsTheMainWindowRewroteIt)
{
    QString call = QStringLiteral("W1AW");
    QString freq = QStringLiteral("14025");
    QString record = QStringLiteral("CQ de W1AW 1200Z");
    form.BandMapSpots(call, freq, record);
    EXPECT_EQ(call, QStringLiteral("W1AW"));
    EXPECT_EQ(freq, QStringLiteral("14025.0"));
    EXPECT_EQ(record, QStringLiteral("rewritten"));
}

TEST_F(ForwardingWindowFixture, CallsWithoutTheMainWindowAreDropped)
{
    form.setMainWindows(nullptr, nullptr);
    callEveryOperation();
    EXPECT_EQ(form.mainWindow(), nullptr);
}

TEST_F(ForwardingWindowFixture, SavePrefWritesThePreferencesWhicheverWindowIsOpen)
{
    for (quint8 flag : {quint8(0), quint8(1)}) {
        QFile::remove(fx.path(QStringLiteral("QSOpref.txt")));
        fx.state.prefs.OutOfStateFlag = flag;
        fx.state.prefs.RigType = QStringLiteral("Icom");
        form.setMainWindows(nullptr, nullptr);
        form.SavePref();
        const QByteArray saved = readBytes(fx.path(QStringLiteral("QSOpref.txt")));
        EXPECT_TRUE(saved.contains("\"Icom\"")) << int(flag);
    }
    EXPECT_TRUE(outOfState.calls.isEmpty());
    EXPECT_TRUE(inState.calls.isEmpty());
}

TEST_F(ForwardingWindowFixture, SharedControlsOfTheNeverShownWindow)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form1"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_GT(form.font().pointSizeF(), 0);

    // Invisible until the main window lays out the band map once.
    EXPECT_FALSE(form.bandMapShown());
    form.setBandMapShown(true);
    EXPECT_TRUE(form.bandMapShown());  // although the window itself is never shown
    form.setBandMapShown(false);
    EXPECT_FALSE(form.bandMapShown());

    form.txtCall->setText(QStringLiteral("N6XX"));
    EXPECT_EQ(form.txtCall->text(), QStringLiteral("N6XX"));
}
