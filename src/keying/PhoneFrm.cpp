// The voice keyer window: its controls and its settings handlers.

#include "keying/PhoneFrm.h"

#include "app/app_state.h"
#include "keying/voice_settings.h"
#include "platform/controls.h"
#include "platform/key_events.h"
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

PhoneFrm::PhoneFrm(app::AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state), m_ptt(state.hardware)
{
    setObjectName(QStringLiteral("PhoneFrm"));
    setWindowTitle(QStringLiteral("Phone Wave Selections"));
    platform::setWindowTwipSize(this, 8520, 6720);
    Timer1.setInterval(40);
    Timer1.setTimerType(Qt::PreciseTimer);
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

PhoneFrm::~PhoneFrm() { Form_Unload(); }

void PhoneFrm::buildControls()
{
    lblRecording = makeLabel(
        this, "Label1", QRectF(120, 120, 8280, 600),
        QStringLiteral("Record each message as a wave file (.wav) with your sound recorder, "
                       "then click Browse beside its function key to choose it.  In Phone mode "
                       "F1 to F9 play the messages with the transmitter keyed."));
    buildPathRows();
    buildLowerPart();
}

void PhoneFrm::buildPathRows()
{
    QLineEdit** boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9};
    static const char* const boxNames[] = {"Text1", "Text2", "Text3", "Text4", "Text5",
                                           "Text6", "Text7", "Text8", "Text9"};
    static const char* const browseNames[] = {"Command2", "Command3", "Command4",
                                              "Command5", "Command6", "Command7",
                                              "Command8", "Command9", "Command10"};
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

void PhoneFrm::buildLowerPart()
{
    const double top = RowTop + 9 * RowStep + 60;
    lblLineOutput = makeLabel(
        this, "Label2", QRectF(120, top, 4080, 660),
        QStringLiteral("Connect the sound card's line output to the transceiver's audio "
                       "input.  Start at the lowest output level and raise it slowly."));
    lblCaution = makeLabel(this, "Label3", QRectF(120, top + 720, 4080, 285),
                           QStringLiteral("Caution, RF feedback can damage your PC!"));
    QPalette red = lblCaution->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblCaution->setPalette(red);
    lblPhoneMode = makeLabel(this, "Label4", QRectF(120, top + 1020, 4080, 285),
                             QStringLiteral("(You  must be in Phone mode)"));

    lblSerial = makeLabel(
        this, "Label5", QRectF(4320, top, 4080, 660),
        QStringLiteral("Serial PTT interface: the RTS or DTR line of the port keys the "
                       "transmitter through a transistor or opto-coupler.  Enter 0 for "
                       "no serial port."));
    lblPort = makeLabel(this, "Label6", QRectF(4320, top + 765, 900, 285), QStringLiteral("Port"));
    Text10 = makeControl<QLineEdit>(this, "Text10", ControlKind::TextBox,
                                    QRectF(5160, top + 720, 540, 330));
    Text10->setText(QStringLiteral("0"));
    lblAddress = makeLabel(this, "Label7", QRectF(4320, top + 1165, 900, 285),
                           QStringLiteral("Address"));
    Text11 = makeControl<QLineEdit>(this, "Text11", ControlKind::TextBox,
                                    QRectF(5160, top + 1120, 900, 330));
    Text11->setText(QStringLiteral("&H378"));

    Frame1 = makeControl<QGroupBox>(this, "Frame1", ControlKind::Frame,
                                    QRectF(6240, top + 660, 2160, 900));
    Frame1->setTitle(QStringLiteral("PTT line"));
    Option1 = makeControl<QRadioButton>(Frame1, "Option1", ControlKind::OptionButton,
                                        QRectF(120, 240, 900, 285));
    Option1->setText(QStringLiteral("RTS"));
    Option2 = makeControl<QRadioButton>(Frame1, "Option2", ControlKind::OptionButton,
                                        QRectF(1080, 240, 900, 285));
    Option2->setText(QStringLiteral("DTR"));
    Option3 = makeControl<QRadioButton>(Frame1, "Option3", ControlKind::OptionButton,
                                        QRectF(120, 540, 1440, 285));
    Option3->setText(QStringLiteral("Parallel"));
    Option1->setChecked(true);

    const double bottom = top + 1680;
    Command11 = makeControl<QPushButton>(this, "Command11", ControlKind::CommandButton,
                                         QRectF(120, bottom, 1200, 420));
    Command11->setText(QStringLiteral("Test"));
    lblTest = makeLabel(this, "Label8", QRectF(1440, bottom + 75, 2400, 285),
                        QStringLiteral("Plays F1 Command"));
    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(7080, bottom, 1320, 420));
    Command1->setText(QStringLiteral("Done"));
    for (QPushButton* b : BrowseButtons)
        b->setAutoDefault(true);
    Command11->setAutoDefault(true);
    Command1->setAutoDefault(true);
}

