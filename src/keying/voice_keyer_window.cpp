// The voice keyer window: its controls and its settings handlers.

#include "keying/voice_keyer_window.h"

#include "app/app_state.h"
#include "keying/voice_settings.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "platform/safe_file.h"
#include "platform/scaling.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

using platform::ControlKind;
using platform::makeControl;

namespace keying {

namespace {

constexpr double RowTop = 780;
constexpr double RowStep = 400;
constexpr double BoxLeft = 600;
constexpr double BoxWidth = 6240;
constexpr double BrowseLeft = 6960;

QLabel* makeLabel(QWidget* parent, const char* name, const QRectF& twips, const QString& text)
{
    auto* l = makeControl<QLabel>(parent, name, ControlKind::Label, twips);
    l->setText(text);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

void swallowEnter(int& KeyAscii)
{
    if (KeyAscii == 13)
        KeyAscii = 0;
}

}  // namespace

VoiceKeyerWindow::VoiceKeyerWindow(app::AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state), m_ptt(state.hardware)
{
    setObjectName(QStringLiteral("VoiceKeyerWindow"));
    setWindowTitle(QStringLiteral("Phone Wave Selections"));
    platform::setWindowTwipSize(this, 8520, 6720);
    endPollTimer.setInterval(40);
    endPollTimer.setTimerType(Qt::PreciseTimer);
    tmrRepeat.setSingleShot(false);
    tmrRepeat.setInterval(0);
    // The pause between repeats is the operator's: a coarse timer may end
    // it up to a twentieth early.
    tmrRepeat.setTimerType(Qt::PreciseTimer);
    m_endShot.setSingleShot(true);
    m_endShot.setTimerType(Qt::PreciseTimer);
    buildControls();
    wireEvents();
}

VoiceKeyerWindow::~VoiceKeyerWindow() { onUnload(); }

void VoiceKeyerWindow::buildControls()
{
    lblRecording = makeLabel(
        this, "lblRecording", QRectF(120, 120, 8280, 600),
        QStringLiteral("Record each message as a wave file (.wav) with your sound recorder, "
                       "then click Browse beside its function key to choose it.  In Phone mode "
                       "F1 to F9 play the messages with the transmitter keyed."));
    buildPathRows();
    buildLowerPart();
}

void VoiceKeyerWindow::buildPathRows()
{
    QLineEdit** boxes[] = {&waveBoxF1, &waveBoxF2, &waveBoxF3, &waveBoxF4, &waveBoxF5, &waveBoxF6, &waveBoxF7, &waveBoxF8, &waveBoxF9};
    static const char* const boxNames[] = {"waveBoxF1", "waveBoxF2", "waveBoxF3", "waveBoxF4", "waveBoxF5",
                                           "waveBoxF6", "waveBoxF7", "waveBoxF8", "waveBoxF9"};
    static const char* const browseNames[] = {"browseButtonF1", "browseButtonF2", "browseButtonF3",
                                              "browseButtonF4", "browseButtonF5", "browseButtonF6",
                                              "browseButtonF7", "browseButtonF8", "browseButtonF9"};
    static const char* const labelNames[] = {"lblF1", "lblF2", "lblF3", "lblF4", "lblF5",
                                             "lblF6", "lblF7", "lblF8", "lblF9"};
    for (int i = 0; i < 9; ++i) {
        const double top = RowTop + i * RowStep;
        KeyLabels[i] = makeLabel(this, labelNames[i], QRectF(120, top + 45, 420, 285),
                                 QStringLiteral("F%1").arg(i + 1));
        // F1's box is narrower: its repeat time sits beside it.
        const double width = i == 0 ? BoxWidth - 2040 : BoxWidth;
        *boxes[i] = makeControl<QLineEdit>(this, boxNames[i], ControlKind::TextBox,
                                           QRectF(BoxLeft, top, width, 330));
        BrowseButtons[i] = makeControl<QPushButton>(this, browseNames[i],
                                                    ControlKind::CommandButton,
                                                    QRectF(BrowseLeft, top - 15, 1320, 360));
        BrowseButtons[i]->setText(QStringLiteral("Browse"));
    }
    lblRepeat = makeLabel(this, "lblRepeat", QRectF(BoxLeft + BoxWidth - 1920, RowTop + 45, 1260, 285),
                          QStringLiteral("Repeat (sec)"));
    txtPHLoop = makeControl<QLineEdit>(this, "txtPHLoop", ControlKind::TextBox,
                                       QRectF(BoxLeft + BoxWidth - 600, RowTop, 600, 330));
    txtPHLoop->setText(QStringLiteral("0"));
}

void VoiceKeyerWindow::buildLowerPart()
{
    const double top = RowTop + 9 * RowStep + 60;
    lblLineOutput = makeLabel(
        this, "lblLineOutput", QRectF(120, top, 4080, 660),
        QStringLiteral("Connect the sound card's line output to the transceiver's audio "
                       "input.  Start at the lowest output level and raise it slowly."));
    lblCaution = makeLabel(this, "lblCaution", QRectF(120, top + 720, 4080, 285),
                           QStringLiteral("Caution, RF feedback can damage your PC!"));
    QPalette red = lblCaution->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblCaution->setPalette(red);
    lblPhoneMode = makeLabel(this, "lblPhoneMode", QRectF(120, top + 1020, 4080, 285),
                             QStringLiteral("(You  must be in Phone mode)"));

    lblSerial = makeLabel(
        this, "lblSerial", QRectF(4320, top, 4080, 660),
        QStringLiteral("Serial PTT interface: the RTS or DTR line of the port keys the "
                       "transmitter through a transistor or opto-coupler.  Enter 0 for "
                       "no serial port."));
    lblPort = makeLabel(this, "lblPort", QRectF(4320, top + 765, 900, 285), QStringLiteral("Port"));
    pttSerialPortBox = makeControl<QLineEdit>(this, "pttSerialPortBox", ControlKind::TextBox,
                                    QRectF(5160, top + 720, 540, 330));
    pttSerialPortBox->setText(QStringLiteral("0"));
    lblAddress = makeLabel(this, "lblAddress", QRectF(4320, top + 1165, 900, 285),
                           QStringLiteral("Address"));
    parallelAddressBox = makeControl<QLineEdit>(this, "parallelAddressBox", ControlKind::TextBox,
                                    QRectF(5160, top + 1120, 900, 330));
    parallelAddressBox->setText(QStringLiteral("&H378"));

    pttLineGroup = makeControl<QGroupBox>(this, "pttLineGroup", ControlKind::Frame,
                                    QRectF(6240, top + 660, 2160, 900));
    pttLineGroup->setTitle(QStringLiteral("PTT line"));
    pttLineRts = makeControl<QRadioButton>(pttLineGroup, "pttLineRts", ControlKind::OptionButton,
                                        QRectF(120, 240, 900, 285));
    pttLineRts->setText(QStringLiteral("RTS"));
    pttLineDtr = makeControl<QRadioButton>(pttLineGroup, "pttLineDtr", ControlKind::OptionButton,
                                        QRectF(1080, 240, 900, 285));
    pttLineDtr->setText(QStringLiteral("DTR"));
    pttLineParallel = makeControl<QRadioButton>(pttLineGroup, "pttLineParallel", ControlKind::OptionButton,
                                        QRectF(120, 540, 1440, 285));
    pttLineParallel->setText(QStringLiteral("Parallel"));
    pttLineRts->setChecked(true);

    const double bottom = top + 1680;
    testButton = makeControl<QPushButton>(this, "testButton", ControlKind::CommandButton,
                                         QRectF(120, bottom, 1200, 420));
    testButton->setText(QStringLiteral("Test"));
    lblTest = makeLabel(this, "lblTest", QRectF(1440, bottom + 75, 2400, 285),
                        QStringLiteral("Plays F1 Command"));
    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(7080, bottom, 1320, 420));
    doneButton->setText(QStringLiteral("Done"));
    for (QPushButton* b : BrowseButtons)
        b->setAutoDefault(true);
    testButton->setAutoDefault(true);
    doneButton->setAutoDefault(true);
}

void VoiceKeyerWindow::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    // Enter in a box presses no button: the next button along would be a
    // Browse, and a file dialog the operator did not ask for.
    for (int i = 0; i < 9; ++i)
        m_keys->onKeyPress(pathBox(i), [](int& k) { swallowEnter(k); });
    m_keys->onKeyPress(pttSerialPortBox, [](int& k) { swallowEnter(k); });
    m_keys->onGotFocus(pttSerialPortBox, [this] { onPttSerialPortGotFocus(); });
    m_keys->onLostFocus(pttSerialPortBox, [this] { onPttSerialPortLostFocus(); });
    m_keys->onKeyPress(parallelAddressBox, [this](int& k) {
        swallowEnter(k);
        onParallelAddressKeyPress(k);
    });
    m_keys->onKeyPress(txtPHLoop, [this](int& k) {
        swallowEnter(k);
        onRepeatSecondsKeyPress(k);
    });
    m_keys->onLostFocus(txtPHLoop, [this] { onRepeatSecondsLostFocus(); });
    // A paste gives each box what typing the same characters gives it.
    for (int i = 0; i < 9; ++i)
        platform::filterPastes(pathBox(i), platform::TypedKeyRule());
    platform::filterPastes(pttSerialPortBox, platform::TypedKeyRule());
    platform::filterPastes(parallelAddressBox, [this](int& k) { onParallelAddressKeyPress(k); });
    platform::filterPastes(txtPHLoop, [this](int& k) { onRepeatSecondsKeyPress(k); });
    m_keys->attachAll();

    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(testButton, &QPushButton::clicked, this, [this] { onTestClicked(); });
    for (int i = 0; i < 9; ++i)
        connect(BrowseButtons[i], &QPushButton::clicked, this, [this, i] { onBrowseClicked(i); });
    connect(&endPollTimer, &QTimer::timeout, this, [this] { onEndPollTick(); });
    connect(&m_endShot, &QTimer::timeout, this, [this] { onEndPollTick(); });
    connect(&tmrRepeat, &QTimer::timeout, this, [this] { onRepeatTick(); });
}

