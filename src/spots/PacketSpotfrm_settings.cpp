// The spotting window's loading, its settings file, the choice of connection
// type and which controls each type enables.

#include "spots/PacketSpotfrm.h"

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

void PacketSpotfrm::Form_Load()
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
        List1->addItem(QString::fromLatin1(type));
    DisableSpotControls();
    LoadingSettings = true;
    LoadSpotSettings();
    LoadingSettings = false;
}

void PacketSpotfrm::LoadSpotSettings()
{
    const auto bytes = platform::readWholeFile(m_state.folders.programFile(QStringLiteral("PackSpot.txt")));
    if (!bytes)
        return;
    const auto read = spots::readSpotSettings(*bytes);
    if (!read)
        return;
    m_settings = *read;
    chkConvToHex->setChecked(read->ConvertToHex != 0);
    if (read->ListDisplay)
        OptList->setChecked(true);
    txtHex->setText(read->TncCommandHex);
    txtTelnetPort->setText(read->TelnetPort);
    txtTelnetHost->setText(read->TelnetHost);

    for (int i = 0; i < List1->count(); ++i)
        if (List1->item(i)->text().compare(m_settings.ConnectionType, Qt::CaseInsensitive) == 0) {
            List1->setCurrentRow(i);
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
        Command1_Click();
}

void PacketSpotfrm::applySerialSettings()
{
    selectByValue({{optBaud12, "1200"}, {optBaud24, "2400"}, {optBaud48, "4800"}, {optBaud96, "9600"},
                   {optBaud144, "14400"}, {optBaud192, "19200"}},
                  trimTrailingBlanks(m_settings.Baud));
    selectByValue({{optParityOdd, "O"}, {optParityNone, "N"}, {optParityEven, "E"}}, m_settings.Parity);
    selectByValue({{optData7, "7"}, {optData8, "8"}}, m_settings.DataBits);
    selectByValue({{optStop1, "1"}, {optStop2, "2"}}, m_settings.StopBits);
    selectByValue({{optPowerNone, "N"}, {optPowerRTS, "R"}, {optPowerDTR, "D"}}, m_settings.Power);
    QRadioButton* handshaking[] = {Option1, Option2, Option3, Option4};
    if (m_settings.Handshaking >= 1 && m_settings.Handshaking <= 4)
        handshaking[m_settings.Handshaking - 1]->setChecked(true);
}

void PacketSpotfrm::SaveSpotSettings()
{
    spots::SpotSettings s = m_settings;
    s.ConvertToHex = chkConvToHex->isChecked() ? 1 : 0;
    s.ListDxOnly = chkDX->isChecked() ? 1 : 0;
    s.ListDisplay = OptList->isChecked();
    s.TncCommandHex = txtHex->text();
    s.TelnetPort = txtTelnetPort->text();
    s.TelnetHost = txtTelnetHost->text();
    const QString path = m_state.folders.programFile(QStringLiteral("PackSpot.txt"));
    const platform::FileWriteResult written = platform::writeFileSafely(path, spots::formatSpotSettings(s));
    if (!written.ok)
        m_state.services.prompt.message(
            QStringLiteral("The DX spotting settings could not be saved to %1: %2").arg(path, written.error),
            QStringLiteral("File Error"));
}

void PacketSpotfrm::List1_Click()
{
    chkDX->setChecked(false);
    if (!LoadingSettings) {
        Command2_Click();
        DisableSpotControls();
        m_settings.ConnectionType = selectedType();
        if (isConnectionType("TNC")) {
            optBaud96->setChecked(true);
            optParityNone->setChecked(true);
            optData8->setChecked(true);
            optStop1->setChecked(true);
            Option3->setChecked(true);
            txtHex->setText(QStringLiteral("03"));
            EnableTncControls();
        }
    }
    ShowSpottingHelp();
    if (isConnectionType("Telnet"))
        EnableTelnetControls();
    else if (isConnectionType("AGW Packet Engine"))
        EnableAgwControls();

    if (isConnectionType("TNC"))
        Label6->setText(QStringLiteral("Send text  (Ctrl C or Esc for TNC Command mode):"));
    else if (isConnectionType("AGW Packet Engine"))
        Label6->setText(QStringLiteral("Send text (use : to send cmds such as :C Ostrel or :D)"));
    else if (isConnectionType("Telnet"))
        Label6->setText(QStringLiteral("Type text to send and press enter:"));
}

void PacketSpotfrm::ShowSpottingHelp()
{
    replaceMonitor(spots::spottingHelpText(selectedType()));
    // The top of the text shows.
    m_monitorCaret = m_monitor.isEmpty() ? 0 : 1;
    refreshMonitorBox();
}

QString PacketSpotfrm::selectedType() const
{
    // Only a selected entry counts: the list's focus marks an entry current
    // without choosing it.
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

bool PacketSpotfrm::isConnectionType(const char* type) const
{
    return sameText(m_settings.ConnectionType, type);
}

bool PacketSpotfrm::listDisplayChosen() const { return OptList->isChecked(); }

void PacketSpotfrm::serialOption_Click()
{
    if (!LoadingSettings)
        Command2_Click();
}

namespace {

void enable(std::initializer_list<QWidget*> controls, bool on)
{
    for (QWidget* c : controls)
        c->setEnabled(on);
}

}  // namespace

void PacketSpotfrm::DisableSpotControls()
{
    enable({Frame2, chkDX, Label6, txtSent, Command1, Command2, Label2, txtHex, Frame1, fraBaud,
            fraParity, fraData, fraStop, fraPort, fraPower, Label7, txtTelnetHost, Label3,
            txtTelnetPort, chkConvToHex},
           false);
}

void PacketSpotfrm::EnableTncControls()
{
    enable({Frame2, chkDX, Label6, txtSent, Command1, Command2, Label2, txtHex, Frame1, fraBaud,
            fraParity, fraData, fraStop, fraPort, fraPower},
           true);
}

void PacketSpotfrm::EnableTelnetControls()
{
    enable({Frame2, chkDX, Label6, txtSent, Command1, Command2, Label7, txtTelnetHost, Label3,
            txtTelnetPort},
           true);
}

void PacketSpotfrm::EnableAgwControls()
{
    enable({Frame2, chkDX, Label6, txtSent, Command1, Command2}, true);
}

void PacketSpotfrm::readSerialOptions()
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
    QRadioButton* handshaking[] = {Option1, Option2, Option3, Option4};
    for (int i = 0; i < 4; ++i)
        if (handshaking[i]->isChecked())
            m_settings.Handshaking = static_cast<quint8>(i + 1);
}

QString PacketSpotfrm::TncSettingsString() const
{
    return trimTrailingBlanks(m_settings.Baud) + u',' + m_settings.Parity + u',' + m_settings.DataBits
           + u',' + m_settings.StopBits;
}
