// Logging one contact through the out-of-state window on a full log, with
// "All" listed: the time from the operator's Enter until the entry fields
// are cleared for the next contact and the window is drawn again. The
// contact list is a view of the log, so listing all 11,000 contacts must not
// slow logging down: the run with the last twenty listed is the yardstick.
// Target: < 5 ms per contact.

#include "app/Outfrm.h"
#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/contact_log.h"

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
    static const char* const prefixes[] = {"K6", "W6", "N6", "KA6", "AA6", "KB6", "WB6", "N0", "W1", "VE3"};
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        contactlog::ContactRecord r;
        r.LogCall = QString::fromLatin1(prefixes[i % 10]) + QChar(u'A' + (i / 10) % 26) +
                    QChar(u'A' + (i / 260) % 26) + QChar(u'A' + (i / 6760) % 26);
        r.LogSerialRcvd = QString::number(i % 700 + 1);
        r.LogCountyRcvd = QString::fromLatin1(Counties[i % 8]);
        r.LogSerialSent = QStringLiteral("%1").arg(i + 1, 3, 10, QChar(u'0'));
        r.LogDate = QStringLiteral("2021/10/02");
        r.LogTime = QStringLiteral("16:%1:%2").arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'));
        r.LogMode = i % 2 ? QStringLiteral("PH") : QStringLiteral("CW");
        r.LogBand = QStringLiteral("20");
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
    QTemporaryDir dir;
    platform::ScriptedPrompt prompt;
    platform::Beeper beeper(false);
    platform::ManualClock clock;
    // A 1,600 by 1,000 pixel screen.
    platform::FixedScreen screen({24000, 15000, {0, 0, 24000, 15000}});
    platform::Registry registry(dir.filePath(QStringLiteral("registry.ini")));
    platform::Services services{prompt, beeper, clock, screen, registry};
    app::AppState state(services);
    state.folders.ProgramFolder = dir.path();
    state.folders.UserDataFolder = dir.path();
    QDir::setCurrent(dir.path());
    QFile::copy(QStringLiteral(ZQP_SOURCE_DIR "/data/county2.txt"), dir.filePath(QStringLiteral("county2.txt")));
    const QString logPath = dir.filePath(QStringLiteral("log.txt"));
    {
        QFile f(logPath);
        if (!f.open(QIODevice::WriteOnly))
            return bench.SkipWithError("cannot write the log");
        f.write(logOf(contactlog::ContactLog::MaxContacts - 1));
    }
    auto& p = state.prefs;
    p.CurrentMode = QStringLiteral("CW");
    p.CurrentBand = QStringLiteral("20");
    p.PartyState = QStringLiteral("CA");
    p.OutOfStateFlag = 1;
    p.FormSizePercent = 100;
    p.RigType = QStringLiteral("None");

    app::MainWindowServices none;
    prompt.answer(platform::MsgResult::Yes);
    Outfrm window(state, none);
    window.Form_Load();
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
