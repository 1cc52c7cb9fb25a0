#include "radio/rig_interface_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "radio/rig_models.h"
#include "radio/rig_text.h"
#include "radio/rig_waits.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace radio {

namespace {

const FontSpec BoldFont{QStringLiteral("MS Sans Serif"), 8.25, true};

constexpr double DesignWidth = 9000;
constexpr double DesignHeight = 6600;

QRadioButton* option(QWidget* frame, const char* name, const char* caption, double left, double top,
                     double width = 720)
{
    auto* b = makeControl<QRadioButton>(frame, name, ControlKind::OptionButton,
                                        QRectF(left, top, width, 255));
    b->setText(QString::fromLatin1(caption));
    return b;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* caption, const QRectF& twips)
{
    auto* f = makeControl<QGroupBox>(parent, name, ControlKind::Frame, twips);
    f->setTitle(QString::fromLatin1(caption));
    return f;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRectF& twips,
              const FontSpec& font = {})
{
    auto* l = makeControl<QLabel>(parent, name, ControlKind::Label, twips, font);
    l->setText(caption);
    return l;
}

QLabel* helpLabel(QWidget* parent, const char* name, const QString& caption, const QRectF& twips)
{
    QLabel* l = label(parent, name, caption, twips);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

RigInterfaceWindow::RigInterfaceWindow(app::AppState& state, RigWindowLinks links, QWidget* parent)
    : QDialog(parent), m_state(state), m_links(std::move(links)), m_port(state.hardware)
{
    setObjectName(QStringLiteral("RigInterfaceWindow"));
    setWindowTitle(QStringLiteral(" Rig Interface Setup"));
    // A fixed border without a close box: Done is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    buildControls();
    wireEvents();
}

RigInterfaceWindow::~RigInterfaceWindow()
{
    tmrGetData->stop();
    m_port.close();
}

void RigInterfaceWindow::buildControls()
{
    label(this, "rigListLabel", QStringLiteral("Select Rig:"), QRectF(120, 120, 2100, 255));
    rigList = makeControl<QListWidget>(this, "rigList", ControlKind::ListBox, QRectF(120, 390, 2100, 4035));

    pollingLabel = label(this, "pollingLabel", QStringLiteral("Polling Rig"), QRectF(120, 4530, 2100, 285), BoldFont);
    QPalette red = pollingLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    pollingLabel->setPalette(red);
    pollingLabel->hide();
    icomAddressNote = helpLabel(this, "icomAddressNote",
                        QStringLiteral("Icom radio users will have to replace the 64 in the string with "
                                       "the ID for your particular radio.  Please check your Icom "
                                       "user's manual for details."),
                        QRectF(120, 4890, 2100, 1590));
    icomAddressNote->hide();
    // In the Icom note's place: the two never show together.
    lblPegasusFolder = label(this, "lblPegasusFolder", QStringLiteral("Pegasus files folder:"),
                             QRectF(120, 4890, 2100, 255));
    txtPegasusFolder = makeControl<QLineEdit>(this, "txtPegasusFolder", ControlKind::TextBox,
                                              QRectF(120, 5160, 2100, 315));
    lblPegasusFolder->hide();
    txtPegasusFolder->hide();

    buildSerialFrames();
    buildRightSide();

    tmrGetData = new QTimer(this);
    tmrGetData->setObjectName(QStringLiteral("tmrGetData"));
    tmrGetData->setInterval(1000);
}

void RigInterfaceWindow::buildSerialFrames()
{
    fraBaud = frame(this, "fraBaud", "Baud Rate (k):", QRectF(2340, 60, 2400, 1260));
    optBaud12 = option(fraBaud, "optBaud12", "1.2", 120, 270);
    optBaud24 = option(fraBaud, "optBaud24", "2.4", 870, 270);
    optBaud48 = option(fraBaud, "optBaud48", "4.8", 1620, 270);
    optBaud96 = option(fraBaud, "optBaud96", "9.6", 120, 570);
    optBaud144 = option(fraBaud, "optBaud144", "14.4", 870, 570);
    optBaud192 = option(fraBaud, "optBaud192", "19.2", 1620, 570);
    optBaud288 = option(fraBaud, "optBaud288", "28.8", 120, 870);
    optBaud384 = option(fraBaud, "optBaud384", "38.4", 870, 870);
    optBaud560 = option(fraBaud, "optBaud560", "56", 1620, 870);

    fraParity = frame(this, "fraParity", "Parity:", QRectF(2340, 1380, 2400, 600));
    optParityOdd = option(fraParity, "optParityOdd", "Odd", 120, 270);
    optParityNone = option(fraParity, "optParityNone", "None", 870, 270);
    optParityEven = option(fraParity, "optParityEven", "Even", 1620, 270);

    fraData = frame(this, "fraData", "Data Bits:", QRectF(2340, 2040, 1140, 600));
    optData7 = option(fraData, "optData7", "7", 120, 270, 450);
    optData8 = option(fraData, "optData8", "8", 600, 270, 450);

    fraStop = frame(this, "fraStop", "Stop Bits:", QRectF(3600, 2040, 1140, 600));
    optStop1 = option(fraStop, "optStop1", "1", 120, 270, 450);
    optStop2 = option(fraStop, "optStop2", "2", 600, 270, 450);

    fraPort = frame(this, "fraPort", "Comm Port:", QRectF(2340, 2700, 2400, 900));
    static const char* const portNames[] = {"optComm0", "optComm1", "optComm2", "optComm3", "optComm4",
                                            "optComm5", "optComm6", "optComm7", "optComm8", "optComm9"};
    for (int i = 0; i < 10; ++i) {
        const QByteArray caption = QByteArray::number(i + 1);
        optComm[static_cast<std::size_t>(i)] =
            option(fraPort, portNames[i], caption.constData(), 120 + (i % 5) * 450, 270 + (i / 5) * 300, 440);
    }

    fraPower = frame(this, "fraPower", "Connection Power:", QRectF(2340, 3660, 2400, 600));
    optPowerNone = option(fraPower, "optPowerNone", "None", 120, 270);
    optPowerRTS = option(fraPower, "optPowerRTS", "RTS", 870, 270);
    optPowerDTR = option(fraPower, "optPowerDTR", "DTR", 1620, 270);

    fraPoll = frame(this, "fraPoll", "Radio Polling Rate:", QRectF(2340, 4320, 2400, 900));
    optPollFast = option(fraPoll, "optPollFast", "100 ms", 120, 270, 1080);
    optPollMed = option(fraPoll, "optPollMed", "500 ms", 1260, 270, 1080);
    optPollSlow = option(fraPoll, "optPollSlow", "2 Sec", 120, 570, 1080);
    optReallySlow = option(fraPoll, "optReallySlow", "10 Sec", 1260, 570, 1080);

    // The design choices, in force until saved settings replace them.
    optBaud560->setChecked(true);
    optParityNone->setChecked(true);
    optData8->setChecked(true);
    optStop1->setChecked(true);
    optComm[0]->setChecked(true);
    optPowerNone->setChecked(true);
    optPollMed->setChecked(true);
}

void RigInterfaceWindow::buildRightSide()
{
    label(this, "frequencyQueryLabel", QStringLiteral("String to read frequency:"), QRectF(4920, 120, 2040, 255));
    txtFreq = makeControl<QLineEdit>(this, "txtFreq", ControlKind::TextBox, QRectF(7020, 90, 1860, 315));
    label(this, "modeQueryLabel", QStringLiteral("String to read mode:"), QRectF(4920, 480, 2040, 255));
    txtMode = makeControl<QLineEdit>(this, "txtMode", ControlKind::TextBox, QRectF(7020, 450, 1860, 315));

    chkConvToHex = makeControl<QCheckBox>(this, "chkConvToHex", ControlKind::CheckBox,
                                          QRectF(4920, 840, 1860, 255));
    chkConvToHex->setText(QStringLiteral("Convert to Hex"));
    chkConvToHex->setEnabled(false);
    ChkConvHex = makeControl<QCheckBox>(this, "ChkConvHex", ControlKind::CheckBox,
                                        QRectF(7020, 840, 1860, 255));
    ChkConvHex->setText(QStringLiteral("Convert from Hex"));
    chkFrequency = makeControl<QCheckBox>(this, "chkFrequency", ControlKind::CheckBox,
                                          QRectF(4920, 1140, 1860, 255));
    chkFrequency->setText(QStringLiteral("Use Frequency"));
    chkFrequency->setChecked(true);

    fraModeBy = frame(this, "fraModeBy", "Mode by:", QRectF(4920, 1440, 3960, 600));
    OptRig = option(fraModeBy, "OptRig", "Rig", 120, 270, 1200);
    OptFreq = option(fraModeBy, "OptFreq", "Frequency", 1320, 270, 1260);
    OptDont = option(fraModeBy, "OptDont", "Don't Use", 2640, 270, 1200);
    OptRig->setChecked(true);

    const auto button = [this](const char* name, const QString& caption, const QRectF& twips) {
        auto* b = makeControl<QPushButton>(this, name, ControlKind::CommandButton, twips);
        b->setText(caption);
        b->setAutoDefault(false);
        return b;
    };
    testButton = button("testButton", QStringLiteral("Test"), QRectF(4920, 2160, 1200, 405));
    endTestButton = button("endTestButton", QStringLiteral("End Test"), QRectF(6300, 2160, 1200, 405));
    endTestButton->setEnabled(false);
    cmdDone = button("cmdDone", QStringLiteral("&Done"), QRectF(7680, 2160, 1200, 405));

    label(this, "frequencyLabel", QStringLiteral("Frequency:"), QRectF(4920, 2700, 1080, 255));
    lblFreq = label(this, "lblFreq", QString(), QRectF(6060, 2700, 1560, 255), BoldFont);
    label(this, "modeLabel", QStringLiteral("Mode:"), QRectF(4920, 3000, 1080, 255));
    lblMode = label(this, "lblMode", QString(), QRectF(6060, 3000, 900, 255), BoldFont);
    label(this, "modeNote", QStringLiteral("Should be PH or CW"), QRectF(7020, 3000, 1860, 255));
    label(this, "repliesLabel", QStringLiteral("Unprocessed data returned:"), QRectF(4920, 3330, 3960, 255));
    lblUnProcess = helpLabel(this, "lblUnProcess", QString(), QRectF(4920, 3600, 3960, 540));
    lblUnProcess->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblUnProcess->setTextFormat(Qt::PlainText);

    changeFrequencyButton = button("changeFrequencyButton", QStringLiteral("Change Frequency"), QRectF(4920, 4260, 3960, 405));
    copyRepliesButton = button("copyRepliesButton", QStringLiteral("Copy unprocessed data to clipboard"),
                      QRectF(4920, 4740, 3960, 405));

    helpLabel(this, "testNote",
              QStringLiteral("Choose your rig, check the settings and click Test: the rig's frequency and "
                             "mode show above. Done saves them, and the band follows the rig."),
              QRectF(2340, 5280, 6540, 420));
    helpLabel(this, "otherRigNote",
              QStringLiteral("This rig interface is a test version. With \"Other\" you can send commands "
                             "from your radio's manual and watch what it returns."),
              QRectF(2340, 5700, 6540, 420));
    helpLabel(this, "bandMapNote",
              QStringLiteral("A right-click on a band-map spot tunes the radio; Change Frequency tests "
                             "that for other rigs."),
              QRectF(2340, 6120, 6540, 420));
}

std::vector<RigInterfaceWindow::Choice> RigInterfaceWindow::baudChoices() const
{
    return {{optBaud12, "1200"},   {optBaud24, "2400"},   {optBaud48, "4800"},
            {optBaud96, "9600"},   {optBaud144, "14400"}, {optBaud192, "19200"},
            {optBaud288, "28800"}, {optBaud384, "38400"}, {optBaud560, "56000"}};
}

std::vector<RigInterfaceWindow::Choice> RigInterfaceWindow::parityChoices() const
{
    return {{optParityOdd, "O"}, {optParityNone, "N"}, {optParityEven, "E"}};
}

std::vector<RigInterfaceWindow::Choice> RigInterfaceWindow::dataChoices() const
{
    return {{optData7, "7"}, {optData8, "8"}};
}

std::vector<RigInterfaceWindow::Choice> RigInterfaceWindow::stopChoices() const
{
    return {{optStop1, "1"}, {optStop2, "2"}};
}

std::vector<RigInterfaceWindow::Choice> RigInterfaceWindow::powerChoices() const
{
    return {{optPowerNone, "N"}, {optPowerRTS, "R"}, {optPowerDTR, "D"}};
}

std::vector<RigInterfaceWindow::Choice> RigInterfaceWindow::pollChoices() const
{
    return {{optPollFast, "F"}, {optPollMed, "M"}, {optPollSlow, "S"}, {optReallySlow, "R"}};
}

void RigInterfaceWindow::wireEvents()
{
    connect(rigList, &QListWidget::currentRowChanged, this, [this](int) { onRigListClicked(); });
    std::vector<QRadioButton*> serialOptions;
    for (const auto& group : {baudChoices(), parityChoices(), dataChoices(), stopChoices(), powerChoices(),
                              pollChoices()})
        for (const Choice& c : group)
            serialOptions.push_back(c.button);
    serialOptions.insert(serialOptions.end(), optComm.begin(), optComm.end());
    for (QRadioButton* b : serialOptions)
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                onSerialOptionClicked();
        });
    for (QRadioButton* b : {OptRig, OptFreq, OptDont})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                onModeByClicked();
        });
    connect(txtFreq, &QLineEdit::textChanged, this, [this] { onFrequencyQueryChanged(); });
    connect(txtMode, &QLineEdit::textChanged, this, [this] { onModeQueryChanged(); });
    connect(chkConvToHex, &QCheckBox::toggled, this, [this] { onConvertToHexClicked(); });
    connect(txtPegasusFolder, &QLineEdit::textChanged, this, [this] { onPegasusFolderChanged(); });
    connect(ChkConvHex, &QCheckBox::toggled, this, [this] { showReply(); });
    connect(testButton, &QPushButton::clicked, this, [this] { onTestClicked(); });
    connect(endTestButton, &QPushButton::clicked, this, [this] { onEndTestClicked(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(changeFrequencyButton, &QPushButton::clicked, this, [this] { onChangeFrequencyClicked(); });
    connect(copyRepliesButton, &QPushButton::clicked, this, [this] { onCopyRepliesClicked(); });
    connect(tmrGetData, &QTimer::timeout, this, [this] { onPollTick(); });

    m_keys = new platform::KeyRouter(this);
    m_keys->onGotFocus(txtFreq, [this] { onQueryBoxGotFocus(); });
    m_keys->onGotFocus(txtMode, [this] { onQueryBoxGotFocus(); });
    m_keys->attachAll();
}

void RigInterfaceWindow::reject()
{
    // Esc must not take the window away unsaved: Done is the way out.
}

void RigInterfaceWindow::scaleToWorkArea()
{
    // The window fills its share of the work area (the screen less the
    // taskbar); fonts grow with the screen's width, at most by half.
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    const QRectF work = screen.workAreaTwips;
    const double W = work.width() / 9600.0;
    const double H = work.height() / 7200.0;
    const double fontFactor = std::min(screen.widthTwips / 9600.0, 1.5);
    if (!(W > 0) || !(H > 0))
        return;
    const QRectF g = platform::windowTwipGeometry(this);
    const double width = g.width() * W;
    const double height = g.height() * H;
    platform::setWindowTwipSize(this, width, height);
    platform::setWindowTwipPos(this, work.left() + (work.width() - width) / 2,
                               work.top() + (work.height() - height) / 2);
    for (QWidget* c : findChildren<QWidget*>()) {
        if (platform::kindOf(c) == ControlKind::Other)
            continue;
        const QRectF t = platform::twipGeometry(c);
        platform::setTwipGeometry(c, QRectF(t.left() * W, t.top() * H, t.width() * W, t.height() * H));
        QFont f = c->font();
        if (f.pointSizeF() > 0) {
            f.setPointSizeF(f.pointSizeF() * fontFactor);
            c->setFont(f);
        }
    }
    setFixedSize(size());
}

void RigInterfaceWindow::onLoad()
{
    scaleToWorkArea();
    for (const RigModel& m : rigModels())
        rigList->addItem(QString::fromLatin1(m.name));
    LoadingRigSettings = 1;
    LoadRigSettings();
    LoadBandPlan();
    LoadingRigSettings = 0;
    m_loop.setRigType(m_state.prefs.RigType);
    m_loop.rig.vfoDigit = 10;
    txtPegasusFolder->setText(m_settings.PegasusFolder.isEmpty() ? defaultPegasusFolder()
                                                                 : m_settings.PegasusFolder);
    showPegasusFolder();
}

void RigInterfaceWindow::onUnload()
{
    // The bytes sent when the port opened lock a Yaesu's front panel; these
    // release it. Every way out of a polled rig sends them: a rig left
    // locked keeps its dial and keys from the operator.
    const bool polling = tmrGetData->isActive() || m_tuning;
    if (m_closingBytesSent || m_shutDown || !polling)
        return;
    m_closingBytesSent = true;
    const RigModel* model = findRigModel(m_state.prefs.RigType);
    if (model && *model->closeBytes) {
        if (const auto bytes = PackedHexToBytes(QString::fromLatin1(model->closeBytes)))
            m_port.write(*bytes);
    }
}

void RigInterfaceWindow::shutDown()
{
    onUnload();
    m_shutDown = true;
    tmrGetData->stop();
    m_port.close();
    hide();
}

bool RigInterfaceWindow::pollingRunning() const { return tmrGetData->isActive(); }

}  // namespace radio
