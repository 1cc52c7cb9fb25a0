#include "log/instate_score.h"
#include "log/rover_relog.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace contactlog;

namespace {

// Stands in for the in-state window: its own county, its contact log, and
// a logging step that refuses a call already logged from the same own county.
struct RoverWindow : ::testing::Test {
    RoverRelogger relogger;
    LogState state;
    DXWorkedList dx;
    QString MyCounty;
    QString ownCountyLabel;
    int beeps = 0;
    std::vector<RoverCopy> copiesSeen;
    std::function<void(const RoverCopy&)> duringCopy;

    RoverRelogHooks hooks()
    {
        RoverRelogHooks h;
        h.setOwnCounty = [this](const QString& county) {
            MyCounty = county;
            ownCountyLabel = county;
        };
        h.logCopy = [this](const RoverCopy& copy) {
            copiesSeen.push_back(copy);
            EXPECT_EQ(relogger.RoverIndex(), copy.listIndex);
            EXPECT_EQ(MyCounty, copy.county);
            if (duringCopy)
                duringCopy(copy);
            return store(copy.source.LogCall, copy.source.LogSerialRcvd, copy.source.LogSPC,
                         copy.keepSerialSent ? copy.source.LogSerialSent : nextSerial(), true)
                       ? RoverCopyOutcome::Stored
                       : RoverCopyOutcome::NotStored;
        };
        h.reportFailure = [this] { ++beeps; };
        return h;
    }

    QString nextSerial() const
    {
        return QString::number(state.contacts.ContactCount() + 1).rightJustified(3, u'0');
    }

    bool store(const QString& call, const QString& serialRcvd, const QString& spc,
               const QString& serialSent, bool copy = false)
    {
        for (const ContactRecord& r : state.contacts.records())
            if (r.LogCall == call && r.LogCountySent == MyCounty)
                return false;
        ContactRecord r;
        r.LogCall = call;
        r.LogSerialRcvd = serialRcvd;
        r.LogSPC = spc;
        r.LogSerialSent = serialSent;
        r.LogMode = QStringLiteral("CW");
        r.LogCountySent = MyCounty;
        if (!state.contacts.add(r))
            return false;
        applyStoredInStateContact(state, dx, false, copy);
        return true;
    }

    /// Logs a contact the way the window does and returns what the
    /// re-logging would be handed.
    RoverSource logContact(const char* call, const char* serial)
    {
        if (!store(QString::fromLatin1(call), QString::fromLatin1(serial), QStringLiteral("NV"),
                   nextSerial()))
            return {};
        const int n = state.contacts.ContactCount();
        const ContactRecord& r = state.contacts.record(n);
        return {n, r.LogCall, r.LogSerialRcvd, r.LogSerialSent, r.LogSPC, r.LogCountyRcvd};
    }

    QStringList countiesSent() const
    {
        QStringList l;
        for (const ContactRecord& r : state.contacts.records())
            l << r.LogCountySent;
        return l;
    }
};

const QStringList ABC{QStringLiteral("Alpine"), QStringLiteral("Butte"), QStringLiteral("Colusa")};

}  // namespace

TEST_F(RoverWindow, OneCountyOrNoRoverMeansNoReLogging)
{
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    EXPECT_FALSE(relogger.shouldRun(true, {QStringLiteral("Alpine")}, src));
    EXPECT_FALSE(relogger.shouldRun(false, ABC, src));
    EXPECT_TRUE(relogger.shouldRun(true, ABC, src));
    const RoverRelogResult r =
        relogger.LogRoverCounties({QStringLiteral("Alpine")}, false, src, hooks());
    EXPECT_FALSE(r.ran);
    EXPECT_TRUE(copiesSeen.empty());
    EXPECT_EQ(state.contacts.ContactCount(), 1);
}

