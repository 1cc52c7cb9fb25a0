// Rigs that keep answering with what cannot be read, on ptys, for every rig
// type that is polled on a port: answers three bytes short are no reading,
// and the rig is reported as one that does not answer; answers with noise
// or three bytes more after them are read where the rig's own layout tells
// the reply apart. Either way the window never goes on showing, and the
// main window is never handed, where the dial was before.

#include "answer_faults.h"
#include "icom_rig_emulator.h"
#include "kenwood_rig_emulator.h"
#include "rig_fixture.h"
#include "tentec_rig_emulator.h"
#include "yaesu_rig_emulator.h"

#include <QLabel>
#include <QRadioButton>

#include <functional>

using testing_support::AnswerFault;
using testing_support::RigFixture;
using testing_support::waitUntil;

namespace {

/// Connects a rig on the dial at 28.450 MHz, then gives it the fault and
/// turns the dial to 21.200 MHz.
template <class Rig>
void expectFaultHandled(Rig& rig, const char* rigType, AnswerFault fault, bool fastest, bool unreadable)
{
    RigFixture f;
    rig.turnDial(28'450'000);
    f.watchFrequencyCaption();
    f.connect(rig, rigType, fastest ? f.window().optPollFast : f.window().optPollMed);
    ASSERT_TRUE(f.handedOver("band:28.450", 6000));
    rig.setAnswerFault(fault);
    rig.turnDial(21'200'000);
    QLabel* frequency = f.window().lblFreq;
    QLabel* mode = f.window().lblMode;
    if (unreadable) {
        // Not one reply can be read: as for a rig that is switched off,
        // after as many polls the captions say so, and nothing further
        // goes to the main window while polling goes on.
        ASSERT_TRUE(waitUntil([&] { return frequency->text() == "No Response"; }, 9000))
            << f.shownFrequencies.join(" | ").toStdString();
        EXPECT_EQ(mode->text(), "No Response");
        f.target.calls.clear();
        EXPECT_FALSE(waitUntil([&] { return !f.target.calls.isEmpty() || frequency->text() != "No Response"; },
                               600))
            << f.target.calls.join(", ").toStdString() << " " << frequency->text().toStdString();
        EXPECT_TRUE(f.window().tmrGetData->isActive());
        EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
        for (float mhz : f.target.frequencies)
            EXPECT_FLOAT_EQ(mhz, 28.45f);
        return;
    }
    // The reply itself is whole: the dial is followed, and every frequency
    // handed over is one the dial was on.
    ASSERT_TRUE(f.handedOver("band:21.200", 8000)) << f.shownFrequencies.join(" | ").toStdString();
    EXPECT_TRUE(waitUntil([&] { return frequency->text() == "21.20000"; }, 3000))
        << f.shownFrequencies.join(" | ").toStdString();
    for (float mhz : f.target.frequencies)
        EXPECT_TRUE(mhz == 28.45f || mhz == 21.2f) << mhz;
}

struct RigRow {
    const char* rigType;
    bool fastest;  ///< the fastest poll rate, else the default
    std::function<void(const char*, AnswerFault, bool, bool)> run;
    /// Besides answers cut short, a fault that leaves nothing readable.
    AnswerFault alsoUnreadable = AnswerFault::ThreeShort;
};

template <class Rig, class Kind>
RigRow row(const char* rigType, Kind kind, bool fastest = true)
{
    return {rigType, fastest, [kind](const char* type, AnswerFault fault, bool fast, bool unreadable) {
                Rig rig(kind);
                expectFaultHandled(rig, type, fault, fast, unreadable);
            }};
}

using Kenwood = testing_support::KenwoodRigEmulator;
using Icom = testing_support::IcomRigEmulator;
using TenTec = testing_support::TenTecRigEmulator;
using Yaesu = testing_support::YaesuRigEmulator;

const RigRow Rows[] = {
    row<Kenwood>("Elecraft", Kenwood::Kind::Elecraft),
    row<Icom>("Icom", Icom::Kind::Icom),
    row<Icom>("Icom 735", Icom::Kind::Icom735),
    row<Kenwood>("Kenwood", Kenwood::Kind::Kenwood),
    row<Kenwood>("Kenwood 2", Kenwood::Kind::Kenwood),
    row<Icom>("Ten Tec Omni VI", Icom::Kind::OmniVI),
    row<TenTec>("Ten Tec Orion", TenTec::Kind::Orion),
    row<TenTec>("Ten Tec Fnt Pnl", TenTec::Kind::FrontPanel),
    // Its five-byte block with its last three again: counted from the end
    // it reads as a frequency too (of a hundred kHz or so), so neither way
    // of counting is trusted.
    [] {
        RigRow r = row<Yaesu>("Yaesu", Yaesu::Kind::Yaesu);
        r.alsoUnreadable = AnswerFault::ThreeExtra;
        return r;
    }(),
    row<Yaesu>("Yaesu 757 GX II", Yaesu::Kind::Ft757),
    row<Yaesu>("Yaesu 890", Yaesu::Kind::Ft890),
    row<Yaesu>("Yaesu 920", Yaesu::Kind::Ft920),
    row<Yaesu>("Yaesu 990", Yaesu::Kind::Ft990),
    row<Yaesu>("Yaesu 990", Yaesu::Kind::Ft990, false),
    row<Yaesu>("Yaesu 1000 D", Yaesu::Kind::Ft990),
    row<Yaesu>("Yaesu 1000", Yaesu::Kind::Ft1000),
    row<Kenwood>("Yaesu FTdx9000", Kenwood::Kind::FTdx9000),
};

class UnreadableAnswers : public testing::TestWithParam<RigRow> {};

}  // namespace

TEST_P(UnreadableAnswers, ARigWhoseAnswersCannotBeReadIsReportedAsNotAnswering)
{
    const RigRow& r = GetParam();
    for (const AnswerFault fault : {AnswerFault::ThreeShort, AnswerFault::TrailingNoise, AnswerFault::ThreeExtra}) {
        SCOPED_TRACE(testing::Message() << r.rigType << (r.fastest ? ", fastest rate, " : ", default rate, ")
                                        << testing_support::faultName(fault));
        r.run(r.rigType, fault, r.fastest, fault == AnswerFault::ThreeShort || fault == r.alsoUnreadable);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryRigType, UnreadableAnswers, testing::ValuesIn(Rows),
                         [](const testing::TestParamInfo<RigRow>& info) {
                             std::string name;
                             for (const char* c = info.param.rigType; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name + (info.param.fastest ? "Fastest" : "Default");
                         });
