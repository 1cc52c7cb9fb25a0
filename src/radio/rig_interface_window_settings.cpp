// The rig interface's settings: Test, End Test and Done, the rig list and
// its defaults, the option and box handlers, RigCntrl.txt and the band plan.

#include "radio/rig_interface_window.h"

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "platform/file_system.h"
#include "platform/safe_file.h"
#include "radio/frequency_test_window.h"
#include "radio/rig_models.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace radio {

namespace {

const QString NoResponse = QStringLiteral("No Response");

bool isNone(const QString& rigType) { return rigType.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0; }

/// Selects the option whose value is `value` and clears the others of its
/// frame; with no match the frame is left with none selected.
template <class Choices>
void selectByValue(const Choices& choices, const QString& value)
{
    for (const auto& c : choices)
        c.button->setAutoExclusive(false);
    for (const auto& c : choices)
        c.button->setChecked(value == QLatin1String(c.value));
    for (const auto& c : choices)
        c.button->setAutoExclusive(true);
}

template <class Choices>
const char* selectedValue(const Choices& choices)
{
    for (const auto& c : choices)
        if (c.button->isChecked())
            return c.value;
    return nullptr;
}

}  // namespace

// ----- Test, End Test, Done ---------------------------------------------

void RigInterfaceWindow::collectSettings()
{
    for (int i = 0; i < 10; ++i)
        if (optComm[static_cast<std::size_t>(i)]->isChecked())
            m_settings.Port = i + 1;
    if (const char* v = selectedValue(baudChoices()))
        m_settings.Baud = fixedWidth(QString::fromLatin1(v), 5);
    if (const char* v = selectedValue(parityChoices()))
        m_settings.Parity = QString::fromLatin1(v);
    if (const char* v = selectedValue(dataChoices()))
        m_settings.DataBits = QString::fromLatin1(v);
    if (const char* v = selectedValue(stopChoices()))
        m_settings.StopBits = QString::fromLatin1(v);
    m_settings.PortSettings = m_settings.Baud.trimmed() + QLatin1Char(',') + m_settings.Parity +
                              QLatin1Char(',') + m_settings.DataBits + QLatin1Char(',') +
                              m_settings.StopBits;
    if (const char* v = selectedValue(powerChoices()))
        m_settings.Power = QString::fromLatin1(v);
    if (const char* v = selectedValue(pollChoices()))
        m_settings.PollRate = QString::fromLatin1(v);
}

void RigInterfaceWindow::onTestClicked()
{
    if (m_shutDown)
        return;
    const QString& rigType = m_state.prefs.RigType;
    if (!isNone(rigType)) {
        lblMode->setText(NoResponse);
        lblFreq->setText(NoResponse);
        endTestButton->setEnabled(true);
        pollingLabel->show();
        m_loop.RigMode.clear();
        m_loop.restartSilenceCount();
    }
    collectSettings();
    if (isNone(rigType))
        return;
    m_loop.setRigType(rigType);
    const bool portless = !usesPort();
    if (!portless)
        OpenRigPort();
    else if (m_settings.PegasusFolder.isEmpty())
        // The default folder is made for the operator to point the control
        // program at; a folder of the operator's own is left as it is.
        QDir().mkpath(defaultPegasusFolder());
    if (m_port.isOpen() || portless) {
        onPollTick();
        StartPolling();
    } else {
        endTestButton->setEnabled(false);
        pollingLabel->hide();
    }
}

void RigInterfaceWindow::onEndTestClicked()
{
    lblMode->clear();
    lblFreq->clear();
    lblUnProcess->clear();
    tmrGetData->stop();
    pollingLabel->hide();
    endTestButton->setEnabled(false);
    m_port.close();
    m_portLost = false;
}

void RigInterfaceWindow::onDoneClicked()
{
    if (!isNone(m_state.prefs.RigType))
        onTestClicked();
    if (ForwardingWindow* form1 = m_links.forwardingWindow ? m_links.forwardingWindow() : nullptr)
        form1->SavePref();
    else
        app::SaveQSOPref(m_state);
    SaveRigSettings();
    hide();
}

