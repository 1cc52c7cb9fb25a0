// The files the operator sends after the contest and the correction of one
// contact, on a full log of 11,000 contacts:
//   - writing the Cabrillo file, the ADIF file and the general-logger export
//     (the bytes and the safe write to disk), each < 100 ms;
//   - an edit's Done: the dialog's checks and duplicate scan, the write-back,
//     then the window's rewrite of log.txt, reload and rescore, < 100 ms.

#include "app/in_state_window.h"
#include "app/out_of_state_window.h"
#include "app/app_state.h"
#include "app/program_services.h"
#include "log/contact_log.h"
#include "log/county_table.h"
#include "platform/safe_file.h"
#include "reports/edit_contact_dialog.h"
#include "reports/adif_writer.h"
#include "reports/cabrillo_writer.h"
#include "reports/daybook_export.h"
#include "reports/edit_contact_dialogs.h"

#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* const Counties[] = {"Alameda", "Amador", "Butte", "Fresno", "Kern", "Marin", "Napa", "Yolo"};
const char* const Spcs[] = {"CT", "NV", "ON", "Germany", "TX", "Japan", "BC", "AK"};

std::vector<contactlog::ContactRecord> fullLog(bool inState)
{
    std::vector<contactlog::ContactRecord> records;
    for (int i = 0; i < contactlog::ContactLog::MaxContacts; ++i) {
        contactlog::ContactRecord r = bench_support::benchContact(i);
        if (inState) {
            r.LogSPC = QString::fromLatin1(Spcs[i % 8]);
            r.LogCountySent = QStringLiteral("Alpine");
            if (i % 5 == 0)
                r.LogCountyRcvd = QString::fromLatin1(Counties[i % 8]);
        } else {
            r.LogCountyRcvd = QString::fromLatin1(Counties[i % 8]);
        }
        r.LogFrequency = i % 3 ? QString() : QStringLiteral("14.025");
        records.push_back(r);
    }
    return records;
}

contactlog::CountyTable countyTable()
{
    contactlog::CountyTable t;
    if (contactlog::LoadCountyTable(t, QStringLiteral(ZQP_SOURCE_DIR "/data/county2.txt"), QStringLiteral("CA")) !=
        contactlog::CountyLoadResult::Ok)
        t.rows.clear();
    return t;
}

void BM_WriteCabrillo(benchmark::State& bench)
{
    QTemporaryDir dir;
    contactlog::ContactLog log;
    log.replaceAll(fullLog(true));
    const auto counties = countyTable();
    reports::CabrilloStation station;
    station.MyCall = QStringLiteral("K6AA");
    station.PartyState = QStringLiteral("CA");
    station.programVersion = QStringLiteral("2.3");
    reports::CabrilloEntry entry;
    const QString path = dir.filePath(QStringLiteral("K6AA.log"));
    qint64 size = 0;
    for (auto _ : bench) {
        const QByteArray bytes = reports::writeCabrillo(log, counties, station, entry);
        if (!platform::writeFileSafely(path, bytes).ok)
            return bench.SkipWithError("cannot write");
        size = bytes.size();
    }
    bench.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_WriteCabrillo)->Unit(benchmark::kMillisecond);

void BM_WriteAdif(benchmark::State& bench)
{
    QTemporaryDir dir;
    contactlog::ContactLog log;
    log.replaceAll(fullLog(true));
    QString error;
    const auto table = reports::AdifCountryTable::parse(
        *platform::readWholeFile(QStringLiteral(ZQP_SOURCE_DIR "/data/ADIFCnt.txt")), error);
    if (!table)
        return bench.SkipWithError("no country table");
    reports::AdifOptions options;
    options.partyState = QStringLiteral("CA");
    options.programVersion = QStringLiteral("2.3");
    options.exportDateText = QStringLiteral("10/3/2021");
    options.power = QStringLiteral("100");
    options.comment = QStringLiteral("CA State QSO Party Contest");
    const QString path = dir.filePath(QStringLiteral("CA.adi"));
    for (auto _ : bench) {
        if (!platform::writeFileSafely(path, reports::writeAdif(log, options, *table)).ok)
            return bench.SkipWithError("cannot write");
    }
}
BENCHMARK(BM_WriteAdif)->Unit(benchmark::kMillisecond);

void BM_WriteDaybookExport(benchmark::State& bench)
{
    QTemporaryDir dir;
    contactlog::ContactLog log;
    log.replaceAll(fullLog(true));
    const QString path = dir.filePath(QStringLiteral("LogExp.txt"));
    for (auto _ : bench) {
        if (!platform::writeFileSafely(path, reports::writeDaybookExport(log, QStringLiteral("CA"),
                                                                          QStringLiteral("100")))
                 .ok)
            return bench.SkipWithError("cannot write");
    }
}
BENCHMARK(BM_WriteDaybookExport)->Unit(benchmark::kMillisecond);

// Argument 1: the in-state window, 0: the out-of-state window. Each round
// opens the edit dialog on the newest contact, changes its county received
// and clicks Done; the window then rewrites, reloads and rescores the log.
void BM_EditDone(benchmark::State& bench)
{
    const bool inState = bench.range(0) == 1;
    bench_support::BenchProgram fixture(!inState);
    app::AppState& state = fixture.state;
    {
        contactlog::ContactLog log;
        log.replaceAll(fullLog(inState));
        QFile f(fixture.path(QStringLiteral("log.txt")));
        if (!f.open(QIODevice::WriteOnly))
            return bench.SkipWithError("cannot write the log");
        f.write(contactlog::formatLogFile(log));
    }
    state.prefs.MyCounty = QStringLiteral("Alpine");

    app::ProgramServices program;
    program.onEditContact = [&state](MainWindowBase& window, int n) { reports::showEditDialog(state, window, n); };
    std::unique_ptr<MainWindowBase> window;
    if (inState)
        window = std::make_unique<InStateWindow>(state, program);
    else
        window = std::make_unique<OutOfStateWindow>(state, program);
    window->onLoad();
    window->show();
    int round = 0;
    bool written = false;
    window->runModal = [&](QDialog& d) {
        auto& dialog = dynamic_cast<EditContactDialog&>(d);
        auto* county = dialog.findChild<QLineEdit*>(inState ? QStringLiteral("countyBox") : QStringLiteral("countyBox"));
        county->setText(round % 2 ? QStringLiteral("Butte") : QStringLiteral("Alameda"));
        dialog.onDoneClicked();
        written = !dialog.isVisible();
    };
    for (auto _ : bench) {
        ++round;
        written = false;
        window->contactListView->selectRow(0);
        window->cmdEdit->click();
        QApplication::processEvents();
        if (!written)
            return bench.SkipWithError("the edit was not written back");
    }
    bench.counters["contacts"] = state.log.contacts.ContactCount();
}
BENCHMARK(BM_EditDone)->ArgName("inState")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }
