#include "spots/spotting_window.h"

#include "app/app_state.h"
#include "platform/caption_label.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace {

const FontSpec LabelFont{QStringLiteral("MS Sans Serif"), 8.25, true};
const FontSpec BoxFont{QStringLiteral("MS Sans Serif"), 8.25, false};
const FontSpec MonitorFont{QStringLiteral("Courier New"), 9, false};

void colour(QWidget* w, const QColor& back, const QColor& fore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::WindowText, fore);
    p.setColor(QPalette::Text, fore);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

QRadioButton* option(QWidget* frame, const char* name, const QString& caption, const QRectF& twips)
{
    auto* o = makeControl<QRadioButton>(frame, name, ControlKind::OptionButton, twips, BoxFont);
    o->setText(caption);
    return o;
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption, const QRectF& twips)
{
    auto* f = makeControl<platform::CaptionFrame>(parent, name, ControlKind::Frame, twips, LabelFont);
    f->setTitle(caption);
    return f;
}

}  // namespace

SpottingWindow::SpottingWindow(app::AppState& state, std::function<ForwardingWindow*()> forwardingWindow,
                             const spots::ConnectionFactory& connections, QWidget* parent)
    : QWidget(parent), m_state(state), m_forwardingWindow(std::move(forwardingWindow))
{
    setObjectName(QStringLiteral("SpottingWindow"));
    setWindowTitle(QStringLiteral(" DX Spotting Setup"));
    // A fixed border without a close box: Done is the way out.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    platform::setWindowTwipSize(this, 8400, 6900);
    buildControls();
    wireEvents();
    using spots::ConnectionKind;
    for (ConnectionKind kind : {ConnectionKind::Tnc, ConnectionKind::Telnet, ConnectionKind::Agw})
        m_connections[static_cast<std::size_t>(kind)] = connections(kind, *this);
}

SpottingWindow::~SpottingWindow()
{
    // The connections may still call back into the window while they close.
    for (auto& c : m_connections)
        c.reset();
}

void SpottingWindow::buildControls()
{
    typeListLabel = makeControl<QLabel>(this, "typeListLabel", ControlKind::Label, {120, 120, 2400, 255}, LabelFont);
    typeListLabel->setText(QStringLiteral("Select Option:"));
    typeList = makeControl<QListWidget>(this, "typeList", ControlKind::ListBox, {120, 390, 2400, 1035}, BoxFont);

    displayGroup = frame(this, "displayGroup", QStringLiteral("Main Form Display"), {120, 1530, 2400, 900});
    displayBandMap = option(displayGroup, "displayBandMap", QStringLiteral("Band Map"), {150, 270, 2100, 255});
    displayList = option(displayGroup, "displayList", QStringLiteral("List"), {150, 570, 2100, 255});
    displayBandMap->setChecked(true);

    telnetHostLabel = makeControl<QLabel>(this, "telnetHostLabel", ControlKind::Label, {2700, 150, 1100, 255}, LabelFont);
    telnetHostLabel->setText(QStringLiteral("Telnet Host:"));
    telnetHostBox = makeControl<QLineEdit>(this, "telnetHostBox", ControlKind::TextBox,
                                           {3840, 120, 2400, 285}, BoxFont);
    telnetPortLabel = makeControl<QLabel>(this, "telnetPortLabel", ControlKind::Label, {6360, 150, 1000, 255}, LabelFont);
    telnetPortLabel->setText(QStringLiteral("Telnet Port:"));
    telnetPortBox = makeControl<QLineEdit>(this, "telnetPortBox", ControlKind::TextBox,
                                           {7380, 120, 900, 285}, BoxFont);
    telnetPortBox->setMaxLength(5);
    commandCharLabel = makeControl<QLabel>(this, "commandCharLabel", ControlKind::Label, {2700, 510, 2600, 255}, LabelFont);
    commandCharLabel->setText(QStringLiteral("TNC cmd mode hex character:"));
    commandCharBox = makeControl<QLineEdit>(this, "commandCharBox", ControlKind::TextBox, {5340, 480, 500, 285}, BoxFont);
    commandCharBox->setMaxLength(2);

    buildSerialGroups();

    listDxOnlyCheck = makeControl<QCheckBox>(this, "listDxOnlyCheck", ControlKind::CheckBox, {120, 3840, 4500, 285}, LabelFont);
    listDxOnlyCheck->setText(QStringLiteral("List DX Only (also controls main form)"));
    convertToHexCheck = makeControl<QCheckBox>(this, "convertToHexCheck", ControlKind::CheckBox,
                                          {4800, 3840, 1500, 285}, BoxFont);
    convertToHexCheck->setText(QStringLiteral("Convert to Hex"));
    convertToHexCheck->hide();
    listeningLabel = makeControl<QLabel>(this, "listeningLabel", ControlKind::Label, {6900, 3840, 1380, 285}, LabelFont);
    listeningLabel->setText(QStringLiteral("Listening"));
    listeningLabel->setAlignment(Qt::AlignCenter);
    colour(listeningLabel, Qt::blue, Qt::white);
    listeningLabel->hide();

    monitorBox = makeControl<QPlainTextEdit>(this, "monitorBox", ControlKind::TextBox,
                                                 {120, 4200, 8160, 1500}, MonitorFont);
    monitorBox->setReadOnly(true);
    monitorBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    monitorBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    colour(monitorBox, QColor(0, 0, 128), Qt::white);

    sendBoxLabel = makeControl<QLabel>(this, "sendBoxLabel", ControlKind::Label, {120, 5790, 8160, 255}, LabelFont);
    sendBoxLabel->setText(QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"));
    sendBox = makeControl<QLineEdit>(this, "sendBox", ControlKind::TextBox, {120, 6060, 8160, 285}, BoxFont);

    const struct {
        QPushButton** button;
        const char* name;
        const char* caption;
        double left;
    } buttons[] = {{&openPortButton, "openPortButton", "Open Port", 120},
                   {&closePortButton, "closePortButton", "Close Port", 1800},
                   {&spotLastButton, "spotLastButton", "&Spot Last", 3480},
                   {&doneButton, "doneButton", "&Done", 6780}};
    for (const auto& b : buttons) {
        *b.button = makeControl<QPushButton>(this, b.name, ControlKind::CommandButton,
                                             {b.left, 6450, 1500, 375}, LabelFont);
        (*b.button)->setText(QString::fromLatin1(b.caption));
    }
    spotLastButton->setFocusPolicy(Qt::ClickFocus);

    pollTimer = new QTimer(this);
    pollTimer->setObjectName(QStringLiteral("pollTimer"));
    pollTimer->setInterval(333);
}

void SpottingWindow::buildSerialGroups()
{
    fraPort = frame(this, "fraPort", QStringLiteral("Comm Port"), {2700, 870, 5580, 570});
    for (int i = 0; i < 10; ++i) {
        const QByteArray name = "optComm(" + QByteArray::number(i) + ")";
        optComm[static_cast<std::size_t>(i)] =
            option(fraPort, name.constData(), QString::number(i + 1), {120 + i * 540.0, 240, 520, 255});
    }
    optComm[0]->setChecked(true);

    fraBaud = frame(this, "fraBaud",
                    QStringLiteral("Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)"),
                    {2700, 1530, 5580, 570});
    QRadioButton** bauds[] = {&optBaud12, &optBaud24, &optBaud48, &optBaud96, &optBaud144, &optBaud192};
    const char* baudNames[] = {"optBaud12", "optBaud24", "optBaud48", "optBaud96", "optBaud144", "optBaud192"};
    const char* baudCaptions[] = {"1.2k", "2.4k", "4.8k", "9.6k", "14.4k", "19.2k"};
    for (int i = 0; i < 6; ++i)
        *bauds[i] = option(fraBaud, baudNames[i], QString::fromLatin1(baudCaptions[i]),
                           {120 + i * 900.0, 240, 860, 255});
    optBaud192->setChecked(true);

    fraParity = frame(this, "fraParity", QStringLiteral("Parity"), {2700, 2190, 2700, 570});
    optParityOdd = option(fraParity, "optParityOdd", QStringLiteral("Odd"), {120, 240, 800, 255});
    optParityNone = option(fraParity, "optParityNone", QStringLiteral("None"), {960, 240, 800, 255});
    optParityEven = option(fraParity, "optParityEven", QStringLiteral("Even"), {1800, 240, 800, 255});
    optParityNone->setChecked(true);

    fraData = frame(this, "fraData", QStringLiteral("Data Bits"), {5520, 2190, 1300, 570});
    optData7 = option(fraData, "optData7", QStringLiteral("7"), {120, 240, 500, 255});
    optData8 = option(fraData, "optData8", QStringLiteral("8"), {660, 240, 500, 255});
    optData8->setChecked(true);

    fraStop = frame(this, "fraStop", QStringLiteral("Stop Bits"), {6900, 2190, 1380, 570});
    optStop1 = option(fraStop, "optStop1", QStringLiteral("1"), {120, 240, 500, 255});
    optStop2 = option(fraStop, "optStop2", QStringLiteral("2"), {660, 240, 500, 255});
    optStop1->setChecked(true);

    fraPower = frame(this, "fraPower", QStringLiteral("Connection Power"), {2700, 2850, 2700, 570});
    optPowerNone = option(fraPower, "optPowerNone", QStringLiteral("None"), {120, 240, 800, 255});
    optPowerRTS = option(fraPower, "optPowerRTS", QStringLiteral("RTS"), {960, 240, 800, 255});
    optPowerDTR = option(fraPower, "optPowerDTR", QStringLiteral("DTR"), {1800, 240, 800, 255});
    optPowerNone->setChecked(true);

    handshakingGroup = frame(this, "handshakingGroup", QStringLiteral("Handshaking"), {5520, 2850, 2760, 870});
    handshakeNone = option(handshakingGroup, "handshakeNone", QStringLiteral("None"), {120, 240, 1200, 255});
    handshakeXonXoff = option(handshakingGroup, "handshakeXonXoff", QStringLiteral("Xon Xoff"), {1380, 240, 1300, 255});
    handshakeRts = option(handshakingGroup, "handshakeRts", QStringLiteral("RTS"), {120, 540, 1200, 255});
    handshakeRtsXonXoff = option(handshakingGroup, "handshakeRtsXonXoff", QStringLiteral("RTS OnOff"), {1380, 540, 1300, 255});
    handshakeNone->setChecked(true);
}

void SpottingWindow::wireEvents()
{
    connect(openPortButton, &QPushButton::clicked, this, [this] { onOpenPortClicked(); });
    connect(closePortButton, &QPushButton::clicked, this, [this] { onClosePortClicked(); });
    connect(spotLastButton, &QPushButton::clicked, this, [this] { onSpotLastClicked(); });
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(typeList, &QListWidget::itemSelectionChanged, this, [this] { onTypeListClicked(); });
    connect(pollTimer, &QTimer::timeout, this, [this] { onPollTick(); });
    connect(sendBox, &QLineEdit::textChanged, this, [this] { onSendBoxChanged(); });
    // Every option of the serial groups closes an open connection when it
    // becomes selected, by a click or by the program.
    for (QGroupBox* group : {fraPort, fraBaud, fraParity, fraData, fraStop, fraPower, handshakingGroup})
        for (QRadioButton* o : group->findChildren<QRadioButton*>())
            connect(o, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    onSerialOptionClicked();
            });

    m_keys = new platform::KeyRouter(this);
    m_keys->setFormKeyDown([this](int& KeyCode, int Shift) { onKeyDown(KeyCode, Shift); });
    m_keys->setFormKeyPress([this](int& KeyAscii) { onKeyPress(KeyAscii); });
    m_keys->onKeyPress(sendBox, [this](int& k) { onSendBoxKeyPress(k); });
    m_keys->attachAll();
    // Typing puts any character but a control character into the send box
    // and the host box (Enter and Esc act, they type nothing): a pasted line
    // break would send two lines for one Enter, or name no host.
    platform::filterPastes(sendBox, platform::TypedKeyRule());
    platform::filterPastes(telnetHostBox, platform::TypedKeyRule());
}

spots::SpotConnection& SpottingWindow::connection(spots::ConnectionKind kind)
{
    return *m_connections[static_cast<std::size_t>(kind)];
}

void SpottingWindow::closeEvent(QCloseEvent* event)
{
    // Only Done leaves the window; it goes away with the main window.
    if (!m_unloading)
        event->ignore();
}

bool SpottingWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        onActivate();
    return QWidget::event(event);
}