void RigInterfaceWindow::onChangeFrequencyClicked()
{
    if (!tmrGetData->isActive()) {
        m_state.services.prompt.messageBox(
            QStringLiteral("You must be polling your rig to test this function.  Please select your rig "
                           "type and click the Test command button."),
            platform::MsgButtons::Ok, platform::MsgIcon::Information,
            QStringLiteral("You must be polling your rig to test this function."));
        return;
    }
    FrequencyTestWindow test(m_state, *this, this);
    test.onLoad();
    if (m_links.runModal)
        m_links.runModal(test);
    else
        test.exec();
}

void RigInterfaceWindow::onCopyRepliesClicked()
{
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(lblUnProcess->text());
    cmdDone->setFocus();
}

// ----- the rig list and the options ---------------------------------------

void RigInterfaceWindow::onRigListClicked()
{
    if (LoadingRigSettings != 0)
        return;
    onEndTestClicked();
    const QListWidgetItem* item = rigList->currentItem();
    if (!item)
        return;
    m_state.prefs.RigType = item->text();
    // Whatever the old rig said is forgotten: neither its frequency nor its
    // mode may reach a contact logged with the new one.
    m_loop.setRigType(m_state.prefs.RigType);
    m_state.log.RigFrequencyText.clear();
    txtFreq->clear();
    txtMode->clear();
    chkConvToHex->setChecked(false);
    chkConvToHex->setEnabled(false);
    icomAddressNote->hide();
    if (const RigModel* model = findRigModel(m_state.prefs.RigType))
        applyRigDefaults(*model);
    showPegasusFolder();
}

void RigInterfaceWindow::applyRigDefaults(const RigModel& model)
{
    if (model.baud)
        selectByValue(baudChoices(), QString::fromLatin1(model.baud));
    if (model.parity)
        selectByValue(parityChoices(), QString(QLatin1Char(model.parity)));
    if (model.dataBits)
        selectByValue(dataChoices(), QString(QLatin1Char(model.dataBits)));
    if (model.stopBits)
        selectByValue(stopChoices(), QString(QLatin1Char(model.stopBits)));
    txtFreq->setText(QString::fromLatin1(model.frequencyQuery));
    txtMode->setText(QString::fromLatin1(model.modeQuery));
    if (model.queriesInHex)
        chkConvToHex->setChecked(true);
    if (model.operatorMayConvert)
        chkConvToHex->setEnabled(true);
    if (model.showIcomNote)
        icomAddressNote->show();
}

void RigInterfaceWindow::onSerialOptionClicked() { onEndTestClicked(); }

void RigInterfaceWindow::onQueryBoxGotFocus() { onEndTestClicked(); }

void RigInterfaceWindow::onFrequencyQueryChanged()
{
    m_settings.FrequencyQuery = txtFreq->text();
    m_loop.rig.frequencyQuery = m_settings.FrequencyQuery;
}

void RigInterfaceWindow::onModeQueryChanged()
{
    m_settings.ModeQuery = txtMode->text();
    m_loop.rig.modeQuery = m_settings.ModeQuery;
}

void RigInterfaceWindow::onModeByClicked()
{
    lblMode->setText(NoResponse);
    m_loop.RigMode.clear();
}

void RigInterfaceWindow::onConvertToHexClicked()
{
    ChkConvHex->setChecked(chkConvToHex->isChecked());
    m_loop.rig.convertToHex = chkConvToHex->isChecked();
}

QString RigInterfaceWindow::defaultPegasusFolder() const
{
    return platform::joinPath(m_state.folders.UserDataFolder, QStringLiteral("Pegasus"));
}

void RigInterfaceWindow::showPegasusFolder()
{
    const RigModel* model = findRigModel(m_state.prefs.RigType);
    const bool files = model && model->family && !model->family->usesSerialPort();
    lblPegasusFolder->setVisible(files);
    txtPegasusFolder->setVisible(files);
}

void RigInterfaceWindow::onPegasusFolderChanged()
{
    // Takes effect on the next poll; the default is not written to the
    // settings file, so it moves with the per-user folder.
    const QString folder = txtPegasusFolder->text().trimmed();
    // The box is narrow: the whole path shows when the pointer rests on it.
    txtPegasusFolder->setToolTip(folder);
    const bool isDefault = folder.isEmpty() || folder == defaultPegasusFolder();
    m_settings.PegasusFolder = isDefault ? QString() : folder;
    m_loop.rig.filesFolder = isDefault ? defaultPegasusFolder() : folder;
}

// ----- RigCntrl.txt -------------------------------------------------------

void RigInterfaceWindow::LoadRigSettings()
{
    const auto bytes = platform::readWholeFile(m_state.folders.programFile(QString::fromLatin1(RigSettings::FileName)));
    if (!bytes)
        return;
    const int read = parseRigSettings(*bytes, m_settings);
    if (read >= 11)
        m_state.prefs.RigType = m_settings.RigType;
    if (read < 14)
        return;
    applyLoadedSettings(read);
}

void RigInterfaceWindow::applyLoadedSettings(int)
{
    const auto box = [](QCheckBox* b, int value) { b->setChecked(value != 0); };
    box(chkConvToHex, m_settings.ConvertToHex);
    box(chkFrequency, m_settings.UseFrequency);
    if (m_settings.ModeBy == 1)
        OptRig->setChecked(true);
    else if (m_settings.ModeBy == 2)
        OptFreq->setChecked(true);
    else if (m_settings.ModeBy == 3)
        OptDont->setChecked(true);
    txtFreq->setText(m_settings.FrequencyQuery);
    txtMode->setText(m_settings.ModeQuery);
    const auto items = rigList->findItems(m_settings.RigType, Qt::MatchExactly);
    if (!items.isEmpty())
        rigList->setCurrentItem(items.first());
    if (m_settings.RigType == QLatin1String("Other"))
        chkConvToHex->setEnabled(true);
    if (m_settings.RigType == QLatin1String("Icom"))
        icomAddressNote->show();
    // A port the list has no button for ends the applying here.
    if (m_settings.Port < 1 || m_settings.Port > 10)
        return;
    optComm[static_cast<std::size_t>(m_settings.Port - 1)]->setChecked(true);
    selectByValue(baudChoices(), m_settings.Baud.trimmed());
    selectByValue(parityChoices(), m_settings.Parity);
    selectByValue(dataChoices(), m_settings.DataBits);
    selectByValue(stopChoices(), m_settings.StopBits);
    selectByValue(powerChoices(), m_settings.Power);
    selectByValue(pollChoices(), m_settings.PollRate);
}

void RigInterfaceWindow::SaveRigSettings()
{
    m_settings.ModeBy = OptFreq->isChecked() ? 2 : OptDont->isChecked() ? 3 : 1;
    m_settings.RigType = m_state.prefs.RigType;
    m_settings.ConvertToHex = chkConvToHex->isChecked() ? 1 : 0;
    m_settings.UseFrequency = chkFrequency->isChecked() ? 1 : 0;
    const QString path = m_state.folders.programFile(QString::fromLatin1(RigSettings::FileName));
    const auto result = platform::writeFileSafely(path, formatRigSettings(m_settings));
    if (!result.ok)
        m_state.services.prompt.message(
            QStringLiteral("The rig interface settings could not be saved to RigCntrl.txt in the working "
                           "directory:\n") +
                result.error,
            QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
}

// ----- the band plan ------------------------------------------------------

void RigInterfaceWindow::LoadBandPlan()
{
    QDir::setCurrent(m_state.folders.ProgramFolder);
    const BandPlan plan = readBandPlanFile(m_state.folders.programFile(QString::fromLatin1(BandPlan::FileName)),
                                           QStringLiteral("E"));
    m_bandPlan = plan.rows;
    // Without the plan no sideband is set when tuning; the operator should
    // know that before the contest rather than wonder during it.
    if (plan.problem == BandPlan::Problem::Missing)
        m_state.services.prompt.message(
            QStringLiteral("Band data not available.  BandPlan.txt was not found in the working "
                           "directory, so tuning the rig will not set its sideband."),
            QStringLiteral("Band Data Not Available."), platform::MsgIcon::Exclamation);
    else if (plan.problem == BandPlan::Problem::TooManyRows)
        m_state.services.prompt.message(
            QStringLiteral("BandPlan.txt holds more than 200 Extra class rows.  The first 200 are used; "
                           "the sideband for frequencies in the rows after them is not set."),
            QStringLiteral("Band Data"), platform::MsgIcon::Exclamation);
}

}  // namespace radio
