#include "reports/report_exports.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "app/main_window_base.h"
#include "app/program_version.h"
#include "platform/file_system.h"
#include "reports/adif_writer.h"
#include "reports/clipboard_text.h"
#include "reports/daybook_export.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>

namespace reports {

namespace {

const QString TableName = QStringLiteral("ADIFCnt.txt");

void reportFailure(app::AppState& state, const QString& description)
{
    QDir::setCurrent(state.folders.ProgramFolder);
    state.services.beeper.beep();
    state.services.prompt.message(description, QStringLiteral("Unable to write file."));
}

}  // namespace

QString adifTablePath(const app::AppState& state)
{
    for (const QString& folder : {state.folders.SharedDataFolder, state.folders.UserDataFolder}) {
        if (folder.isEmpty())
            continue;
        const QString path = platform::pathIn(folder, TableName);
        if (platform::fileExists(path))
            return path;
    }
    return state.folders.programFile(TableName);
}

void ExportADIF(app::AppState& state)
{
    auto& prompt = state.services.prompt;
    const QString partyState = state.prefs.PartyState;
    AdifOptions options;
    options.partyState = partyState;
    options.programVersion = QString::fromLatin1(app::ProgramVersion);
    options.power = prompt.inputBox(
        QStringLiteral("Please enter the power value that you would like to record.  This is an optional value "
                       "that will be included in each QSO record and displayed in Daybook's power output column."),
        QStringLiteral("Please enter your transmitter output power."), QStringLiteral("100"));
    options.comment = prompt.inputBox(
        QStringLiteral("Please enter a comment that you would like to appear on each QSO record.  This is an "
                       "optional description that will be displayed in Daybook's Comments column."),
        QStringLiteral("Please enter a comment."), partyState + QStringLiteral(" State QSO Party Contest"));

    const QString tablePath = adifTablePath(state);
    const auto bytes = platform::readWholeFile(tablePath);
    if (!bytes) {
        reportFailure(state, QStringLiteral("The country number table ") + QDir::toNativeSeparators(tablePath) +
                                 QStringLiteral(" could not be read."));
        return;
    }
    QString error;
    const auto table = AdifCountryTable::parse(*bytes, error);
    if (!table) {
        reportFailure(state, error);
        return;
    }

    platform::FileDialogRequest request;
    request.title = QStringLiteral("Export ADIF File");
    request.initialDir = state.folders.UserDataFolder;
    request.fileName = partyState + QStringLiteral(".adi");
    request.filter = QStringLiteral("ADIF Files (*.adi) | *.adi");
    const QString path = prompt.saveFileName(request);
    if (path.isEmpty())
        return;
    options.exportDateText = QLocale::system().toString(state.services.clock.now().date(), QLocale::ShortFormat);
    const auto written = platform::writeFileSafely(path, writeAdif(state.log.contacts, options, *table));
    if (!written.ok) {
        reportFailure(state, written.error);
        return;
    }
    QDir::setCurrent(state.folders.ProgramFolder);
    prompt.message(QStringLiteral("The file was successfully written to the directory:\r\n\r\n") +
                       QDir::toNativeSeparators(path) + u'.',
                   QStringLiteral("File Written Successfully."));
}

void ExportForDaybook(app::AppState& state)
{
    QDir::setCurrent(state.folders.ProgramFolder);
    const QString power = state.services.prompt.inputBox(
        QStringLiteral("Please enter the power value you would like to record."),
        QStringLiteral("Please enter the power value"), QString());
    const QString path = state.folders.programFile(QStringLiteral("LogExp.txt"));
    const auto written =
        platform::writeFileSafely(path, writeDaybookExport(state.log.contacts, state.prefs.PartyState, power));
    if (!written.ok) {
        reportFailure(state, QStringLiteral("LogExp.txt could not be written to this program's working directory ") +
                                 QDir::toNativeSeparators(state.folders.ProgramFolder) + QStringLiteral(": ") +
                                 written.error);
        return;
    }
    state.services.beeper.beep();
    state.services.prompt.message(
        QStringLiteral("LogExp.txt has been written to this program's working directory ") +
            QDir::toNativeSeparators(state.folders.ProgramFolder) +
            QStringLiteral(".  Import these contacts into the Daybook program by clicking File, Import, and "
                           "navigating to this directory from the Daybook program."),
        QStringLiteral("Export Successful!"));
}

void copyListToClipboard(MainWindowBase& window)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return;
    clipboard->clear();
    const app::ContactListModel& list = window.contactList();
    QStringList headings;
    for (int c = 0; c < list.columnCount(); ++c)
        headings << list.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    clipboard->setText(listClipboardText(headings, list.rowCount(),
                                         [&list](int row, int column) { return list.cellText(row, column); }));
}

}  // namespace reports
