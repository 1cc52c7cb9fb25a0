// The contact log at its largest (11,000 contacts): what the operator waits
// for at every reload (each band and mode change), at every keystroke in the
// call box, and at every edit or delete.
// Targets: load and rebuild < 10 ms, keystroke lookup < 1 ms, rewrite < 50 ms.

#include "log/contact_log.h"
#include "log/dupe_checks.h"
#include "log/log_totals.h"
#include "log/rates_clock.h"
#include "log/recent_contacts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace contactlog;

namespace {

const char* const Bands[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
const char* const Modes[] = {"CW", "PH"};

// A full log of varied calls over the bands and modes, the way a busy
// station's log looks: many calls start alike ("K6", "W6", "N6").
ContactLog fullLog()
{
    static const char* const prefixes[] = {"K6", "W6", "N6", "KA6", "AA6", "KB6", "WB6", "N0", "W1", "VE3"};
    ContactLog log;
    for (int i = 0; i < ContactLog::MaxContacts; ++i) {
        ContactRecord r;
        r.LogCall = QString::fromLatin1(prefixes[i % 10]) + QChar(u'A' + (i / 10) % 26) +
                    QChar(u'A' + (i / 260) % 26) + QChar(u'A' + (i / 6760) % 26);
        r.LogSerialRcvd = QString::number(i % 700 + 1);
        r.LogCountyRcvd = QStringLiteral("COUNTY%1").arg(i % 58);
        r.LogSerialSent = QStringLiteral("%1").arg(i + 1, 3, 10, QChar(u'0'));
        r.LogDate = QStringLiteral("2021/10/02");
        r.LogTime = QStringLiteral("%1:%2:%3")
                        .arg(16 + i / 3600 % 8, 2, 10, QChar(u'0'))
                        .arg(i / 60 % 60, 2, 10, QChar(u'0'))
                        .arg(i % 60, 2, 10, QChar(u'0'));
        r.LogMode = QString::fromLatin1(Modes[i % 2]);
        r.LogBand = QString::fromLatin1(Bands[i / 2 % 8]);
        r.LogFrequency = QStringLiteral("14025.000");
        if (!log.add(r))
            break;
    }
    return log;
}

CountyTable countyTable()
{
    CountyTable table;
    for (int c = 0; c < 58; ++c)
        table.rows.push_back({QStringLiteral("COUNTY%1").arg(c), QStringLiteral("C%1").arg(c)});
    return table;
}

void BM_LoadLogAndRebuildTotals(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    if (!RewriteLog(fullLog(), path).ok) {
        st.SkipWithError("cannot write the log");
        return;
    }
    const CountyTable table = countyTable();
    LogState state;
    const QDateTime now(QDate(2021, 10, 2), QTime(23, 0, 0), Qt::UTC);
    for (auto _ : st) {
        if (ReloadAndRecount(state, path) != LogReadError::None) {
            st.SkipWithError("cannot read the log");
            return;
        }
        state.counties = RebuildCountyLists(state.contacts, table);
        benchmark::DoNotOptimize(NextSerial(state.contacts));
        benchmark::DoNotOptimize(computeQsoRates(state.contacts, now));
        benchmark::DoNotOptimize(recentContactRecords(state.contacts, 0));
    }
}
BENCHMARK(BM_LoadLogAndRebuildTotals)->Unit(benchmark::kMillisecond);

// One keystroke in the call box: the whole log is scanned when few calls
// match (the list then never reaches its 100 characters).
void BM_PossibleDuplicatesPerKeystroke(benchmark::State& st)
{
    LogState state;
    state.contacts = fullLog();
    const DupeKey key{WindowKind::OutOfState, QStringLiteral("20"), QStringLiteral("CW"), {}, {}};
    for (auto _ : st)
        benchmark::DoNotOptimize(PartialCallCheck(state, QStringLiteral("W6Q"), 'Z', key));
}
BENCHMARK(BM_PossibleDuplicatesPerKeystroke)->Unit(benchmark::kMicrosecond);

// The blocking check on Enter for a call never worked: a full scan.
void BM_BlockingDupCheck(benchmark::State& st)
{
    const ContactLog log = fullLog();
    const DupeKey key{WindowKind::OutOfState, QStringLiteral("20"), QStringLiteral("CW"), {}, {}};
    const DupeEntry entry{QStringLiteral("K6NEW"), QStringLiteral("COUNTY1"), {}};
    for (auto _ : st)
        benchmark::DoNotOptimize(findDuplicate(log, entry, key));
}
BENCHMARK(BM_BlockingDupCheck)->Unit(benchmark::kMicrosecond);

void BM_RewriteLog(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    const ContactLog log = fullLog();
    for (auto _ : st) {
        if (!RewriteLog(log, path).ok) {
            st.SkipWithError("cannot write the log");
            return;
        }
    }
}
BENCHMARK(BM_RewriteLog)->Unit(benchmark::kMillisecond);

// One contact appended to a full-size log.txt and synced to the disk, the
// store's part of logging a contact. The file is on the disk the program
// folder is on (not a memory file system, where the sync costs nothing).
// Target: well under the 5 ms a whole contact may take.
void BM_AppendOneContactWithSync(benchmark::State& st)
{
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-append-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    ContactLog log = fullLog();
    log.removeLast();
    if (!RewriteLog(log, path).ok) {
        st.SkipWithError("cannot write the log");
        return;
    }
    (void)log.add(fullLog().records().back());
    const QByteArray start = formatLogFile(log).chopped(formatContactLine(log.record(log.ContactCount())).size());
    int appended = 0;
    for (auto _ : st) {
        if (!AppendContact(log, log.ContactCount(), path).ok) {
            st.SkipWithError("cannot append");
            return;
        }
        // Keep the file at its full size: cut the line off again now and then.
        if (++appended % 64 == 0) {
            st.PauseTiming();
            (void)platform::writeFileSafely(path, start);
            st.ResumeTiming();
        }
    }
}
BENCHMARK(BM_AppendOneContactWithSync)->Unit(benchmark::kMillisecond);

// Damaged files: a megabyte of line ends before the last value. Reading
// must stay linear in the file's size (a rescan of the rest of the file
// before each record made this take seconds).
void BM_LoadLogOfLineEnds(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(1 << 20, '\n') + "x") < 0) {
        st.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    for (auto _ : st) {
        ContactLog log;
        benchmark::DoNotOptimize(LoadLog(log, path));
    }
}
BENCHMARK(BM_LoadLogOfLineEnds)->Unit(benchmark::kMillisecond);

void BM_LoadCountyTableOfLineEnds(benchmark::State& st)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("county2.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(256 << 10, '\n') + "CAALAMEDA,ALAM\r\n") < 0) {
        st.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    for (auto _ : st) {
        CountyTable table;
        benchmark::DoNotOptimize(LoadCountyTable(table, path, QStringLiteral("CA")));
    }
}
BENCHMARK(BM_LoadCountyTableOfLineEnds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
