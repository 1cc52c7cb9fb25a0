#include "log/logging.h"
#include "log/log_totals.h"
#include "log_test_helpers.h"
#include "platform/clock.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace contactlog;
using logtest::contact;

namespace {
struct LoggingFixture : ::testing::Test {
    QTemporaryDir dir;
    CountyTable table = logtest::counties();
    std::vector<QString> sections{"AL", "CA", "NV", "TX"};
    LogState state;
    platform::ManualClock clock;
    QDateTime now{QDate(2021, 10, 2), QTime(9, 30, 5)};

    LoggingContext ctx(WindowKind window = WindowKind::OutOfState)
    {
        LoggingContext c;
        c.window = window;
        c.CurrentBand = "20";
        c.CurrentMode = "CW";
        c.MyCounty = "BUTTE";
        c.PartyState = "CA";
        c.UtcOffsetHours = 8;
        c.counties = &table;
        c.stateProvAbbrevs = &sections;
        c.logPath = dir.filePath("log.txt");
        return c;
    }
    static EntryValues entry(const QString& call, const QString& serial, const QString& county, const QString& spc = {})
    {
        EntryValues e;
        e.call = call;
        e.serialRcvd = serial;
        e.county = county;
        e.spc = spc;
        e.nextSerial = "001";
        return e;
    }
    static QStringList texts(const LogAttemptResult& r)
    {
        QStringList t;
        for (const DialogNotice& n : r.notices)
            t << n.text;
        return t;
    }
};
}  // namespace

TEST_F(LoggingFixture, StoresAPassingContactWithUtcAndAppendsIt)
{
    state.RigFrequencyText = "14025.000";
    state.TimedOnFlag = 0;
    const LogAttemptResult r = attemptLogContact(state, entry("K6AA", "7", "alam"), ctx(), now, clock);
    EXPECT_TRUE(r.runTimeOn);
    EXPECT_TRUE(r.notices.empty());
    ASSERT_EQ(r.stored, StoreOutcome::Logged);
    EXPECT_EQ(r.recordNumber, 1);
    EXPECT_TRUE(r.clearEntry);
    EXPECT_EQ(r.entry.county, "ALAMEDA");
    const ContactRecord& rec = state.contacts.record(1);
    EXPECT_EQ(rec.LogCountyRcvd, "ALAMEDA");
    EXPECT_EQ(rec.LogDate, "2021/10/02");
    EXPECT_EQ(rec.LogTime, "17:30:05");
    EXPECT_EQ(rec.LogSerialSent, "001");
    EXPECT_EQ(rec.LogFrequency, "14025.000");
    EXPECT_TRUE(rec.LogSPC.isEmpty());
    EXPECT_TRUE(state.RigFrequencyText.isEmpty());
    EXPECT_EQ(testing_support::readBytes(dir.filePath("log.txt")), formatContactLine(rec));
    // Not scored until the window asks: then points and the county worked.
    EXPECT_EQ(state.totals.QSOPoints, 0.0f);
    const ScoredContact scored = scoreStoredContact(state);
    EXPECT_EQ(scored.points, 3);
    EXPECT_TRUE(scored.countyAdded);
    EXPECT_EQ(state.totals.CWQSOCount, 1.0f);
}

TEST_F(LoggingFixture, RefusalsInTheOrderOfTheChecks)
{
    state.TimedOnFlag = 1;
    state.RigFrequencyText = "7.025";
    LogAttemptResult r = attemptLogContact(state, entry("K6", "", ""), ctx(), now, clock);
    EXPECT_EQ(texts(r), (QStringList{"Need County!", "Need Serial!", "Need Call Sign!"}));
    EXPECT_EQ(r.notices.back().focus, EntryField::Call);
    EXPECT_EQ(state.NeedFieldFlag, 1);
    EXPECT_EQ(r.stored, StoreOutcome::NotStored);
    EXPECT_FALSE(r.clearEntry);
    EXPECT_FALSE(r.runTimeOn);
    EXPECT_TRUE(state.RigFrequencyText.isEmpty());  // emptied after every attempt

    r = attemptLogContact(state, entry("K6AA", "7", "Nowhere"), ctx(), now, clock);
    EXPECT_EQ(texts(r), QStringList{"Nowhere is not a valid county!"});
    EXPECT_EQ(r.notices.back().focus, EntryField::County);
    EXPECT_EQ(state.CountyInvalidFlag, 1);

    r = attemptLogContact(state, entry("K6AA", "7", "alameda"), ctx(), now, clock);
    EXPECT_EQ(r.stored, StoreOutcome::Logged);
    EXPECT_EQ(state.contacts.record(1).LogCountyRcvd, "ALAMEDA");  // a full name is stored as the table spells it
    EXPECT_EQ(state.CountyInvalidFlag, 0);
}

