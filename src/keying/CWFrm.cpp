#include "keying/CWFrm.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
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

CWFrm::CWFrm(app::AppState& state, std::function<MainWindowBase*()> mainWindow, QWidget* parent)
    : QDialog(parent), m_state(state), m_mainWindow(std::move(mainWindow))
{
    setObjectName(QStringLiteral("CWFrm"));
    setWindowTitle(QStringLiteral("CW String Selections"));
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    runModal = [](QDialog& d) { d.exec(); };
    buildControls();
    buildLegends();
    m_sender = std::make_unique<keying::CwSender>(m_state.keying, senderHooks());
    wireEvents();
    fillFromSettings();
}

CWFrm::~CWFrm() { releaseLine(); }

void CWFrm::buildControls()
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
    static const char* const names[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6",
                                        "Text7", "Text8", "Text9", "Text12", "Text13"};
    static const char* const captions[] = {"F1", "F2", "F3", "F4", "F5", "F6",
                                           "F7", "F8", "F9", "F10", "F11"};
    for (int i = 0; i < 11; ++i) {
        const double top = 570 + i * 375;
        label(captions[i], QRectF(120, top + 30, 480, 255), QString::fromLatin1(captions[i]));
        QLineEdit* b = box(names[i], QRectF(660, top, 4680, 315));
        if (i < 9)
            Text1to9[static_cast<std::size_t>(i)] = b;
        else if (i == 9)
            Text12 = b;
        else
            Text13 = b;
    }

    Frame1 = makeControl<QGroupBox>(this, "Frame1", ControlKind::Frame, QRectF(Col, 120, 3840, 1050));
    Frame1->setTitle(QStringLiteral("Keying Options"));
    auto option = [this](const char* name, const QRectF& twips, const QString& caption) {
        auto* o = makeControl<QRadioButton>(Frame1, name, ControlKind::OptionButton, twips);
        o->setText(caption);
        return o;
    };
    Option1 = option("Option1", QRectF(120, 270, 1100, 255), QStringLiteral("RTS"));
    Option2 = option("Option2", QRectF(120, 540, 1100, 255), QStringLiteral("DTR"));
    Option3 = option("Option3", QRectF(120, 780, 1100, 255), QStringLiteral("Printer"));
    Option4 = option("Option4", QRectF(1440, 270, 1100, 255), QStringLiteral("None"));
    Option5 = option("Option5", QRectF(1440, 540, 1100, 255), QStringLiteral("WinKey"));
    Option4->setChecked(true);

    label("Label10", QRectF(Col, 1290, 1080, 255), QStringLiteral("Serial"));
    Text10 = box("Text10", QRectF(FieldX, 1260, 600, 315));
    label("Label14", QRectF(7440, 1290, 720, 255), QStringLiteral("Parallel"));
    Text14 = box("Text14", QRectF(8220, 1260, 1140, 315));

    label("Label11", QRectF(Col, 1710, 1080, 255), QStringLiteral("WPM"));
    Text11 = box("Text11", QRectF(FieldX, 1680, 600, 315));
    Command2 = button("Command2", QRectF(7440, 1665, 900, 345), QStringLiteral("Faster"));
    Command3 = button("Command3", QRectF(8460, 1665, 900, 345), QStringLiteral("Slower"));

    label("Label12", QRectF(Col, 2130, 1080, 255), QStringLiteral("Word Space"));
    txtSpace = box("txtSpace", QRectF(FieldX, 2100, 600, 315));
    Command5 = button("Command5", QRectF(7440, 2085, 900, 345), QStringLiteral("Less"));
    Command6 = button("Command6", QRectF(8460, 2085, 900, 345), QStringLiteral("More"));

    label("Label13", QRectF(Col, 2550, 1080, 255), QStringLiteral("Loop (Sec)"));
    txtCWLoop = box("txtCWLoop", QRectF(FieldX, 2520, 600, 315));

    Check1 = makeControl<QCheckBox>(this, "Check1", ControlKind::CheckBox, QRectF(Col, 2940, 3840, 285));
    Check1->setText(QStringLiteral("Display CW text on main form (NA for WinKey)."));
    Check1->setChecked(true);

    label("Label15", QRectF(Col, 3330, 1800, 255), QStringLiteral("Timing Options: "));
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
    for (QRadioButton* o : {Option1, Option2, Option3, Option4, Option5})
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
    label("Label16", QRectF(Col, 4410, 3840, 255), QStringLiteral("Timer is the preferred option on most systems. "));

    Command4 = button("Command4", QRectF(Col, 4770, 1200, 420), QStringLiteral("&Test"));
    Label23 = label("Label23", QRectF(Col + 1320, 4845, 1200, 285), QStringLiteral("Sending!"));
    Label23->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label23->hide();
    Command7 = button("Command7", QRectF(Col, 5310, 2280, 420), QStringLiteral("Send Code Practice"));
    cmdConfWinkey = button("cmdConfWinkey", QRectF(Col + 2400, 5310, 1440, 420), QStringLiteral("Configure Winkey"));
    cmdConfWinkey->hide();
    Command1 = button("Command1", QRectF(7560, 6240, 1800, 540), QStringLiteral("Done"));

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

