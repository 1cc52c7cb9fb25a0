#include "keying/cw_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "keying/morse.h"
#include "keying/work_area.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using platform::ControlKind;
using platform::makeControl;

namespace {

constexpr double DesignWidth = 9480;
constexpr double DesignHeight = 6960;

// The right-hand column of settings.
constexpr double Col = 5520;
constexpr double FieldX = 6660;

}  // namespace

CwWindow::CwWindow(app::AppState& state, std::function<MainWindowBase*()> mainWindow, QWidget* parent)
    : QDialog(parent), m_state(state), m_mainWindow(std::move(mainWindow))
{
    setObjectName(QStringLiteral("CwWindow"));
    setWindowTitle(QStringLiteral("CW String Selections"));
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    runModal = [](QDialog& d) { d.exec(); };
    buildControls();
    buildLegends();
    m_sender = std::make_unique<keying::CwSender>(m_state.keying, senderHooks());
    wireEvents();
    fillFromSettings();
}

CwWindow::~CwWindow() { releaseLine(); }

void CwWindow::buildControls()
{
    auto label = [this](const char* name, const QRectF& twips, const QString& caption) {
        auto* l = makeControl<QLabel>(this, name, ControlKind::Label, twips);
        l->setText(caption);
        return l;
    };
    auto box = [this](const char* name, const QRectF& twips) {
        return makeControl<QLineEdit>(this, name, ControlKind::TextBox, twips);
    };
    auto button = [this](const char* name, const QRectF& twips, const QString& caption) {
        auto* b = makeControl<QPushButton>(this, name, ControlKind::CommandButton, twips);
        b->setText(caption);
        b->setAutoDefault(false);
        return b;
    };

    // The eleven messages, F1 to F11 in key order.
    static const char* const names[] = {"messageBoxF1", "messageBoxF2", "messageBoxF3", "messageBoxF4", "messageBoxF5", "messageBoxF6",
                                        "messageBoxF7", "messageBoxF8", "messageBoxF9", "messageBoxF10", "messageBoxF11"};
    static const char* const captions[] = {"F1", "F2", "F3", "F4", "F5", "F6",
                                           "F7", "F8", "F9", "F10", "F11"};
    for (int i = 0; i < 11; ++i) {
        const double top = 570 + i * 375;
        label(captions[i], QRectF(120, top + 30, 480, 255), QString::fromLatin1(captions[i]));
        QLineEdit* b = box(names[i], QRectF(660, top, 4680, 315));
        if (i < 9)
            messageBoxesF1ToF9[static_cast<std::size_t>(i)] = b;
        else if (i == 9)
            messageBoxF10 = b;
        else
            messageBoxF11 = b;
    }

    keyingOptionsGroup = makeControl<QGroupBox>(this, "keyingOptionsGroup", ControlKind::Frame, QRectF(Col, 120, 3840, 1050));
    keyingOptionsGroup->setTitle(QStringLiteral("Keying Options"));
    auto option = [this](const char* name, const QRectF& twips, const QString& caption) {
        auto* o = makeControl<QRadioButton>(keyingOptionsGroup, name, ControlKind::OptionButton, twips);
        o->setText(caption);
        return o;
    };
    keyLineRts = option("keyLineRts", QRectF(120, 270, 1100, 255), QStringLiteral("RTS"));
    keyLineDtr = option("keyLineDtr", QRectF(120, 540, 1100, 255), QStringLiteral("DTR"));
    keyLinePrinter = option("keyLinePrinter", QRectF(120, 780, 1100, 255), QStringLiteral("Printer"));
    keyLineNone = option("keyLineNone", QRectF(1440, 270, 1100, 255), QStringLiteral("None"));
    keyLineWinKey = option("keyLineWinKey", QRectF(1440, 540, 1100, 255), QStringLiteral("WinKey"));
    keyLineNone->setChecked(true);

    label("serialPortLabel", QRectF(Col, 1290, 1080, 255), QStringLiteral("Serial"));
    serialPortBox = box("serialPortBox", QRectF(FieldX, 1260, 600, 315));
    label("parallelAddressLabel", QRectF(7440, 1290, 720, 255), QStringLiteral("Parallel"));
    parallelAddressBox = box("parallelAddressBox", QRectF(8220, 1260, 1140, 315));

    label("speedLabel", QRectF(Col, 1710, 1080, 255), QStringLiteral("WPM"));
    speedBox = box("speedBox", QRectF(FieldX, 1680, 600, 315));
    fasterButton = button("fasterButton", QRectF(7440, 1665, 900, 345), QStringLiteral("Faster"));
    slowerButton = button("slowerButton", QRectF(8460, 1665, 900, 345), QStringLiteral("Slower"));

    label("wordSpaceLabel", QRectF(Col, 2130, 1080, 255), QStringLiteral("Word Space"));
    txtSpace = box("txtSpace", QRectF(FieldX, 2100, 600, 315));
    lessSpaceButton = button("lessSpaceButton", QRectF(7440, 2085, 900, 345), QStringLiteral("Less"));
    moreSpaceButton = button("moreSpaceButton", QRectF(8460, 2085, 900, 345), QStringLiteral("More"));

    label("repeatSecondsLabel", QRectF(Col, 2550, 1080, 255), QStringLiteral("Loop (Sec)"));
    txtCWLoop = box("txtCWLoop", QRectF(FieldX, 2520, 600, 315));

    showTextOnMainCheck = makeControl<QCheckBox>(this, "showTextOnMainCheck", ControlKind::CheckBox, QRectF(Col, 2940, 3840, 285));
    showTextOnMainCheck->setText(QStringLiteral("Display CW text on main form (NA for WinKey)."));
    showTextOnMainCheck->setChecked(true);

    label("timingLabel", QRectF(Col, 3330, 1800, 255), QStringLiteral("Timing Options: "));
    auto timing = [this](const char* name, double left, const QString& caption) {
        auto* o = makeControl<QRadioButton>(this, name, ControlKind::OptionButton, QRectF(left, 3600, 1000, 255));
        o->setText(caption);
        return o;
    };
    optTimer = timing("optTimer", Col, QStringLiteral("Timer"));
    optLoop = timing("optLoop", Col + 1080, QStringLiteral("Loop"));
    OptSleep = timing("OptSleep", Col + 2160, QStringLiteral("Sleep"));
    optTimer->setChecked(true);
    // One choice in each set, whether or not the window has been shown yet.
    auto* keyingGroup = new QButtonGroup(this);
    for (QRadioButton* o : {keyLineRts, keyLineDtr, keyLinePrinter, keyLineNone, keyLineWinKey})
        keyingGroup->addButton(o);
    auto* timingGroup = new QButtonGroup(this);
    for (QRadioButton* o : {optTimer, optLoop, OptSleep})
        timingGroup->addButton(o);

    lblLoop = label("lblLoop", QRectF(Col, 4020, 1080, 255), QStringLiteral("Loop Delay"));
    txtLoop = box("txtLoop", QRectF(FieldX, 3990, 1140, 315));
    txtLoop->setToolTip(QStringLiteral("Loops per 60 ms"));
    cmdLoopFaster = button("cmdLoopFaster", QRectF(7920, 3975, 420, 345), QStringLiteral("F"));
    cmdLoopFaster->setToolTip(QStringLiteral("Speed up CW"));
    cmdLoopSlower = button("cmdLoopSlower", QRectF(8400, 3975, 420, 345), QStringLiteral("S"));
    cmdLoopSlower->setToolTip(QStringLiteral("Slow Down CW"));
    for (QWidget* w : std::initializer_list<QWidget*>{lblLoop, txtLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(false);
    label("timingAdviceLabel", QRectF(Col, 4410, 3840, 255), QStringLiteral("Timer is the preferred option on most systems. "));

    testButton = button("testButton", QRectF(Col, 4770, 1200, 420), QStringLiteral("&Test"));
    sendingLabel = label("sendingLabel", QRectF(Col + 1320, 4845, 1200, 285), QStringLiteral("Sending!"));
    sendingLabel->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    sendingLabel->hide();
    codePracticeButton = button("codePracticeButton", QRectF(Col, 5310, 2280, 420), QStringLiteral("Send Code Practice"));
    cmdConfWinkey = button("cmdConfWinkey", QRectF(Col + 2400, 5310, 1440, 420), QStringLiteral("Configure Winkey"));
    cmdConfWinkey->hide();
    doneButton = button("doneButton", QRectF(7560, 6240, 1800, 540), QStringLiteral("Done"));

    tmrRepeat = new QTimer(this);
    tmrRepeat->setObjectName(QStringLiteral("tmrRepeat"));
    tmrRepeat->setInterval(0);
    // The pause is the operator's time to listen: a coarse timer may end it
    // up to a twentieth early.
    tmrRepeat->setTimerType(Qt::PreciseTimer);
    keyerDoneWatch = new QTimer(this);
    keyerDoneWatch->setObjectName(QStringLiteral("keyerDoneWatch"));
    keyerDoneWatch->setInterval(10);
    keyerDoneWatch->setTimerType(Qt::PreciseTimer);
}

void CwWindow::buildLegends()
{
    auto legend = [this](const char* name, const QRectF& twips, const QString& text, double points = 8.25) {
        auto* l = makeControl<QLabel>(this, name, ControlKind::Label, twips, platform::FontSpec{QStringLiteral("MS Sans Serif"), points, false});
        l->setText(text);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    legend("wildcardsNote", QRectF(120, 60, 5280, 450),
           QStringLiteral("Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable)."));
    legend("prosignsHeading", QRectF(120, 4710, 900, 255), QStringLiteral("Prosigns"));
    legend("prosignsNote", QRectF(1080, 4710, 4260, 255),
           QStringLiteral("AR  [      CL  \\      SK  ]      KN  ;      BT  ="));
    legend("f12Heading", QRectF(120, 5010, 900, 255), QStringLiteral("F12"));
    legend("f12Note", QRectF(1080, 5010, 4260, 255), QStringLiteral("Keyboard"));
    legend("speedKeysNote", QRectF(120, 5310, 5220, 255), QStringLiteral("Up / Down arrows on main form change speed."));
    legend("cwModeNote", QRectF(120, 5610, 5220, 255), QStringLiteral("You must be in CW mode."));
    legend("setupNote", QRectF(120, 5910, 3600, 1020),
           QStringLiteral("Setup: Build a keying switch (a transistor or an opto-isolator) from the "
                          "chosen line to the transmitter's key jack. Choose RTS or DTR and enter the "
                          "serial port number, or choose Printer and enter the parallel port address "
                          "(&H378 is the usual address of the first parallel port)."),
           7);
    legend("useNote", QRectF(3840, 5910, 3600, 1020),
           QStringLiteral("To Use: Test with the F9 message. There is no sidetone: listen on the "
                          "transmitter. A ! in the string enters the contact. Word Space: 0 is "
                          "standard, -8 is no spacing."),
           7);
}

void CwWindow::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    for (QLineEdit* b : messageBoxesF1ToF9)
        m_keys->onKeyPress(b, [this](int& k) { onMessageBoxKeyPress(k); });
    for (QLineEdit* b : {messageBoxF10, messageBoxF11})
        m_keys->onKeyPress(b, [this](int& k) { onMessageBoxKeyPress(k); });
    for (QLineEdit* b : messageBoxesF1ToF9)
        connect(b, &QLineEdit::textChanged, this, [b](const QString& t) {
            if (t.contains(QLatin1Char('"')))
                b->setText(keying::withoutDoubleQuotes(t));
        });
    for (QLineEdit* b : {messageBoxF10, messageBoxF11})
        connect(b, &QLineEdit::textChanged, this, [b](const QString& t) {
            if (t.contains(QLatin1Char('"')))
                b->setText(keying::withoutDoubleQuotes(t));
        });

    auto digitsOnly = [](int& k) {
        if (k != 8 && k != 9 && (k < '0' || k > '9'))
            k = 0;
    };
    auto wordSpaceKey = [](int& k) {
        if (k != 8 && k != 9 && (k < '-' || k > '9'))
            k = 0;
    };
    auto repeatSecondsKey = [](int& k) {
        if (k != 8 && k != 9 && k != '.' && (k < '0' || k > '9'))
            k = 0;
    };
    m_keys->onKeyPress(serialPortBox, digitsOnly);
    m_keys->onKeyPress(speedBox, digitsOnly);
    m_keys->onKeyPress(txtSpace, wordSpaceKey);
    m_keys->onKeyPress(txtCWLoop, repeatSecondsKey);
    // A paste gives each box what typing the same characters gives it.
    for (QLineEdit* b : messageBoxesF1ToF9)
        platform::filterPastes(b, [this](int& k) { onMessageBoxKeyPress(k); });
    for (QLineEdit* b : {messageBoxF10, messageBoxF11})
        platform::filterPastes(b, [this](int& k) { onMessageBoxKeyPress(k); });
    platform::filterPastes(serialPortBox, digitsOnly);
    platform::filterPastes(speedBox, digitsOnly);
    platform::filterPastes(txtSpace, wordSpaceKey);
    platform::filterPastes(txtCWLoop, repeatSecondsKey);
    m_keys->onGotFocus(serialPortBox, [this] { serialPortBox->selectAll(); });
    m_keys->onGotFocus(speedBox, [this] { speedBox->selectAll(); });
    m_keys->onLostFocus(serialPortBox, [this] { onSerialPortLostFocus(); });
    m_keys->onLostFocus(speedBox, [this] { onSpeedLostFocus(); });
    m_keys->onLostFocus(txtSpace, [this] { onWordSpaceLostFocus(); });
    m_keys->onLostFocus(txtCWLoop, [this] { onRepeatSecondsLostFocus(); });
    m_keys->attachAll();

    connect(speedBox, &QLineEdit::textChanged, this, [this] { onSpeedChanged(); });
    connect(txtSpace, &QLineEdit::textChanged, this, [this] { onWordSpaceChanged(); });
    connect(txtLoop, &QLineEdit::textChanged, this, [this] { onLoopDelayChanged(); });

    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(fasterButton, &QPushButton::clicked, this, [this] { onSpeedUp(); });
    connect(slowerButton, &QPushButton::clicked, this, [this] { onSpeedDown(); });
    connect(testButton, &QPushButton::clicked, this, [this] { onTestClicked(); });
    connect(lessSpaceButton, &QPushButton::clicked, this, [this] { onLessSpaceClicked(); });
    connect(moreSpaceButton, &QPushButton::clicked, this, [this] { onMoreSpaceClicked(); });
    connect(codePracticeButton, &QPushButton::clicked, this, [this] { onCodePracticeClicked(); });
    connect(cmdConfWinkey, &QPushButton::clicked, this, [this] { onConfigureWinKeyClicked(); });
    connect(cmdLoopFaster, &QPushButton::clicked, this, [this] { onLoopFasterClicked(); });
    connect(cmdLoopSlower, &QPushButton::clicked, this, [this] { onLoopSlowerClicked(); });

    const std::pair<QRadioButton*, int> options[] = {{keyLineRts, 1}, {keyLineDtr, 2}, {keyLinePrinter, 3}, {keyLineNone, 0}, {keyLineWinKey, 5}};
    for (const auto& [button, value] : options) {
        connect(button, &QRadioButton::clicked, this, [this, v = value] { onKeyingOptionClicked(v); });
    }
    connect(optTimer, &QRadioButton::clicked, this, [this] { onTimingTimerClicked(); });
    connect(optLoop, &QRadioButton::clicked, this, [this] { onTimingLoopClicked(); });
    connect(OptSleep, &QRadioButton::clicked, this, [this] { onTimingSleepClicked(); });
    connect(tmrRepeat, &QTimer::timeout, this, [this] { onRepeatTick(); });
    connect(keyerDoneWatch, &QTimer::timeout, this, [this] { onKeyerDoneWatchTick(); });
}

void CwWindow::fillFromSettings()
{
    const keying::CwWindowSettings& s = m_state.cwSettings;
    for (std::size_t i = 0; i < 9; ++i)
        messageBoxesF1ToF9[i]->setText(s.messagesF1ToF9[i]);
    serialPortBox->setText(s.serialPort);
    speedBox->setText(keying::keyedSpeedText(s.speed));
    messageBoxF10->setText(s.messageF10);
    messageBoxF11->setText(s.messageF11);
    txtSpace->setText(s.txtSpace);
    parallelAddressBox->setText(s.parallelAddress);
    showTextOnMainCheck->setChecked(s.showTextOnMain != 0);
    txtCWLoop->setText(s.txtCWLoop);
    tmrRepeat->setInterval(s.repeatIntervalMs);
    switch (s.keyingOptionButton) {
    case 1: keyLineRts->setChecked(true); break;
    case 2: keyLineDtr->setChecked(true); break;
    case 3: keyLinePrinter->setChecked(true); break;
    case 5:
        // The WinKey window is loaded by whoever loads this window, once it
        // has loaded: the WinKey window reads this window's speed box.
        keyLineWinKey->setChecked(true);
        chooseKeyingOption(5);
        break;
    default: keyLineNone->setChecked(true); break;
    }
}

void CwWindow::onLoad()
{
    keying::scaleToWorkArea(this, m_state.services.screen.metrics());

    bool ok = false;
    const double loops = m_state.services.registry
                             .GetSetting(QStringLiteral("Settings"), QStringLiteral("UserCWLoopOffset"), QStringLiteral("0"))
                             .toDouble(&ok);
    if (ok && loops >= 0)
        m_loopsPer60ms = loops;
    txtLoop->setText(QString::number(m_loopsPer60ms, 'f', 0));

    const QString selection = m_state.services.registry.GetSetting(
        QStringLiteral("Settings"), QStringLiteral("UserCWSelection"), QStringLiteral("Timer"));
    // One choice in each set, whether or not the window has been shown yet.
    auto* keyingGroup = new QButtonGroup(this);
    for (QRadioButton* o : {keyLineRts, keyLineDtr, keyLinePrinter, keyLineNone, keyLineWinKey})
        keyingGroup->addButton(o);
    auto* timingGroup = new QButtonGroup(this);
    for (QRadioButton* o : {optTimer, optLoop, OptSleep})
        timingGroup->addButton(o);
    if (selection == QLatin1String("Timer")) {
        optTimer->setChecked(true);
        onTimingTimerClicked();
    } else if (selection == QLatin1String("Sleep")) {
        OptSleep->setChecked(true);
        onTimingSleepClicked();
    } else if (selection == QLatin1String("Loop")) {
        optLoop->setChecked(true);
        onTimingLoopClicked();
    }
}