TEST_F(LoggingFixture, DuplicateIsRefusedAndTheEntryEmptied)
{
    ASSERT_EQ(attemptLogContact(state, entry("K6AA", "7", "ALAMEDA"), ctx(), now, clock).stored, StoreOutcome::Logged);
    const LogAttemptResult r = attemptLogContact(state, entry("k6aa", "9", ""), ctx(), now, clock);
    // The empty county takes the earlier contact's, which makes it a duplicate.
    EXPECT_EQ(texts(r), (QStringList{"Need County!", "Duplicate K6AA  2021/10/02  17:30:05   Rec# 1"}));
    EXPECT_TRUE(r.notices.back().red);
    EXPECT_EQ(r.dupeRecord, 1);
    EXPECT_EQ(state.DupeFlag, 1);
    EXPECT_EQ(r.stored, StoreOutcome::NotStored);
    EXPECT_TRUE(r.entry.call.isEmpty());
    EXPECT_EQ(state.contacts.ContactCount(), 1);

    // The same call from another county is logged (a rover).
    EXPECT_EQ(attemptLogContact(state, entry("K6AA", "9", "BUTTE"), ctx(), now, clock).stored, StoreOutcome::Logged);
}

TEST_F(LoggingFixture, InStateChecksSectionsCountyAndOwnCounty)
{
    const LoggingContext in = ctx(WindowKind::InState);
    LogAttemptResult r = attemptLogContact(state, entry("", "", "", ""), in, now, clock);
    EXPECT_EQ(texts(r), (QStringList{"Need Serial!", "Need Call Sign!", "Need Country!", "Invald Section!"}));
    EXPECT_EQ(r.notices.back().focus, EntryField::Spc);

    r = attemptLogContact(state, entry("W7XX", "5", "ALAMEDA", "NV"), in, now, clock);
    ASSERT_EQ(r.stored, StoreOutcome::Logged);
    EXPECT_TRUE(r.continentNA);
    EXPECT_TRUE(state.contacts.record(1).LogCountyRcvd.isEmpty());  // county only for the party state
    EXPECT_EQ(state.contacts.record(1).LogCountySent, "BUTTE");
    EXPECT_EQ(state.contacts.record(1).LogSPC, "NV");

    r = attemptLogContact(state, entry("K6AA", "5", "alam", "ca"), in, now, clock);
    ASSERT_EQ(r.stored, StoreOutcome::Logged);
    // Typed again by its abbreviation, the same contact is found as a duplicate.
    r = attemptLogContact(state, entry("K6AA", "6", "ALAM", "CA"), in, now, clock);
    EXPECT_EQ(r.dupeRecord, 2);
    EXPECT_EQ(r.notices.back().text, "Duplicate K6AA 10/02 17:30:05  Rec# 2");
    // From another own county it is a new contact.
    LoggingContext moved = in;
    moved.MyCounty = "ALPINE";
    EXPECT_EQ(attemptLogContact(state, entry("K6AA", "6", "ALAM", "CA"), moved, now, clock).stored,
              StoreOutcome::Logged);

    r = attemptLogContact(state, entry("K6AB", "5", "Nowhere", "CA"), in, now, clock);
    EXPECT_EQ(texts(r), QStringList{"Nowhere is not a valid county!"});
    r = attemptLogContact(state, entry("JA1XX", "5", "", "Japan"), in, now, clock);
    EXPECT_EQ(r.stored, StoreOutcome::Logged);  // a DX country is not checked against the table
}

