// The menu bar of the main windows and the windows it opens. The menus
// define no shortcut keys: the Ctrl shortcuts are handled at window level,
// and "&" marks the access letter. Items whose windows belong to other parts
// of the program open through MainWindowServices.

#include "app/main_window_base.h"

#include "app/help_page.h"
#include "app/multiplier_colours.h"
#include "app/app_state.h"
#include "reports/county_change_dialog.h"
#include "reports/rover_county_change_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

void MainWindowBase::buildMenus()
{
    QMenuBar* bar = menuBar();
    // The menus keep the system's font when the window's own font is scaled.
    bar->setFont(QApplication::font());
    auto item = [](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(QString::fromLatin1(name)); };
    const bool in = m_kind == contactlog::WindowKind::InState;

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuNew = item(mnuFile, "mnuNew", "&New");
    separator(mnuFile, "mnuLine1");
    mnuArchive = item(mnuFile, "mnuArchive", "Archive Current &Log");
    separator(mnuFile, "mnuLine21");
    mnuRestore = item(mnuFile, "mnuRestore", "&Restore from Archive or Backup");
    separator(mnuFile, "mnuLine53");
    mnuOpen = item(mnuFile, "mnuOpen", "&Open");
    mnuOpen->setVisible(false);
    mnuWriteSumm = item(mnuFile, "mnuWriteSumm", "&Write Submission File");
    separator(mnuFile, "mnuLine2");
    mnuDaybookImport = item(mnuFile, "mnuDaybookImport", "E&xport for Daybook Import");
    mnuDaybookImport->setVisible(false);
    mnuexportADIF = item(mnuFile, "mnuexportADIF", "Export &ADIF File");
    separator(mnuFile, "mnuLine22");
    mnuCopyListtoClipboard = item(mnuFile, "mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard");
    separator(mnuFile, "mnuLine3");
    mnuExit = item(mnuFile, "mnuExit", "&Exit");

    mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    QMenu* appearance = mnuOptions->addMenu(QStringLiteral("&Appearance"));
    appearance->setObjectName(QStringLiteral("mnuAppearance"));
    mnuFormSize = item(appearance, "mnuFormSize", "&Form Size");
    mnuColors = item(appearance, "mnuColors", "&Colors");
    mnuColors->setVisible(in);
    mnuTaskbar = item(appearance, "mnuTaskbar", "&Taskbar");
    mnuTaskbar->setCheckable(true);
    separator(mnuOptions, "mnuLine5");
    QMenu* transmit = mnuOptions->addMenu(QStringLiteral("&Transmit"));
    transmit->setObjectName(QStringLiteral("mnutrans"));
    mnuCW = item(transmit, "mnuCW", "&CW Setup");
    mnuVoice = item(transmit, "mnuVoice", "&Voice Setup");
    separator(mnuOptions, in ? "mnuline6" : "mnuLine6");
    mnuRigInterface = item(mnuOptions, "mnuRigInterface", "&Rig Interface");
    separator(mnuOptions, "mnuLine8");
    QMenu* dx = mnuOptions->addMenu(QStringLiteral("&DX Spotting"));
    dx->setObjectName(QStringLiteral("mnuDX"));
    mnuDXSpotting = item(dx, "mnuDXSpotting", "&Configure");
    mnuSpectrumMap = item(dx, "mnuSpectrumMap", "&View Spectrum Map");
    separator(mnuOptions, "mnuLine7");
    mnuBlind = item(mnuOptions, "mnuBlind", "&Voice Navigation");
    separator(mnuOptions, "mnuLine11");
    mnuListPrevious = item(mnuOptions, "mnuListPrevious", "&List Previous Contacts");
    mnuListPrevious->setCheckable(true);
    separator(mnuOptions, "mnuLine29");
    mnuPostContest = item(mnuOptions, "mnuPostContest", "&Post Contest Mode");
    mnuPostContest->setCheckable(true);

    if (!in) {
        mnuSetup = bar->addMenu(QStringLiteral("&Setup"));
        mnuSetup->setObjectName(QStringLiteral("mnuSetup"));
        mnuSetup->menuAction()->setVisible(false);
    }

    mnuBandChange = bar->addMenu(QStringLiteral("&Band"));
    mnuBandChange->setObjectName(QStringLiteral("mnuBandChange"));
    const char* bandNames[8] = {"mnuBand160Ch", "mnuBand80Ch", "mnuBand40Ch", "mnuBand20Ch",
                                "mnuBand15Ch",  "mnuBand10Ch", "mnuBand6Ch",  "mnuBand2Ch"};
    const char* bandCaptions[8] = {"160", "80", "40", "20", "15", "10", "6", "2"};
    for (int i = 0; i < 8; ++i) {
        bandItems[static_cast<std::size_t>(i)] = item(mnuBandChange, bandNames[i], bandCaptions[i]);
        bandItems[static_cast<std::size_t>(i)]->setCheckable(true);
    }
    separator(mnuBandChange, "mnuLine14");
    mnuPrivileges = item(mnuBandChange, "mnuPrivileges", "&Privileges");

    mnuBand = bar->addMenu(QStringLiteral("&Mode"));
    mnuBand->setObjectName(QStringLiteral("mnuBand"));
    mnu160 = item(mnuBand, "mnu160", "&CW");
    mnuSSB = item(mnuBand, "mnuSSB", "&PH");
    mnuDigital = item(mnuBand, "mnuDigital", in ? "&DG" : "&Digital");
    for (QAction* a : {mnu160, mnuSSB, mnuDigital})
        a->setCheckable(true);
    mnuDigital->setVisible(false);

    auto command = [bar](const char* name, const char* caption) {
        QAction* a = bar->addAction(QString::fromLatin1(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    mnuClear = command("mnuClear", "&Clear");
    if (in)
        mnuChangeCounty = command("mnuChangeCounty", "Cha&nge County");
    mnuMap = command("mnuMap", "M&ap");
    mnuGraph = command("mnuGraph", "&Graph");
    mnuRecall = command("mnuRecall", "&Recall");
    mnuCountyList = command("mnuCountyList", "L&ist");
    mnuHelp = command("mnuHelp", "&Help");
}

void MainWindowBase::showModal(QDialog& dialog)
{
    if (runModal)
        runModal(dialog);
    else
        dialog.exec();
    // The keyboard comes back to the entry: without this, a desktop that
    // leaves the focus nowhere when a dialog closes would make the next keys
    // miss the window's shortcuts.
    activateWindow();
}

void MainWindowBase::openMenuWindow(app::MenuWindow which)
{
    // Several of these windows open their files by bare name.
    QDir::setCurrent(m_state.folders.ProgramFolder);
    if (which == app::MenuWindow::DxSpotting)
        app::SaveQSOPref(m_state);
    m_services.open(*this, which);
}

void MainWindowBase::onFormSizeClicked() { app::askFormSizePercent(m_state); }

void MainWindowBase::onTaskbarClicked()
{
    app::toggleTaskbarDisplay(frame(), m_state);
    // The item's mark shows the option, not the click: a refused click
    // leaves it as it was.
    mnuTaskbar->setChecked(m_state.prefs.TaskbarDisplay != 0);
}

void MainWindowBase::onColorsClicked()
{
    MultiplierColoursWindow::showModal(m_state, this, [this](QDialog& d) { showModal(d); });
    app::SaveQSOPref(m_state);
    // The lists and labels take the new colours.
    ReloadLog();
}

void MainWindowBase::showOwnCounty(const QString& county) { ownLocationLabel->setText(county); }

void MainWindowBase::onChangeCountyClicked()
{
    if (!m_rover)
        return;
    CountyChangeDialog::showModal(m_state, *m_rover, this, [this](QDialog& d) { showModal(d); });
    app::SaveQSOPref(m_state);
    showOwnCounty(m_state.prefs.MyCounty);
}

void MainWindowBase::onHelpClicked()
{
    HelpPage::showModal(m_state, this, [this](QDialog& d) { showModal(d); });
}
