#include "keying/winkey_window.h"

#include "app/app_state.h"
#include "keying/winkey_link.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "platform/safe_file.h"
#include "platform/scaling.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace {

const FontSpec Font{QStringLiteral("Arial"), 8.25, false};
const FontSpec BoldFont{QStringLiteral("Arial"), 8.25, true};

constexpr double RowTop = 240;
constexpr double RowStep = 420;

struct BoxRow {
    QLineEdit* WinKeyWindow::*box;
    const char* name;
    const char* label;
    const char* hint;
};

const BoxRow BoxRows[] = {
    {&WinKeyWindow::txtWKComPort, "txtWKComPort", "Com Port:", nullptr},
    {&WinKeyWindow::txtWKWPM, "txtWKWPM", "WPM:", nullptr},
    {&WinKeyWindow::txtWeight, "txtWeight", "Weight:", "Proportional amount added or subtracted (50 is standard)."},
    {&WinKeyWindow::txtLeadIn, "txtLeadIn", "Lead In:", "Lead in time for transmitter (10 ms increments)."},
    {&WinKeyWindow::txtTail, "txtTail", "Tail:", "Tail time after keying has stopped (10 ms increments)."},
    {&WinKeyWindow::txtRatio, "txtRatio", "Ratio:", "Ratio of dits to dahs (Range: 33 - 66)."},
};

