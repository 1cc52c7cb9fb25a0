#include "spots/PacketSpotfrm.h"

#include "app/app_state.h"
#include "platform/caption_label.h"
#include "platform/controls.h"
#include "platform/key_events.h"

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

PacketSpotfrm::PacketSpotfrm(app::AppState& state, std::function<ForwardingWindow*()> forwardingWindow,
                             const spots::ConnectionFactory& connections, QWidget* parent)
    : QWidget(parent), m_state(state), m_forwardingWindow(std::move(forwardingWindow))
{
    setObjectName(QStringLiteral("PacketSpotfrm"));
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

PacketSpotfrm::~PacketSpotfrm()
{
    // The connections may still call back into the window while they close.
    for (auto& c : m_connections)
        c.reset();
}

void PacketSpotfrm::buildControls()
{
    Label1 = makeControl<QLabel>(this, "Label1", ControlKind::Label, {120, 120, 2400, 255}, LabelFont);
    Label1->setText(QStringLiteral("Select Option:"));
    List1 = makeControl<QListWidget>(this, "List1", ControlKind::ListBox, {120, 390, 2400, 1035}, BoxFont);

    Frame2 = frame(this, "Frame2", QStringLiteral("Main Form Display"), {120, 1530, 2400, 900});
    OptBand = option(Frame2, "OptBand", QStringLiteral("Band Map"), {150, 270, 2100, 255});
    OptList = option(Frame2, "OptList", QStringLiteral("List"), {150, 570, 2100, 255});
    OptBand->setChecked(true);

    Label7 = makeControl<QLabel>(this, "Label7", ControlKind::Label, {2700, 150, 1100, 255}, LabelFont);
    Label7->setText(QStringLiteral("Telnet Host:"));
    txtTelnetHost = makeControl<QLineEdit>(this, "txtTelnetHost", ControlKind::TextBox,
                                           {3840, 120, 2400, 285}, BoxFont);
    Label3 = makeControl<QLabel>(this, "Label3", ControlKind::Label, {6360, 150, 1000, 255}, LabelFont);
    Label3->setText(QStringLiteral("Telnet Port:"));
    txtTelnetPort = makeControl<QLineEdit>(this, "txtTelnetPort", ControlKind::TextBox,
                                           {7380, 120, 900, 285}, BoxFont);
    txtTelnetPort->setMaxLength(5);
    Label2 = makeControl<QLabel>(this, "Label2", ControlKind::Label, {2700, 510, 2600, 255}, LabelFont);
    Label2->setText(QStringLiteral("TNC cmd mode hex character:"));
    txtHex = makeControl<QLineEdit>(this, "txtHex", ControlKind::TextBox, {5340, 480, 500, 285}, BoxFont);
    txtHex->setMaxLength(2);

    buildSerialGroups();

    chkDX = makeControl<QCheckBox>(this, "chkDX", ControlKind::CheckBox, {120, 3840, 4500, 285}, LabelFont);
    chkDX->setText(QStringLiteral("List DX Only (also controls main form)"));
    chkConvToHex = makeControl<QCheckBox>(this, "chkConvToHex", ControlKind::CheckBox,
                                          {4800, 3840, 1500, 285}, BoxFont);
    chkConvToHex->setText(QStringLiteral("Convert to Hex"));
    chkConvToHex->hide();
    Label4 = makeControl<QLabel>(this, "Label4", ControlKind::Label, {6900, 3840, 1380, 285}, LabelFont);
    Label4->setText(QStringLiteral("Listening"));
    Label4->setAlignment(Qt::AlignCenter);
    colour(Label4, Qt::blue, Qt::white);
    Label4->hide();

    txtUnProcessed = makeControl<QPlainTextEdit>(this, "txtUnProcessed", ControlKind::TextBox,
                                                 {120, 4200, 8160, 1500}, MonitorFont);
    txtUnProcessed->setReadOnly(true);
    txtUnProcessed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtUnProcessed->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    colour(txtUnProcessed, QColor(0, 0, 128), Qt::white);

    Label6 = makeControl<QLabel>(this, "Label6", ControlKind::Label, {120, 5790, 8160, 255}, LabelFont);
    Label6->setText(QStringLiteral("Send text  (Ctrl  C or Esc for TNC Command mode):"));
    txtSent = makeControl<QLineEdit>(this, "txtSent", ControlKind::TextBox, {120, 6060, 8160, 285}, BoxFont);

    const struct {
        QPushButton** button;
        const char* name;
        const char* caption;
        double left;
    } buttons[] = {{&Command1, "Command1", "Open Port", 120},
                   {&Command2, "Command2", "Close Port", 1800},
                   {&Command3, "Command3", "&Spot Last", 3480},
                   {&cmdDone, "cmdDone", "&Done", 6780}};
    for (const auto& b : buttons) {
        *b.button = makeControl<QPushButton>(this, b.name, ControlKind::CommandButton,
                                             {b.left, 6450, 1500, 375}, LabelFont);
        (*b.button)->setText(QString::fromLatin1(b.caption));
    }
    Command3->setFocusPolicy(Qt::ClickFocus);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(333);
}

void PacketSpotfrm::buildSerialGroups()
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

    Frame1 = frame(this, "Frame1", QStringLiteral("Handshaking"), {5520, 2850, 2760, 870});
    Option1 = option(Frame1, "Option1", QStringLiteral("None"), {120, 240, 1200, 255});
    Option2 = option(Frame1, "Option2", QStringLiteral("Xon Xoff"), {1380, 240, 1300, 255});
    Option3 = option(Frame1, "Option3", QStringLiteral("RTS"), {120, 540, 1200, 255});
    Option4 = option(Frame1, "Option4", QStringLiteral("RTS OnOff"), {1380, 540, 1300, 255});
    Option1->setChecked(true);
}

void PacketSpotfrm::wireEvents()
{
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] { List1_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(txtSent, &QLineEdit::textChanged, this, [this] { txtSent_Change(); });
    // Every option of the serial groups closes an open connection when it
    // becomes selected, by a click or by the program.
    for (QGroupBox* group : {fraPort, fraBaud, fraParity, fraData, fraStop, fraPower, Frame1})
        for (QRadioButton* o : group->findChildren<QRadioButton*>())
            connect(o, &QRadioButton::toggled, this, [this](bool on) {
                if (on)
                    serialOption_Click();
            });

    m_keys = new platform::KeyRouter(this);
    m_keys->setFormKeyDown([this](int& KeyCode, int Shift) { Form_KeyDown(KeyCode, Shift); });
    m_keys->setFormKeyPress([this](int& KeyAscii) { Form_KeyPress(KeyAscii); });
    m_keys->onKeyPress(txtSent, [this](int& k) { txtSent_KeyPress(k); });
    m_keys->attachAll();
}

spots::SpotConnection& PacketSpotfrm::connection(spots::ConnectionKind kind)
{
    return *m_connections[static_cast<std::size_t>(kind)];
}

void PacketSpotfrm::closeEvent(QCloseEvent* event)
{
    // Only Done leaves the window; it goes away with the main window.
    if (!m_unloading)
        event->ignore();
}

bool PacketSpotfrm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}