TEST_F(RoverWindow, EachFurtherCountyGetsACopyAndTheFirstComesBack)
{
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    const RoverRelogResult r = relogger.LogRoverCounties(ABC, false, src, hooks());
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(r.stored, 2);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(countiesSent(), ABC);
    EXPECT_EQ(MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(ownCountyLabel, QStringLiteral("Alpine"));
    EXPECT_EQ(relogger.RoverIndex(), 0);
    EXPECT_FALSE(relogger.running());
    // The same serial sent on all three, and the points of one contact.
    for (const ContactRecord& rec : state.contacts.records())
        EXPECT_EQ(rec.LogSerialSent, QStringLiteral("001"));
    EXPECT_EQ(state.totals.QSOPoints, 3);
    EXPECT_EQ(state.totals.CWQSOCount, 1);
}

TEST_F(RoverWindow, TickedBoxGivesEachCopyTheNextSerial)
{
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    relogger.LogRoverCounties(ABC, true, src, hooks());
    ASSERT_EQ(copiesSeen.size(), 2u);
    EXPECT_FALSE(copiesSeen[0].keepSerialSent);
    QStringList serials;
    for (const ContactRecord& rec : state.contacts.records())
        serials << rec.LogSerialSent;
    EXPECT_EQ(serials, QStringList({"001", "002", "003"}));
}

TEST_F(RoverWindow, DuplicateFromOneCountyIsSkippedAndTheRestLogged)
{
    MyCounty = QStringLiteral("Butte");
    ASSERT_TRUE(logContact("W1AW", "5").record);
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    const RoverRelogResult r = relogger.LogRoverCounties(ABC, false, src, hooks());
    EXPECT_EQ(r.stored, 1);
    EXPECT_EQ(r.notStored, 1);
    EXPECT_EQ(countiesSent(), QStringList({"Butte", "Alpine", "Colusa"}));
    EXPECT_EQ(MyCounty, QStringLiteral("Alpine"));
}

TEST_F(RoverWindow, FailureHalfWayRestoresTheFirstCountyAndStops)
{
    const QStringList four = ABC + QStringList{QStringLiteral("Lake")};
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    duringCopy = [](const RoverCopy& copy) {
        if (copy.county == QStringLiteral("Colusa"))
            throw std::runtime_error("log file unavailable");
    };
    const RoverRelogResult r = relogger.LogRoverCounties(four, false, src, hooks());
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.stored, 1);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(countiesSent(), QStringList({"Alpine", "Butte"}));
    EXPECT_EQ(MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(ownCountyLabel, QStringLiteral("Alpine"));
    EXPECT_FALSE(relogger.running());

    // A step that reports failure without throwing ends it the same way, and
    // the next contact is re-logged normally.
    duringCopy = nullptr;
    RoverRelogHooks failing = hooks();
    failing.logCopy = [](const RoverCopy&) { return RoverCopyOutcome::Failed; };
    const RoverSource next = logContact("K2AA", "3");
    EXPECT_TRUE(relogger.LogRoverCounties(four, false, next, failing).failed);
    EXPECT_EQ(MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(beeps, 2);
    const RoverSource third = logContact("K3AA", "4");
    EXPECT_EQ(relogger.LogRoverCounties(four, false, third, hooks()).stored, 3);
    EXPECT_EQ(MyCounty, QStringLiteral("Alpine"));
}

TEST_F(RoverWindow, RefusedEntryNeverBringsBackAnOlderContact)
{
    MyCounty = QStringLiteral("Alpine");
    ASSERT_TRUE(logContact("W1AW", "12").record);
    relogger.LogRoverCounties(ABC, false, logContact("W1AW", "12"), hooks());
    // The next entry is refused (a duplicate): nothing was stored.
    const RoverSource refused = logContact("W1AW", "12");
    EXPECT_EQ(refused.record, 0);
    const int before = state.contacts.ContactCount();
    EXPECT_FALSE(relogger.shouldRun(true, ABC, refused));
    EXPECT_FALSE(relogger.LogRoverCounties(ABC, false, refused, hooks()).ran);
    EXPECT_EQ(state.contacts.ContactCount(), before);
}

TEST_F(RoverWindow, CopiesRepeatTheStoredContactEvenIfTheLogMovesOn)
{
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    // Events run between the copies: the operator logs another station, then
    // empties the rover list. The copies still repeat W1AW, from the list as
    // it was, and end on its first county.
    QStringList list = ABC;
    duringCopy = [&](const RoverCopy& copy) {
        if (copy.listIndex == 1) {
            const QString keep = MyCounty;
            MyCounty = QStringLiteral("Alpine");
            ASSERT_TRUE(logContact("N6XX", "7").record);
            MyCounty = keep;
            list.clear();
        }
    };
    relogger.LogRoverCounties(list, false, src, hooks());
    QStringList calls;
    for (const ContactRecord& rec : state.contacts.records())
        calls << rec.LogCall + u'@' + rec.LogCountySent;
    EXPECT_EQ(calls, QStringList({"W1AW@Alpine", "N6XX@Alpine", "W1AW@Butte", "W1AW@Colusa"}));
    EXPECT_EQ(MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(state.totals.QSOPoints, 6);  // W1AW once, N6XX once
}

TEST_F(RoverWindow, NoSecondReLoggingStartsInsideTheFirst)
{
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    int nestedRuns = 0;
    duringCopy = [&](const RoverCopy& copy) {
        EXPECT_FALSE(relogger.shouldRun(true, ABC, copy.source));
        if (relogger.LogRoverCounties(ABC, false, copy.source, hooks()).ran)
            ++nestedRuns;
    };
    relogger.LogRoverCounties(ABC, false, src, hooks());
    EXPECT_EQ(nestedRuns, 0);
    EXPECT_EQ(state.contacts.ContactCount(), 3);
}

TEST_F(RoverWindow, FailingToRestoreTheCountyStillEndsTheReLogging)
{
    MyCounty = QStringLiteral("Alpine");
    const RoverSource src = logContact("W1AW", "12");
    RoverRelogHooks h = hooks();
    h.setOwnCounty = [](const QString&) { throw std::runtime_error("label gone"); };
    const RoverRelogResult r = relogger.LogRoverCounties(ABC, false, src, h);
    EXPECT_TRUE(r.failed);
    EXPECT_FALSE(relogger.running());
    EXPECT_EQ(relogger.RoverIndex(), 0);
}

TEST(RoverCopyEntry, CopyRepeatsTheStoredContactFromTheFurtherCounty)
{
    LogState state;
    ContactRecord r;
    r.LogCall = "W5XX";
    r.LogSerialRcvd = "7";
    r.LogSerialSent = "012";
    r.LogSPC = "TX";
    r.LogDate = "2021/10/02";
    r.LogTime = "16:02:41";
    r.LogMode = "PH";
    r.LogBand = "40";
    r.LogFrequency = "7.200";
    ASSERT_TRUE(state.contacts.add(r));
    EXPECT_EQ(roverSourceOf(state.contacts, 0).record, 0);
    EXPECT_EQ(roverSourceOf(state.contacts, 2).record, 0);

    RoverCopy copy;
    copy.listIndex = 1;
    copy.county = "Butte";
    copy.source = roverSourceOf(state.contacts, 1);
    ASSERT_EQ(copy.source.record, 1);

    const EntryValues kept = roverCopyEntry(copy, "013");
    EXPECT_EQ(kept.call, "W5XX");
    EXPECT_EQ(kept.serialRcvd, "7");
    EXPECT_EQ(kept.spc, "TX");
    EXPECT_EQ(kept.nextSerial, "012");
    ASSERT_TRUE(kept.stamp.has_value());
    EXPECT_EQ(kept.stamp->LogTime, "16:02:41");
    EXPECT_EQ(kept.stamp->LogFrequency, "7.200");
    copy.keepSerialSent = false;
    EXPECT_EQ(roverCopyEntry(copy, "013").nextSerial, "013");

    LoggingContext window;
    window.CurrentBand = "20";
    window.CurrentMode = "CW";
    window.MyCounty = "Alameda";
    const LoggingContext c = roverCopyContext(window, copy);
    EXPECT_EQ(c.MyCounty, "Butte");
    EXPECT_EQ(c.CurrentBand, "40");
    EXPECT_EQ(c.CurrentMode, "PH");
}