QLabel* label(QWidget* parent, const char* name, const QRectF& twips, const QString& text,
              const FontSpec& font = Font)
{
    auto* l = makeControl<QLabel>(parent, name, ControlKind::Label, twips, font);
    l->setText(text);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, double top, const QString& caption)
{
    auto* b = makeControl<QPushButton>(parent, name, ControlKind::CommandButton, QRectF(4680, top, 1440, 375), Font);
    b->setText(caption);
    // Enter in a box is a digit filter's business, never a button press.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

WinKeyWindow::WinKeyWindow(app::AppState& state, keying::WinKeyLink& keyer, std::function<QString()> cwSpeedText,
                     QWidget* parent)
    : QDialog(parent), m_state(state), m_keyer(keyer), m_cwSpeedText(std::move(cwSpeedText))
{
    setObjectName(QStringLiteral("WinKeyWindow"));
    setWindowTitle(QStringLiteral(" WinKey Setup"));
    platform::setWindowTwipSize(this, 6300, 5400);
    buildControls();
    buildOptions();
    wireEvents();
}

WinKeyWindow::~WinKeyWindow() = default;

void WinKeyWindow::buildControls()
{
    int row = 0;
    for (const BoxRow& r : BoxRows) {
        const double top = RowTop + row * RowStep;
        QLabel* l = label(this, (QByteArray("lbl") + r.name).constData(), QRectF(120, top + 30, 1260, 255),
                          QString::fromLatin1(r.label), BoldFont);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLineEdit* box = makeControl<QLineEdit>(this, r.name, ControlKind::TextBox, QRectF(1440, top, 735, 315), Font);
        this->*r.box = box;
        if (r.hint) {
            l->setToolTip(QString::fromLatin1(r.hint));
            box->setToolTip(QString::fromLatin1(r.hint));
        }
        ++row;
    }
    txtWKComPort->setText(QStringLiteral("5"));
    txtWKWPM->setText(QStringLiteral("18"));
    txtWeight->setText(QStringLiteral("50"));
    txtLeadIn->setText(QStringLiteral("0"));
    txtTail->setText(QStringLiteral("0"));
    txtRatio->setText(QStringLiteral("50"));

    cmdOpenWinkey = button(this, "cmdOpenWinkey", 240, QStringLiteral("Open"));
    cmdCloseWinkey = button(this, "cmdCloseWinkey", 720, QStringLiteral("Close"));
    testButton = button(this, "testButton", 1200, QStringLiteral("Test"));
    bufferTestButton = button(this, "bufferTestButton", 1680, QStringLiteral("Buffer Test"));
    defaultsTestButton = button(this, "defaultsTestButton", 2160, QStringLiteral("Defaults Test"));
    cmdStop = button(this, "cmdStop", 2640, QStringLiteral("Stop"));
    cmdDone = button(this, "cmdDone", 4740, QStringLiteral("&Done"));

    label(this, "statusHeading", QRectF(120, 2880, 1500, 255), QStringLiteral("WinKey Status:"), BoldFont);
    lblOpenStatus = label(this, "lblOpenStatus", QRectF(1680, 2880, 2700, 255), QStringLiteral("Closed"));
    label(this, "versionHeading", QRectF(120, 3240, 1500, 255), QStringLiteral("WinKey Version:"), BoldFont);
    lblVersion = label(this, "lblVersion", QRectF(1680, 3240, 2700, 255), QStringLiteral("Version #"));

    label(this, "speedPotHeading", QRectF(120, 3660, 1300, 255), QStringLiteral("Speed Pot"), BoldFont);
    label(this, "echoBackHeading", QRectF(1560, 3660, 1300, 255), QStringLiteral("Echo Bk"), BoldFont);
    label(this, "keyerStatusHeading", QRectF(3000, 3660, 1300, 255), QStringLiteral("Status"), BoldFont);
    lblSpeedPot = label(this, "lblSpeedPot", QRectF(120, 3930, 1300, 285), QString());
    lblEchoBk = label(this, "lblEchoBk", QRectF(1560, 3930, 1300, 285), QString());
    lblStatus = label(this, "lblStatus", QRectF(3000, 3930, 1300, 285), QString());
    for (QLabel* l : {lblSpeedPot, lblEchoBk, lblStatus})
        l->setFrameShape(QFrame::Panel);

    typingBox = makeControl<QLineEdit>(this, "typingBox", ControlKind::TextBox, QRectF(120, 4380, 4320, 315), Font);
    label(this, "speedKeysNote", QRectF(120, 4800, 4320, 255), QStringLiteral("Up / down arrows from main form change speeds."));
}

void WinKeyWindow::buildOptions()
{
    fraPin = makeControl<QGroupBox>(this, "fraPin", ControlKind::Frame, QRectF(2400, 120, 2100, 1335), BoldFont);
    fraPin->setTitle(QStringLiteral("Pin 5 Configuration"));
    fraMode = makeControl<QGroupBox>(this, "fraMode", ControlKind::Frame, QRectF(2400, 1500, 2100, 1335), BoldFont);
    fraMode->setTitle(QStringLiteral("Keyer Mode"));
    auto option = [](QGroupBox* frame, const char* name, int index, const QString& caption) {
        auto* o = makeControl<QRadioButton>(frame, name, ControlKind::OptionButton,
                                            QRectF(120, 270 + index * 255, 1900, 255), Font);
        o->setText(caption);
        return o;
    };
    optPTT = option(fraPin, "optPTT", 0, QStringLiteral("PTT"));
    optTone = option(fraPin, "optTone", 1, QStringLiteral("Tone"));
    optKey5Off3Out = option(fraPin, "optKey5Off3Out", 2, QStringLiteral("P5 Off, P3 Key Out"));
    optKey5Out3Off = option(fraPin, "optKey5Out3Off", 3, QStringLiteral("P5 Key Out, P3 Off"));
    optIambicB = option(fraMode, "optIambicB", 0, QStringLiteral("Iambic B"));
    optIambicA = option(fraMode, "optIambicA", 1, QStringLiteral("Iambic A"));
    optUltimatic = option(fraMode, "optUltimatic", 2, QStringLiteral("Ultimatic"));
    optBug = option(fraMode, "optBug", 3, QStringLiteral("Bug Keyer"));
    optTone->setChecked(true);
    optIambicB->setChecked(true);
}

void WinKeyWindow::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    for (QLineEdit* box : {txtWKComPort, txtWKWPM, txtWeight, txtLeadIn, txtTail, txtRatio}) {
        m_keys->onKeyPress(box, [](int& KeyAscii) {
            if (KeyAscii != platform::vbkey::Back && (KeyAscii < '0' || KeyAscii > '9'))
                KeyAscii = 0;
        });
    }
    m_keys->onLostFocus(txtWKComPort, [this] { onComPortLostFocus(); });
    m_keys->onLostFocus(txtWKWPM, [this] { onSpeedLostFocus(); });
    m_keys->onLostFocus(txtWeight, [this] { onWeightLostFocus(); });
    m_keys->onLostFocus(txtLeadIn, [this] { onLeadInLostFocus(); });
    m_keys->onLostFocus(txtTail, [this] { onTailLostFocus(); });
    m_keys->onLostFocus(txtRatio, [this] { onRatioLostFocus(); });
    m_keys->onKeyPress(typingBox, [this](int& KeyAscii) { onTypingBoxKeyPress(KeyAscii); });
    // A paste gives each box what typing the same characters leaves in it.
    for (QLineEdit* box : {txtWKComPort, txtWKWPM, txtWeight, txtLeadIn, txtTail, txtRatio})
        platform::filterPastes(box, [](int& KeyAscii) {
            if (KeyAscii < '0' || KeyAscii > '9')
                KeyAscii = 0;
        });
    platform::typePastes(typingBox, [this](const QString& text) { onTypingBoxPaste(text); });
    m_keys->attachAll();

    connect(cmdOpenWinkey, &QPushButton::clicked, this, [this] { onOpenClicked(); });
    connect(cmdCloseWinkey, &QPushButton::clicked, this, [this] { onCloseClicked(); });
    connect(testButton, &QPushButton::clicked, this, [this] { onTestClicked(); });
    connect(bufferTestButton, &QPushButton::clicked, this, [this] { onBufferTestClicked(); });
    connect(cmdStop, &QPushButton::clicked, this, [this] { onStopClicked(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { onDoneClicked(); });

    const std::pair<QRadioButton*, int> pins[] = {{optPTT, 5}, {optTone, 6}, {optKey5Off3Out, 4}, {optKey5Out3Off, 8}};
    for (const auto& [o, value] : pins)
        connect(o, &QRadioButton::clicked, this, [this, v = value] { onPinOptionClicked(v); });
    const std::pair<QRadioButton*, int> modes[] = {{optIambicB, 0}, {optIambicA, 16}, {optUltimatic, 32}, {optBug, 48}};
    for (const auto& [o, value] : modes)
        connect(o, &QRadioButton::clicked, this, [this, v = value] { onModeOptionClicked(v); });
}

void WinKeyWindow::onLoad()
{
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    platform::ResizeFormTo(this, static_cast<float>(screen.widthTwips), static_cast<float>(screen.heightTwips), 9600,
                           7200, 0, 1.0F, QStringLiteral("Arial"), m_state.services.prompt);
    WinKeyPinConfig = 6;
    WinKeyKeyerMode = 0;
    keying::WinKeySettings s = settings();
    const QString path = platform::joinPath(m_state.folders.UserDataFolder, QStringLiteral("WK.txt"));
    if (keying::readWinKeySettingsFile(path, s) != keying::WinKeyFileRead::Missing) {
        WinKeyComPort = s.WinKeyComPort;
        txtWKWPM->setText(s.txtWKWPM);
        txtWeight->setText(s.txtWeight);
        txtLeadIn->setText(s.txtLeadIn);
        txtTail->setText(s.txtTail);
        txtRatio->setText(s.txtRatio);
        WinKeyPinConfig = s.WinKeyPinConfig;
        WinKeyKeyerMode = s.WinKeyKeyerMode;
    }
    // Also after a damaged file: the port box shows the port that is used.
    txtWKWPM->setText(m_cwSpeedText());
    txtWKComPort->setText(QString::number(WinKeyComPort));
    selectOptions();
}

void WinKeyWindow::selectOptions()
{
    const std::pair<QRadioButton*, int> pins[] = {{optPTT, 5}, {optTone, 6}, {optKey5Off3Out, 4}, {optKey5Out3Off, 8}};
    for (const auto& [o, value] : pins)
        if (value == WinKeyPinConfig)
            o->setChecked(true);
    const std::pair<QRadioButton*, int> modes[] = {{optIambicB, 0}, {optIambicA, 16}, {optUltimatic, 32}, {optBug, 48}};
    for (const auto& [o, value] : modes)
        if (value == WinKeyKeyerMode)
            o->setChecked(true);
}

keying::WinKeySettings WinKeyWindow::settings() const
{
    keying::WinKeySettings s;
    s.WinKeyComPort = WinKeyComPort;
    s.txtWKWPM = txtWKWPM->text();
    s.txtWeight = txtWeight->text();
    s.txtLeadIn = txtLeadIn->text();
    s.txtTail = txtTail->text();
    s.txtRatio = txtRatio->text();
    s.WinKeyPinConfig = WinKeyPinConfig;
    s.WinKeyKeyerMode = WinKeyKeyerMode;
    return s;
}

void WinKeyWindow::onDoneClicked()
{
    const QString path = platform::joinPath(m_state.folders.UserDataFolder, QStringLiteral("WK.txt"));
    const platform::FileWriteResult written = platform::writeFileSafely(path, keying::formatWinKeySettings(settings()));
    hideEndingItsSends();
    if (!written.ok) {
        m_state.services.beeper.beep();
        m_state.services.prompt.message(QStringLiteral("The WinKey settings could not be saved in ") + path +
                                            QStringLiteral(": ") + written.error,
                                        QStringLiteral("Unable to write file."));
    }
}

void WinKeyWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hideEndingItsSends();
}

void WinKeyWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc is no Cancel here: the window has none.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WinKeyWindow::onUnload()
{
    hide();
    m_keyer.wk_close();
    // The keyer is closed: the main windows and the sender must not take it
    // for open.
    m_state.keying.WinKeyOpen = 0;
}

// ----- the boxes ---------------------------------------------------------

void WinKeyWindow::onComPortLostFocus()
{
    const auto v = keying::winKeyBoxNumber(txtWKComPort->text());
    if (v && *v > 255) {
        WinKeyComPort = 0;  // the text stays as typed
        return;
    }
    const auto port = keying::boxByte(txtWKComPort->text(), 0, 255);
    if (!port) {
        txtWKComPort->setText(QStringLiteral("0"));
        WinKeyComPort = 0;
        return;
    }
    WinKeyComPort = *port;
}

void WinKeyWindow::onSpeedLostFocus()
{
    if (!keying::winKeyBoxNumber(txtWKWPM->text())) {
        txtWKWPM->setText(QStringLiteral("18"));
        return;
    }
    if (const auto v = keying::boxByte(txtWKWPM->text(), 0, 99))
        m_keyer.wk_wpm(*v);
}

void WinKeyWindow::onWeightLostFocus()
{
    if (!keying::winKeyBoxNumber(txtWeight->text())) {
        txtWeight->setText(QStringLiteral("50"));
        return;
    }
    if (const auto v = keying::boxByte(txtWeight->text(), 0, 99))
        m_keyer.wk_weight(*v);
}

void WinKeyWindow::onLeadInLostFocus() { onLeadOrTailLostFocus(txtLeadIn); }

void WinKeyWindow::onTailLostFocus() { onLeadOrTailLostFocus(txtTail); }

void WinKeyWindow::onLeadOrTailLostFocus(QLineEdit* box)
{
    // The two go to the keyer together; the box that lost the focus takes
    // the blame when either is no number.
    if (!keying::winKeyBoxNumber(txtLeadIn->text()) || !keying::winKeyBoxNumber(txtTail->text())) {
        box->setText(QStringLiteral("0"));
        return;
    }
    const auto leadIn = keying::boxByte(txtLeadIn->text(), 0, 255);
    const auto tail = keying::boxByte(txtTail->text(), 0, 255);
    if (leadIn && tail)
        m_keyer.wk_ptt_leadtail(*leadIn, *tail);
}

void WinKeyWindow::onRatioLostFocus()
{
    if (!keying::winKeyBoxNumber(txtRatio->text())) {
        txtRatio->setText(QStringLiteral("50"));
        return;
    }
    if (const auto v = keying::boxByte(txtRatio->text(), 32, 67))
        m_keyer.wk_ditdah_ratio(*v);
}

void WinKeyWindow::onPinOptionClicked(int value)
{
    WinKeyPinConfig = value;
    if (m_state.keying.WinKeyOpen != 0)
        ApplyWinKeySettings();
}

void WinKeyWindow::onModeOptionClicked(int value)
{
    WinKeyKeyerMode = value;
    if (m_state.keying.WinKeyOpen != 0)
        ApplyWinKeySettings();
}