QLineEdit* VoiceKeyerWindow::pathBox(int index) const
{
    QLineEdit* const boxes[] = {waveBoxF1, waveBoxF2, waveBoxF3, waveBoxF4, waveBoxF5, waveBoxF6, waveBoxF7, waveBoxF8, waveBoxF9};
    return boxes[index];
}

void VoiceKeyerWindow::fill(const PhoneWindowSettings& s)
{
    for (int i = 0; i < 9; ++i)
        pathBox(i)->setText(s.wavePathsAndPttPort[i]);
    pttSerialPortBox->setText(s.wavePathsAndPttPort[9]);
    QRadioButton* options[] = {pttLineRts, pttLineDtr, pttLineParallel};
    if (s.pttLineOption >= 0 && s.pttLineOption <= 2) {
        options[s.pttLineOption]->setChecked(true);
    } else {
        for (QRadioButton* o : options) {
            o->setAutoExclusive(false);
            o->setChecked(false);
            o->setAutoExclusive(true);
        }
    }
    txtPHLoop->setText(s.txtPHLoop);
    tmrRepeat.setInterval(s.repeatIntervalMs);
    parallelAddressBox->setText(s.parallelAddress);
}

PhoneWindowSettings VoiceKeyerWindow::settings() const
{
    PhoneWindowSettings s;
    for (int i = 0; i < 9; ++i)
        s.wavePathsAndPttPort[i] = pathBox(i)->text();
    s.wavePathsAndPttPort[9] = pttSerialPortBox->text();
    s.pttLineOption = pttLineRts->isChecked() ? 0 : pttLineDtr->isChecked() ? 1 : pttLineParallel->isChecked() ? 2 : -1;
    s.txtPHLoop = txtPHLoop->text();
    s.repeatIntervalMs = tmrRepeat.interval();
    s.parallelAddress = parallelAddressBox->text();
    return s;
}