void CWFrm::buildLegends()
{
    auto legend = [this](const char* name, const QRectF& twips, const QString& text, double points = 8.25) {
        auto* l = makeControl<QLabel>(this, name, ControlKind::Label, twips, platform::FontSpec{QStringLiteral("MS Sans Serif"), points, false});
        l->setText(text);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    };
    legend("Label1", QRectF(120, 60, 5280, 450),
           QStringLiteral("Wildcards are $ for Call, * for RST  # for Num and ^ for County (where applicable)."));
    legend("Label2", QRectF(120, 4710, 900, 255), QStringLiteral("Prosigns"));
    legend("Label3", QRectF(1080, 4710, 4260, 255),
           QStringLiteral("AR  [      CL  \\      SK  ]      KN  ;      BT  ="));
    legend("Label4", QRectF(120, 5010, 900, 255), QStringLiteral("F12"));
    legend("Label5", QRectF(1080, 5010, 4260, 255), QStringLiteral("Keyboard"));
    legend("Label6", QRectF(120, 5310, 5220, 255), QStringLiteral("Up / Down arrows on main form change speed."));
    legend("Label7", QRectF(120, 5610, 5220, 255), QStringLiteral("You must be in CW mode."));
    legend("Label8", QRectF(120, 5910, 3600, 1020),
           QStringLiteral("Setup: Build a keying switch (a transistor or an opto-isolator) from the "
                          "chosen line to the transmitter's key jack. Choose RTS or DTR and enter the "
                          "serial port number, or choose Printer and enter the parallel port address "
                          "(&H378 is the usual address of the first parallel port)."),
           7);
    legend("Label9", QRectF(3840, 5910, 3600, 1020),
           QStringLiteral("To Use: Test with the F9 message. There is no sidetone: listen on the "
                          "transmitter. A ! in the string enters the contact. Word Space: 0 is "
                          "standard, -8 is no spacing."),
           7);
}

