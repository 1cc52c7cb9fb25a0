// Loading the main window, and the work on the log as a whole: reload,
// new log, archive, restore.

#include "app/main_window_base.h"

#include "app/app_state.h"
#include "log/call_file_name.h"
#include "log/log_maintenance.h"
#include "log/log_totals.h"
#include "log/rates_clock.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/scaling.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QTreeView>

namespace {

contactlog::LogPaths logPaths(const app::AppState& s)
{
    return {s.folders.programFile(QStringLiteral("log.txt")),
            platform::joinPath(s.folders.UserDataFolder, QStringLiteral("BACKUP"))};
}

}  // namespace

QString MainWindowBase::logPath() const { return m_state.folders.programFile(QStringLiteral("log.txt")); }

void MainWindowBase::onLoad()
{
    loadSteps();
    if (m_programEnded)
        return;
    rateTimer->start();
    clockTimer->start();
}

void MainWindowBase::loadSteps()
{
    newCountryLabel->hide();
    if (!platform::scaleWindow(this, m_state.services.screen.metrics(),
                               platform::ScaleRule::mainWindow())
             .isEmpty())
        return;
    app::FitListHeights(frame());
    lblDialog->setText(loadDialogText());
    buildListColumns();

    auto* spots = static_cast<QStandardItemModel*>(txtDX->model());
    spots->setHorizontalHeaderLabels({QStringLiteral("Call"), QStringLiteral("Frequency"),
                                      QStringLiteral("QTH"), QStringLiteral("Status"),
                                      QStringLiteral("Comments"), QStringLiteral("Prefix"),
                                      QStringLiteral("Time"), QStringLiteral("From")});
    spots->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    spots->horizontalHeaderItem(3)->setTextAlignment(Qt::AlignCenter);
    setColumnWidths(txtDX, {1040, 880, 2000, 0, 3400, 520, 600, 520});

    m_state.log.PartialDupesFlag = 1;
    if (m_state.prefs.ListPreviousFlag == 1)
        mnuListPrevious->setChecked(true);
    buildMultiplierTable();
    if (m_state.prefs.FormSizePercent < 100)
        app::ApplyFormSize(frame(), m_state);
    applySavedMode();
    applySavedBand();
    showStationLabels();
    loadCountyTable();
    AskOpenExistingLog();
    ShowOperatingTime();
    ReloadLog();
    if (m_programEnded)
        return;
    app::FitToScreen(frame(), m_state);
    if (m_state.prefs.RigType.compare(QStringLiteral("None"), Qt::CaseInsensitive) != 0)
        m_services.startRigPolling();
}

void MainWindowBase::setColumnWidths(QAbstractItemView* view, const std::vector<double>& designWidths)
{
    QHeaderView* header = nullptr;
    if (auto* table = qobject_cast<QTableView*>(view))
        header = table->horizontalHeader();
    else if (auto* tree = qobject_cast<QTreeView*>(view))
        header = tree->header();
    if (!header)
        return;
    const double width = platform::windowTwipGeometry(this).width();
    // A column of no width holds data the operator never sees; the header
    // would still give it its minimum width, so it is hidden instead.
    for (std::size_t i = 0; i < designWidths.size(); ++i) {
        const int section = static_cast<int>(i);
        header->setSectionHidden(section, designWidths[i] <= 0);
        if (designWidths[i] > 0)
            header->resizeSection(section, platform::twipsToPixels(designWidths[i] * width / 9600));
    }
}

void MainWindowBase::applySavedMode()
{
    const QString& mode = m_state.prefs.CurrentMode;
    modeLabel->setText(mode);
    const bool ph = mode.compare(QStringLiteral("PH"), Qt::CaseInsensitive) == 0;
    const bool dg = mode.compare(QStringLiteral("DG"), Qt::CaseInsensitive) == 0;
    mnu160->setChecked(!ph && !dg);
    mnuSSB->setChecked(ph);
    mnuDigital->setChecked(dg);
}

void MainWindowBase::applySavedBand()
{
    for (QAction* item : bandItems) {
        if (item->text().compare(m_state.prefs.CurrentBand, Qt::CaseInsensitive) == 0) {
            item->setChecked(true);
            bandLabel->setText(item->text());
            return;
        }
    }
}

void MainWindowBase::loadCountyTable()
{
    const auto result = contactlog::LoadCountyTable(
        m_state.counties, m_state.folders.programFile(QStringLiteral("county2.txt")),
        m_state.prefs.PartyState);
    // A damaged or missing county table is reported, and the window goes on
    // to load the log: the contacts must never be out of reach because of it.
    QString text;
    switch (result) {
    case contactlog::CountyLoadResult::Ok: return;
    case contactlog::CountyLoadResult::Missing:
        text = QStringLiteral("The county table county2.txt could not be opened in the working "
                              "directory. Counties cannot be checked or completed until it is restored.");
        break;
    case contactlog::CountyLoadResult::Damaged:
        text = QStringLiteral("The county table county2.txt is damaged. Only the counties before "
                              "the damage were loaded.");
        break;
    case contactlog::CountyLoadResult::TooMany:
        text = QStringLiteral("The county table county2.txt holds more than 1,000 counties of ") +
               m_state.prefs.PartyState + QStringLiteral(". Only the first 1,000 were loaded.");
        break;
    }
    m_state.services.prompt.message(text, QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
}

void MainWindowBase::AskOpenExistingLog()
{
    const bool yes = m_state.services.prompt.messageBox(
                         contactlog::openExistingLogText(), platform::MsgButtons::YesNo,
                         platform::MsgIcon::Question,
                         contactlog::openExistingLogTitle()) == platform::MsgResult::Yes;
    if (yes)
        // With no log.txt yet, continuing starts an empty log.
        (void)contactlog::prepareExistingLog(logPaths(m_state));
    else
        NewLog();
    showEditButtons(false);
}

bool MainWindowBase::NewLog()
{
    const QString answer = m_state.services.prompt.inputBox(contactlog::newLogPrompt(),
                                                            contactlog::newLogTitle(), QString());
    if (!contactlog::confirmsNewLog(answer))
        return false;
    const auto result = contactlog::eraseLogForNewLog(m_state.log, m_state.prefs.BankedOpSeconds,
                                                      logPaths(m_state), m_state.services.clock.now());
    if (!result.ok) {
        m_state.services.prompt.message(
            QStringLiteral("The log could not be erased, so no new log was started:\n") + result.error,
            QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
        return false;
    }
    app::SaveQSOPref(m_state);
    return true;
}

void MainWindowBase::ReloadLog()
{
    if (contactlog::ReloadAndRecount(m_state.log, logPath()) != contactlog::LogReadError::None) {
        m_state.services.prompt.message(contactlog::logUnreadableText(logPath()), QStringLiteral("File Error"));
        endProgram();
        return;
    }
    refreshAfterReload();
}

void MainWindowBase::onNewLogClicked()
{
    NewLog();
    ReloadLog();
    if (m_programEnded)
        return;
    ShowOperatingTime();
    ShowQSORate();
    app::SaveQSOPref(m_state);
}

void MainWindowBase::onArchiveClicked()
{
    platform::Prompt& prompt = m_state.services.prompt;
    prompt.message(contactlog::archiveInfoText(), contactlog::archiveInfoTitle());
    const auto paths = logPaths(m_state);
    platform::FileDialogRequest request;
    // The dialog opens in the backup folder and offers the archive's name
    // in it; the name goes alone, since the dialog starts from the folder.
    request.initialDir = paths.backupFolder;
    request.fileName = QFileInfo(contactlog::defaultArchivePath(paths.backupFolder,
                                                                contactlog::CallToFileName(m_state.prefs.MyCall),
                                                                m_state.services.clock.now().date()))
                           .fileName();
    request.filter = contactlog::logFileFilter();
    const QString target = prompt.saveFileName(request);
    if (target.isEmpty())
        return;
    const auto result = contactlog::archiveLog(paths, target);
    if (!result.ok)
        prompt.message(result.error, QStringLiteral("Error Archiving Log"));
}

void MainWindowBase::onRestoreClicked()
{
    platform::Prompt& prompt = m_state.services.prompt;
    prompt.message(contactlog::restoreInfoText(), contactlog::restoreInfoTitle());
    if (m_state.log.contacts.ContactCount() > 0 &&
        !prompt.askYesNo(contactlog::restoreConfirmText(), contactlog::restoreConfirmTitle()))
        return;
    const auto paths = logPaths(m_state);
    platform::FileDialogRequest request;
    request.initialDir = paths.backupFolder;
    request.filter = contactlog::logFileFilter();
    const QString source = prompt.openFileName(request);
    if (source.isEmpty())
        return;
    const auto result = contactlog::restoreLog(paths, source, m_state.services.clock.now());
    if (!result.ok) {
        prompt.message(result.error, QStringLiteral("Error Restoring Log"));
        return;
    }
    ReloadLog();
}

app::MainWindowFrame MainWindowBase::frame() const
{
    app::MainWindowFrame f;
    f.window = const_cast<MainWindowBase*>(this);
    f.multiplierListsLine = multiplierListsLine;
    f.firstMultiplierList = firstMultiplierList;
    f.sameHeightLists = sameHeightLists();
    f.contactListView = contactListView;
    f.txtDX = txtDX;
    f.mnuTaskbar = mnuTaskbar;
    return f;
}
