// Logging one contact through the out-of-state window on a full log, with
// "All" listed: the time from the operator's Enter until the entry fields
// are cleared for the next contact and the window is drawn again. The
// contact list is a view of the log, so listing all 11,000 contacts must not
// slow logging down: the run with the last twenty listed is the yardstick.
// Target: < 5 ms per contact.

#include "app/out_of_state_window.h"
#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/contact_log.h"

#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const char* const Counties[] = {"Alameda", "Amador", "Butte", "Fresno", "Kern", "Marin", "Napa", "Yolo"};

QByteArray logOf(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        contactlog::ContactRecord r = bench_support::benchContact(i);
        r.LogCountyRcvd = QString::fromLatin1(Counties[i % 8]);
        bytes += contactlog::formatContactLine(r);
    }
    return bytes;
}

void pressEnter(QWidget* box)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(box, &release);
}

// Argument 1 lists all contacts, 0 the last twenty (for comparison).
void BM_LogOneContact(benchmark::State& bench)
{
    bench_support::BenchProgram fixture;
    app::AppState& state = fixture.state;
    const QString logPath = fixture.path(QStringLiteral("log.txt"));
    {
        QFile f(logPath);
        if (!f.open(QIODevice::WriteOnly))
            return bench.SkipWithError("cannot write the log");
        f.write(logOf(contactlog::ContactLog::MaxContacts - 1));
    }
    app::MainWindowServices none;
    OutOfStateWindow window(state, none);
    window.onLoad();
    window.show();
    if (bench.range(0) == 1)
        window.cmdList->click();  // "All"
    const qint64 fullSize = QFileInfo(logPath).size();

    for (auto _ : bench) {
        window.txtCall->setText(QStringLiteral("K6ZZZ"));
        window.txtRSTR->setText(QStringLiteral("123"));
        window.txtSec->setText(QStringLiteral("Alameda"));
        pressEnter(window.txtCall);
        // Whatever the logging left to be drawn is drawn before the clock stops.
        QApplication::processEvents();
        if (!window.txtCall->text().isEmpty() || state.log.contacts.ContactCount() != contactlog::ContactLog::MaxContacts)
            return bench.SkipWithError("the contact was not logged");
        bench.PauseTiming();
        // Back to 10,999 contacts for the next round.
        state.log.contacts.removeLast();
        QFile::resize(logPath, fullSize);
        window.ListRecentContacts();
        // Let the list settle (its delayed layout, then its drawing).
        QApplication::processEvents();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
    bench.counters["rows listed"] = window.contactList().rowCount();
}
BENCHMARK(BM_LogOneContact)->ArgName("all")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }
