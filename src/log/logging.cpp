#include "log/logging.h"

#include "log/log_totals.h"
#include "log/post_contest.h"
#include "log/rates_clock.h"
#include "log/recent_contacts.h"

namespace contactlog {

namespace {
bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

void append(std::vector<DialogNotice>& to, std::vector<DialogNotice> from)
{
    for (DialogNotice& n : from)
        to.push_back(std::move(n));
}

// A typed abbreviation becomes the county's full name, which the log stores,
// and a full name takes the table's spelling, whatever the letter case typed.
void expandCounty(QString& county, const CountyTable& table)
{
    QString typed = county;
    QString full;
    ExpandCountyAbbreviation(table, full, typed);
    county = full.isEmpty() ? table.spelling(county) : full;
}

const CountyTable& countiesOf(const LoggingContext& ctx)
{
    static const CountyTable none;
    return ctx.counties ? *ctx.counties : none;
}

const std::vector<QString>& sectionsOf(const LoggingContext& ctx)
{
    static const std::vector<QString> none;
    return ctx.stateProvAbbrevs ? *ctx.stateProvAbbrevs : none;
}
}  // namespace

std::vector<DialogNotice> CheckRequiredFields(LogState& state, const EntryValues& entry, const LoggingContext& ctx)
{
    std::vector<DialogNotice> notices;
    state.NeedFieldFlag = 0;
    const bool inState = ctx.window == WindowKind::InState;
    auto need = [&](const char* text, EntryField focus) {
        notices.push_back({QString::fromLatin1(text), focus});
        state.NeedFieldFlag = 1;
    };
    const bool countyNeeded = inState ? sameText(entry.spc, ctx.PartyState) : true;
    if (countyNeeded && entry.county.isEmpty())
        need("Need County!", EntryField::County);
    if (entry.serialRcvd.isEmpty())
        need("Need Serial!", EntryField::Serial);
    if (entry.call.size() < 3)
        need("Need Call Sign!", EntryField::Call);
    if (inState && entry.spc.isEmpty())
        need("Need Country!", EntryField::Spc);
    return notices;
}

std::vector<DialogNotice> CheckCounty(LogState& state, const QString& county, const CountyTable& table)
{
    state.CountyInvalidFlag = 1;
    if (table.contains(county)) {
        state.CountyInvalidFlag = 0;
        return {};
    }
    return {{county + QStringLiteral(" is not a valid county!"), EntryField::County}};
}

std::vector<DialogNotice> CheckSection(LogState& state, const QString& spc, const std::vector<QString>& stateProvAbbrevs)
{
    state.SectionInvalidFlag = 1;
    for (const QString& abbrev : stateProvAbbrevs) {
        if (sameText(abbrev, spc)) {
            state.SectionInvalidFlag = 0;
            return {};
        }
    }
    return {{QStringLiteral("Invald Section!"), EntryField::Spc}};
}

ContactRecord buildContactRecord(const EntryValues& entry, const LoggingContext& ctx, int n,
                                 const QDateTime& nowLocal, const QString& rigFrequencyText)
{
    ContactRecord r;
    r.LogSerialSent = isNumericText(entry.nextSerial) ? entry.nextSerial : QString::number(n);
    r.LogCall = entry.call;
    r.LogSerialRcvd = entry.serialRcvd;
    r.LogCountyRcvd = entry.county;
    if (ctx.window == WindowKind::InState) {
        r.LogSPC = entry.spc;
        r.LogCountySent = ctx.counties ? ctx.counties->spelling(ctx.MyCounty) : ctx.MyCounty;
    }
    if (entry.stamp) {
        r.LogDate = entry.stamp->LogDate;
        r.LogTime = entry.stamp->LogTime;
    } else if (entry.postContestShown) {
        r.LogDate = entry.postConDate;
        r.LogTime = entry.postConTime;
    } else {
        const QDateTime utc = contestUtc(nowLocal, ctx.UtcOffsetHours);
        r.LogDate = utc.toString(QStringLiteral("yyyy/MM/dd"));
        r.LogTime = utc.toString(QStringLiteral("HH:mm:ss"));
    }
    r.LogMode = ctx.CurrentMode;
    r.LogBand = ctx.CurrentBand;
    r.LogFrequency = entry.stamp ? entry.stamp->LogFrequency : rigFrequencyText;
    return r;
}

ScoredContact scoreStoredContact(LogState& state)
{
    ScoredContact scored;
    const int n = state.contacts.ContactCount();
    if (n < 1)
        return scored;
    scored.points = scoreRecord(state.totals, state.contacts, n);
    scored.countyAdded = AddCountyWorked(state.counties, state.contacts.record(n).LogCountyRcvd);
    return scored;
}

QString logFullMessage()
{
    return QStringLiteral("Log full! It holds 11,000 contacts, the most it can; this contact was not logged.");
}

namespace {
// Stores the passing entry as the next record and appends it to log.txt.
// The file is the record of truth: a record that cannot be written is taken
// back out of memory, so nothing counts as logged that the file lacks.
void storeContact(LogState& state, LogAttemptResult& result, const LoggingContext& ctx, const QDateTime& nowLocal)
{
    ContactLog& log = state.contacts;
    if (log.isFull()) {
        result.stored = StoreOutcome::LogFull;
        result.notices.push_back({logFullMessage(), EntryField::Unchanged});
        return;
    }
    const int n = log.ContactCount() + 1;
    if (!log.add(buildContactRecord(result.entry, ctx, n, nowLocal, state.RigFrequencyText)))
        return;
    const platform::FileWriteResult written = AppendContact(log, n, ctx.logPath);
    if (!written.ok) {
        log.removeLast();
        result.stored = StoreOutcome::WriteFailed;
        result.writeError = written.error;
        result.notices.push_back(
            {QStringLiteral("Not logged! log.txt could not be written: ") + written.error, EntryField::Unchanged});
        return;
    }
    result.stored = StoreOutcome::Logged;
    result.recordNumber = n;
}
}  // namespace

LogAttemptResult attemptLogContact(LogState& state, const EntryValues& entry, const LoggingContext& ctx,
                                   const QDateTime& nowLocal, const platform::Clock& clock)
{
    LogAttemptResult result;
    result.entry = entry;
    const bool inState = ctx.window == WindowKind::InState;
    const CountyTable& counties = countiesOf(ctx);

    if (entry.postContestShown && !entry.stamp) {
        const PostContestCheck check = validatePostContest(entry.postConDate, entry.postConTime, nowLocal.date());
        result.postConDate = result.entry.postConDate = check.date;
        result.postConTime = result.entry.postConTime = check.time;
        if (!check.ok()) {
            result.postContestFailed = true;
            result.notices.push_back({check.message, EntryField::Unchanged});
            return result;
        }
    }

    EntryValues& e = result.entry;
    if (inState) {
        state.SectionInvalidFlag = 0;
        if (!sameText(e.spc, ctx.PartyState))
            e.county.clear();
    }
    result.runTimeOn = state.TimedOnFlag == 0;
    append(result.notices, CheckRequiredFields(state, e, ctx));
    if (inState && e.spc.size() < 4) {
        append(result.notices, CheckSection(state, e.spc, sectionsOf(ctx)));
        result.continentNA = state.SectionInvalidFlag == 0;
    }
    expandCounty(e.county, counties);
    if (!inState) {
        state.CountyInvalidFlag = 0;
        if (!e.county.isEmpty())
            append(result.notices, CheckCounty(state, e.county, counties));
    }

    const DupeKey key{ctx.window, ctx.CurrentBand, ctx.CurrentMode, ctx.MyCounty, ctx.PartyState};
    const DupCheckResult dupe = DupCheck(state, {e.call, e.county, e.spc}, key, clock);
    e.county = dupe.entry.county;
    e.spc = dupe.entry.spc;
    result.countySelected = dupe.countyFilled;
    result.spcSelected = dupe.spcFilled;
    if (dupe.isDupe()) {
        result.dupeRecord = dupe.dupeRecord;
        result.notices.push_back({dupe.message, EntryField::Call, true});
        // The window empties the entry boxes on a duplicate; the checks that
        // follow see them empty.
        e.call.clear();
        e.serialRcvd.clear();
        e.county.clear();
        e.spc.clear();
    }

    if (inState) {
        state.CountyInvalidFlag = 0;
        if (!e.county.isEmpty()) {
            expandCounty(e.county, counties);
            append(result.notices, CheckCounty(state, e.county, counties));
        }
    }

    const bool checksPassed =
        state.NeedFieldFlag == 0 && state.SectionInvalidFlag == 0 && state.CountyInvalidFlag == 0;
    if (checksPassed && state.DupeFlag == 0)
        storeContact(state, result, ctx, nowLocal);
    result.clearEntry = checksPassed && result.stored != StoreOutcome::LogFull &&
                        result.stored != StoreOutcome::WriteFailed;
    // A copy keeps its own frequency; the rig's latest one belongs to the
    // next new contact.
    if (!entry.stamp)
        state.RigFrequencyText.clear();
    return result;
}

}  // namespace contactlog