void PhoneFrm::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    // Enter in a box presses no button: the next button along would be a
    // Browse, and a file dialog the operator did not ask for.
    for (int i = 0; i < 9; ++i)
        m_keys->onKeyPress(pathBox(i), [](int& k) { swallowEnter(k); });
    m_keys->onKeyPress(Text10, [](int& k) { swallowEnter(k); });
    m_keys->onGotFocus(Text10, [this] { Text10_GotFocus(); });
    m_keys->onLostFocus(Text10, [this] { Text10_LostFocus(); });
    m_keys->onKeyPress(Text11, [this](int& k) {
        swallowEnter(k);
        Text11_KeyPress(k);
    });
    m_keys->onKeyPress(txtPHLoop, [this](int& k) {
        swallowEnter(k);
        txtPHLoop_KeyPress(k);
    });
    m_keys->onLostFocus(txtPHLoop, [this] { txtPHLoop_LostFocus(); });
    m_keys->attachAll();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    for (int i = 0; i < 9; ++i)
        connect(BrowseButtons[i], &QPushButton::clicked, this, [this, i] { Browse_Click(i); });
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(&m_endShot, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(&tmrRepeat, &QTimer::timeout, this, [this] { tmrRepeat_Timer(); });
}

QLineEdit* PhoneFrm::pathBox(int index) const
{
    QLineEdit* const boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9};
    return boxes[index];
}

void PhoneFrm::fill(const PhoneWindowSettings& s)
{
    for (int i = 0; i < 9; ++i)
        pathBox(i)->setText(s.Text1to10[i]);
    Text10->setText(s.Text1to10[9]);
    QRadioButton* options[] = {Option1, Option2, Option3};
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
    Text11->setText(s.Text11);
}

PhoneWindowSettings PhoneFrm::settings() const
{
    PhoneWindowSettings s;
    for (int i = 0; i < 9; ++i)
        s.Text1to10[i] = pathBox(i)->text();
    s.Text1to10[9] = Text10->text();
    s.pttLineOption = Option1->isChecked() ? 0 : Option2->isChecked() ? 1 : Option3->isChecked() ? 2 : -1;
    s.txtPHLoop = txtPHLoop->text();
    s.repeatIntervalMs = tmrRepeat.interval();
    s.Text11 = Text11->text();
    return s;
}

void PhoneFrm::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::phoneSettings());
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
}

void PhoneFrm::showModal()
{
    Form_Load();
    if (runModal)
        runModal(*this);
    else
        exec();
}

void PhoneFrm::showModeless()
{
    Form_Load();
    showNormal();
    raise();
    activateWindow();
}

void PhoneFrm::Command1_Click()
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

void PhoneFrm::Browse_Click(int index)
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
    Command1->setFocus();
}

void PhoneFrm::Command11_Click()
{
    int key = platform::vbkey::F1;
    FKeyPhone(key);
    if (isVisible())
        Command1->setFocus();
}

void PhoneFrm::Text10_GotFocus() { Text10->selectAll(); }

void PhoneFrm::Text10_LostFocus()
{
    if (!boxNumber(Text10->text()))
        Text10->setText(QStringLiteral("0"));
    OpenPTTPort();
}

void PhoneFrm::Text11_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    else if (KeyAscii == '"')
        KeyAscii = 0;
}

void PhoneFrm::txtPHLoop_KeyPress(int& KeyAscii)
{
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == '.' || KeyAscii == 8)
        return;
    KeyAscii = 0;
}

void PhoneFrm::txtPHLoop_LostFocus()
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