TEST_F(LoggingFixture, PostContestFailureChangesNothing)
{
    EntryValues e = entry("K6AA", "7", "ALAMEDA");
    e.postContestShown = true;
    e.postConDate = "2021/13/40";
    e.postConTime = "945";
    state.RigFrequencyText = "7.025";
    state.NeedFieldFlag = 1;
    LogAttemptResult r = attemptLogContact(state, e, ctx(), now, clock);
    EXPECT_TRUE(r.postContestFailed);
    EXPECT_EQ(texts(r), QStringList{"Invalid date format!"});
    EXPECT_EQ(state.RigFrequencyText, "7.025");
    EXPECT_EQ(state.NeedFieldFlag, 1);
    EXPECT_FALSE(r.runTimeOn);

    e.postConDate = "10/1/2021";
    r = attemptLogContact(state, e, ctx(), now, clock);
    ASSERT_EQ(r.stored, StoreOutcome::Logged);
    EXPECT_EQ(r.postConDate, "2021/10/01");
    EXPECT_EQ(r.postConTime, "09:45");
    EXPECT_EQ(state.contacts.record(1).LogDate, "2021/10/01");
    EXPECT_EQ(state.contacts.record(1).LogTime, "09:45");  // no offset, no seconds
}

TEST_F(LoggingFixture, AFullLogRefusesTheNextContactClearly)
{
    std::vector<ContactRecord> records(ContactLog::MaxContacts, contact("W1AW", "1", "PH"));
    state.contacts.replaceAll(records);
    const LogAttemptResult r = attemptLogContact(state, entry("K6AA", "7", "ALAMEDA"), ctx(), now, clock);
    EXPECT_EQ(r.stored, StoreOutcome::LogFull);
    EXPECT_EQ(texts(r), QStringList{logFullMessage()});
    EXPECT_FALSE(r.clearEntry);
    EXPECT_EQ(state.contacts.ContactCount(), ContactLog::MaxContacts);
    EXPECT_FALSE(QFile::exists(dir.filePath("log.txt")));
}

TEST_F(LoggingFixture, AContactThatCannotBeWrittenIsNotLogged)
{
    QDir(dir.path()).mkdir("log.txt");  // a folder where the file should be: appending fails
    const LogAttemptResult r = attemptLogContact(state, entry("K6AA", "7", "ALAMEDA"), ctx(), now, clock);
    EXPECT_EQ(r.stored, StoreOutcome::WriteFailed);
    EXPECT_FALSE(r.writeError.isEmpty());
    EXPECT_TRUE(r.notices.back().text.startsWith("Not logged!"));
    EXPECT_FALSE(r.clearEntry);
    EXPECT_EQ(state.contacts.ContactCount(), 0);
    EXPECT_EQ(state.totals.QSOPoints, 0.0f);
}

TEST_F(LoggingFixture, StampedCopyKeepsItsMomentAndLeavesTheRigFrequency)
{
    state.TimedOnFlag = 1;
    EntryValues e = entry("W5XX", "3", "", "TX");
    e.postContestShown = true;  // the boxes' texts do not count for a copy
    e.postConDate = "nonsense";
    e.stamp = ContactStamp{"2021/10/01", "23:59:58", "7.025"};
    state.RigFrequencyText = "14.030";
    const LogAttemptResult r = attemptLogContact(state, e, ctx(WindowKind::InState), now, clock);
    ASSERT_EQ(r.stored, StoreOutcome::Logged);
    const ContactRecord& stored = state.contacts.record(1);
    EXPECT_EQ(stored.LogDate, "2021/10/01");
    EXPECT_EQ(stored.LogTime, "23:59:58");
    EXPECT_EQ(stored.LogFrequency, "7.025");
    EXPECT_EQ(state.RigFrequencyText, "14.030");
}