void CWFrm::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    for (QLineEdit* b : Text1to9)
        m_keys->onKeyPress(b, [this](int& k) { messageBox_KeyPress(k); });
    for (QLineEdit* b : {Text12, Text13})
        m_keys->onKeyPress(b, [this](int& k) { messageBox_KeyPress(k); });
    for (QLineEdit* b : Text1to9)
        connect(b, &QLineEdit::textChanged, this, [b](const QString& t) {
            if (t.contains(QLatin1Char('"')))
                b->setText(keying::withoutDoubleQuotes(t));
        });
    for (QLineEdit* b : {Text12, Text13})
        connect(b, &QLineEdit::textChanged, this, [b](const QString& t) {
            if (t.contains(QLatin1Char('"')))
                b->setText(keying::withoutDoubleQuotes(t));
        });

    auto digitsOnly = [](int& k) {
        if (k != 8 && k != 9 && (k < '0' || k > '9'))
            k = 0;
    };
    m_keys->onKeyPress(Text10, digitsOnly);
    m_keys->onKeyPress(Text11, digitsOnly);
    m_keys->onKeyPress(txtSpace, [](int& k) {
        if (k != 8 && k != 9 && (k < '-' || k > '9'))
            k = 0;
    });
    m_keys->onKeyPress(txtCWLoop, [](int& k) {
        if (k != 8 && k != 9 && k != '.' && (k < '0' || k > '9'))
            k = 0;
    });
    m_keys->onGotFocus(Text10, [this] { Text10->selectAll(); });
    m_keys->onGotFocus(Text11, [this] { Text11->selectAll(); });
    m_keys->onLostFocus(Text10, [this] { Text10_LostFocus(); });
    m_keys->onLostFocus(Text11, [this] { Text11_LostFocus(); });
    m_keys->onLostFocus(txtSpace, [this] { txtSpace_LostFocus(); });
    m_keys->onLostFocus(txtCWLoop, [this] { txtCWLoop_LostFocus(); });
    m_keys->attachAll();

    connect(Text11, &QLineEdit::textChanged, this, [this] { Text11_Change(); });
    connect(txtSpace, &QLineEdit::textChanged, this, [this] { txtSpace_Change(); });
    connect(txtLoop, &QLineEdit::textChanged, this, [this] { txtLoop_Change(); });

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { UpDown1_UpClick(); });
    connect(Command3, &QPushButton::clicked, this, [this] { UpDown1_DownClick(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(cmdConfWinkey, &QPushButton::clicked, this, [this] { cmdConfWinkey_Click(); });
    connect(cmdLoopFaster, &QPushButton::clicked, this, [this] { cmdLoopFaster_Click(); });
    connect(cmdLoopSlower, &QPushButton::clicked, this, [this] { cmdLoopSlower_Click(); });

    const std::pair<QRadioButton*, int> options[] = {{Option1, 1}, {Option2, 2}, {Option3, 3}, {Option4, 0}, {Option5, 5}};
    for (const auto& [button, value] : options) {
        connect(button, &QRadioButton::clicked, this, [this, v = value] { Option_Click(v); });
    }
    connect(optTimer, &QRadioButton::clicked, this, [this] { optTimer_Click(); });
    connect(optLoop, &QRadioButton::clicked, this, [this] { optLoop_Click(); });
    connect(OptSleep, &QRadioButton::clicked, this, [this] { OptSleep_Click(); });
    connect(tmrRepeat, &QTimer::timeout, this, [this] { tmrRepeat_Timer(); });
    connect(keyerDoneWatch, &QTimer::timeout, this, [this] { keyerDoneWatch_Timer(); });
}

void CWFrm::fillFromSettings()
{
    const keying::CwWindowSettings& s = m_state.cwSettings;
    for (std::size_t i = 0; i < 9; ++i)
        Text1to9[i]->setText(s.Text1to9[i]);
    Text10->setText(s.Text10);
    Text11->setText(keying::keyedSpeedText(s.Text11));
    Text12->setText(s.Text12);
    Text13->setText(s.Text13);
    txtSpace->setText(s.txtSpace);
    Text14->setText(s.Text14);
    Check1->setChecked(s.Check1 != 0);
    txtCWLoop->setText(s.txtCWLoop);
    tmrRepeat->setInterval(s.repeatIntervalMs);
    switch (s.keyingOptionButton) {
    case 1: Option1->setChecked(true); break;
    case 2: Option2->setChecked(true); break;
    case 3: Option3->setChecked(true); break;
    case 5:
        // The WinKey window is loaded by whoever loads this window, once it
        // has loaded: the WinKey window reads this window's speed box.
        Option5->setChecked(true);
        chooseKeyingOption(5);
        break;
    default: Option4->setChecked(true); break;
    }
}

void CWFrm::Form_Load()
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
    for (QRadioButton* o : {Option1, Option2, Option3, Option4, Option5})
        keyingGroup->addButton(o);
    auto* timingGroup = new QButtonGroup(this);
    for (QRadioButton* o : {optTimer, optLoop, OptSleep})
        timingGroup->addButton(o);
    if (selection == QLatin1String("Timer")) {
        optTimer->setChecked(true);
        optTimer_Click();
    } else if (selection == QLatin1String("Sleep")) {
        OptSleep->setChecked(true);
        OptSleep_Click();
    } else if (selection == QLatin1String("Loop")) {
        optLoop->setChecked(true);
        optLoop_Click();
    }
}