void VoiceKeyerWindow::onLoad()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::phoneSettings());
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
}

void VoiceKeyerWindow::showModal()
{
    onLoad();
    if (runModal)
        runModal(*this);
    else
        exec();
}

void VoiceKeyerWindow::showModeless()
{
    onLoad();
    showNormal();
    raise();
    activateWindow();
}

void VoiceKeyerWindow::onDoneClicked()
{
    hide();
    QDir::setCurrent(m_state.folders.ProgramFolder);
    const auto result = platform::writeFileSafely(m_state.folders.programFile(QStringLiteral("wave2.txt")),
                                                  voiceSettingsFileBytes(settings()));
    // Losing the settings without a word would surprise the operator at the
    // next start; the old file stays as it was.
    if (!result.ok) {
        m_state.services.beeper.beep();
        m_state.services.prompt.message(
            QStringLiteral("The voice keyer settings could not be saved in wave2.txt: ") + result.error,
            QStringLiteral("File Error"));
    }
}

void VoiceKeyerWindow::onBrowseClicked(int index)
{
    platform::FileDialogRequest request;
    request.filter = QStringLiteral("(*.wav)|*.wav");
    const QString path = m_state.services.prompt.openFileName(request);
    QDir::setCurrent(m_state.folders.ProgramFolder);
    if (path.isEmpty()) {
        m_state.services.beeper.beep();
        return;
    }
    pathBox(index)->setText(QDir::toNativeSeparators(path));
    doneButton->setFocus();
}

void VoiceKeyerWindow::onTestClicked()
{
    int key = platform::vbkey::F1;
    FKeyPhone(key);
    if (isVisible())
        doneButton->setFocus();
}

void VoiceKeyerWindow::onPttSerialPortGotFocus() { pttSerialPortBox->selectAll(); }

void VoiceKeyerWindow::onPttSerialPortLostFocus()
{
    if (!boxNumber(pttSerialPortBox->text()))
        pttSerialPortBox->setText(QStringLiteral("0"));
    OpenPTTPort();
}

void VoiceKeyerWindow::onParallelAddressKeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    else if (KeyAscii == '"')
        KeyAscii = 0;
}

void VoiceKeyerWindow::onRepeatSecondsKeyPress(int& KeyAscii)
{
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == '.' || KeyAscii == 8)
        return;
    KeyAscii = 0;
}

void VoiceKeyerWindow::onRepeatSecondsLostFocus()
{
    const auto ms = repeatIntervalMs(txtPHLoop->text());
    if (!ms) {
        txtPHLoop->setText(QStringLiteral("0"));
        tmrRepeat.setInterval(0);
        return;
    }
    // Only the end of an F1 message starts the repeat timer.
    tmrRepeat.setInterval(*ms);
}

}  // namespace keying
