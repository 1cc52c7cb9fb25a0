// The spotting window's loading, its settings file, the choice of connection
// type and which controls each type enables.

#include "spots/spotting_window.h"

#include "app/app_state.h"
#include "platform/safe_file.h"
#include "platform/scaling.h"
#include "spots/spotting_help.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char* const ConnectionTypes[] = {"None", "TNC", "Telnet", "AGW Packet Engine"};

bool sameText(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

/// Selects the button whose value equals value (case ignored) and clears the
/// others; none matching leaves the whole group cleared.
void selectByValue(std::initializer_list<std::pair<QRadioButton*, const char*>> group,
                   const QString& value)
{
    for (const auto& [button, text] : group) {
        const bool on = sameText(value, text);
        if (on) {
            button->setChecked(true);
        } else if (button->isChecked()) {
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
        }
    }
}

QString trimTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

}  // namespace

void SpottingWindow::onLoad()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    const QString error = platform::scaleWindow(this, screen, platform::ScaleRule::resizeForm());
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
    // Centred across the top of the screen, not above the middle.
    const QRectF g = platform::windowTwipGeometry(this);
    platform::setWindowTwipPos(this, (screen.widthTwips - g.width()) / 2, 2);
    setFixedSize(size());

    for (const char* type : ConnectionTypes)
        typeList->addItem(QString::fromLatin1(type));
    DisableSpotControls();
    LoadingSettings = true;
    LoadSpotSettings();
    LoadingSettings = false;
}

void SpottingWindow::LoadSpotSettings()
{
    const auto bytes = platform::readWholeFile(m_state.folders.programFile(QStringLiteral("PackSpot.txt")));
    if (!bytes)
        return;
    const auto read = spots::readSpotSettings(*bytes);
    if (!read)
        return;
    m_settings = *read;
    convertToHexCheck->setChecked(read->ConvertToHex != 0);
    if (read->ListDisplay)
        displayList->setChecked(true);
    commandCharBox->setText(read->TncCommandHex);
    telnetPortBox->setText(read->TelnetPort);
    telnetHostBox->setText(read->TelnetHost);

    for (int i = 0; i < typeList->count(); ++i)
        if (typeList->item(i)->text().compare(m_settings.ConnectionType, Qt::CaseInsensitive) == 0) {
            typeList->setCurrentRow(i);
            break;
        }

    // A port outside the ten the window offers ends the load here: the
    // serial choices stay as designed and nothing is opened.
    if (m_settings.Port < 1 || m_settings.Port > 10)
        return;
    optComm[m_settings.Port - 1]->setChecked(true);
    applySerialSettings();

    LoadingSettings = false;
    if (isConnectionType("TNC"))
        EnableTncControls();
    else if (isConnectionType("Telnet"))
        EnableTelnetControls();
    else if (isConnectionType("AGW Packet Engine"))
        EnableAgwControls();
    if (!isConnectionType("None"))
        onOpenPortClicked();
}

void SpottingWindow::applySerialSettings()
{
    selectByValue({{optBaud12, "1200"}, {optBaud24, "2400"}, {optBaud48, "4800"}, {optBaud96, "9600"},
                   {optBaud144, "14400"}, {optBaud192, "19200"}},
                  trimTrailingBlanks(m_settings.Baud));
    selectByValue({{optParityOdd, "O"}, {optParityNone, "N"}, {optParityEven, "E"}}, m_settings.Parity);
    selectByValue({{optData7, "7"}, {optData8, "8"}}, m_settings.DataBits);
    selectByValue({{optStop1, "1"}, {optStop2, "2"}}, m_settings.StopBits);
    selectByValue({{optPowerNone, "N"}, {optPowerRTS, "R"}, {optPowerDTR, "D"}}, m_settings.Power);
    QRadioButton* handshaking[] = {handshakeNone, handshakeXonXoff, handshakeRts, handshakeRtsXonXoff};
    if (m_settings.Handshaking >= 1 && m_settings.Handshaking <= 4)
        handshaking[m_settings.Handshaking - 1]->setChecked(true);
}

void SpottingWindow::SaveSpotSettings()
{
    spots::SpotSettings s = m_settings;
    s.ConvertToHex = convertToHexCheck->isChecked() ? 1 : 0;
    s.ListDxOnly = listDxOnlyCheck->isChecked() ? 1 : 0;
    s.ListDisplay = displayList->isChecked();
    s.TncCommandHex = commandCharBox->text();
    s.TelnetPort = telnetPortBox->text();
    s.TelnetHost = telnetHostBox->text();
    const QString path = m_state.folders.programFile(QStringLiteral("PackSpot.txt"));
    const platform::FileWriteResult written = platform::writeFileSafely(path, spots::formatSpotSettings(s));
    if (!written.ok)
        m_state.services.prompt.message(
            QStringLiteral("The DX spotting settings could not be saved to %1: %2").arg(path, written.error),
            QStringLiteral("File Error"));
}

void SpottingWindow::onTypeListClicked()
{
    listDxOnlyCheck->setChecked(false);
    if (!LoadingSettings) {
        onClosePortClicked();
        DisableSpotControls();
        m_settings.ConnectionType = selectedType();
        if (isConnectionType("TNC")) {
            optBaud96->setChecked(true);
            optParityNone->setChecked(true);
            optData8->setChecked(true);
            optStop1->setChecked(true);
            handshakeRts->setChecked(true);
            commandCharBox->setText(QStringLiteral("03"));
            EnableTncControls();
        }
    }
    ShowSpottingHelp();
    if (isConnectionType("Telnet"))
        EnableTelnetControls();
    else if (isConnectionType("AGW Packet Engine"))
        EnableAgwControls();

    if (isConnectionType("TNC"))
        sendBoxLabel->setText(QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
    else if (isConnectionType("AGW Packet Engine"))
        sendBoxLabel->setText(QStringLiteral("Send text (use : to send cmds such as :C Ostrel or :D)"));
    else if (isConnectionType("Telnet"))
        sendBoxLabel->setText(QStringLiteral("Type text to send and press enter:"));
}

void SpottingWindow::ShowSpottingHelp()
{
    replaceMonitor(spots::spottingHelpText(selectedType()));
    // The top of the text shows.
    m_monitorCaret = m_monitor.isEmpty() ? 0 : 1;
    refreshMonitorBox();
}

QString SpottingWindow::selectedType() const
{
    // Only a selected entry counts: the list's focus marks an entry current
    // without choosing it.
    const QList<QListWidgetItem*> selected = typeList->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

bool SpottingWindow::isConnectionType(const char* type) const
{
    return sameText(m_settings.ConnectionType, type);
}

bool SpottingWindow::listDisplayChosen() const { return displayList->isChecked(); }

void SpottingWindow::onSerialOptionClicked()
{
    if (!LoadingSettings)
        onClosePortClicked();
}

namespace {

void enable(std::initializer_list<QWidget*> controls, bool on)
{
    for (QWidget* c : controls)
        c->setEnabled(on);
}

}  // namespace

void SpottingWindow::DisableSpotControls()
{
    enable({displayGroup, listDxOnlyCheck, sendBoxLabel, sendBox, openPortButton, closePortButton, commandCharLabel, commandCharBox, handshakingGroup, fraBaud,
            fraParity, fraData, fraStop, fraPort, fraPower, telnetHostLabel, telnetHostBox, telnetPortLabel,
            telnetPortBox, convertToHexCheck},
           false);
}

void SpottingWindow::EnableTncControls()
{
    enable({displayGroup, listDxOnlyCheck, sendBoxLabel, sendBox, openPortButton, closePortButton, commandCharLabel, commandCharBox, handshakingGroup, fraBaud,
            fraParity, fraData, fraStop, fraPort, fraPower},
           true);
}

void SpottingWindow::EnableTelnetControls()
{
    enable({displayGroup, listDxOnlyCheck, sendBoxLabel, sendBox, openPortButton, closePortButton, telnetHostLabel, telnetHostBox, telnetPortLabel,
            telnetPortBox},
           true);
}

void SpottingWindow::EnableAgwControls()
{
    enable({displayGroup, listDxOnlyCheck, sendBoxLabel, sendBox, openPortButton, closePortButton}, true);
}

void SpottingWindow::readSerialOptions()
{
    for (int i = 0; i < 10; ++i)
        if (optComm[static_cast<std::size_t>(i)]->isChecked())
            m_settings.Port = static_cast<quint8>(i + 1);
    const std::pair<QRadioButton*, const char*> bauds[] = {
        {optBaud12, "1200"}, {optBaud24, "2400"},   {optBaud48, "4800"},
        {optBaud96, "9600"}, {optBaud144, "14400"}, {optBaud192, "19200"}};
    for (const auto& [b, v] : bauds)
        if (b->isChecked())
            m_settings.Baud = QString::fromLatin1(v);
    auto pick = [](QString& field, std::initializer_list<std::pair<QRadioButton*, const char*>> group) {
        for (const auto& [b, v] : group)
            if (b->isChecked())
                field = QString::fromLatin1(v);
    };
    pick(m_settings.Parity, {{optParityOdd, "O"}, {optParityNone, "N"}, {optParityEven, "E"}});
    pick(m_settings.DataBits, {{optData7, "7"}, {optData8, "8"}});
    pick(m_settings.StopBits, {{optStop1, "1"}, {optStop2, "2"}});
    pick(m_settings.Power, {{optPowerNone, "N"}, {optPowerRTS, "R"}, {optPowerDTR, "D"}});
    QRadioButton* handshaking[] = {handshakeNone, handshakeXonXoff, handshakeRts, handshakeRtsXonXoff};
    for (int i = 0; i < 4; ++i)
        if (handshaking[i]->isChecked())
            m_settings.Handshaking = static_cast<quint8>(i + 1);
}

QString SpottingWindow::TncSettingsString() const
{
    return trimTrailingBlanks(m_settings.Baud) + u',' + m_settings.Parity + u',' + m_settings.DataBits
           + u',' + m_settings.StopBits;
}
