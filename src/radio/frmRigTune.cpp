#include "radio/frmRigTune.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/scaling.h"
#include "radio/rig_tune.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using platform::ControlKind;
using platform::makeControl;

namespace radio {

namespace {

constexpr double DesignWidth = 4905;
constexpr double DesignHeight = 5010;
constexpr int ScanIntervalMs = 299;

// Rows from top to bottom, in twips.
constexpr double PresetTop = 120, PresetRowGap = 420, ButtonHeight = 375;
constexpr double ModeTop = 1065;
constexpr double FrequencyTop = 1620;
constexpr double TuneTop = 2205, TuneRowGap = 435;
constexpr double ScanTop = 3225;
constexpr double FrameTop = 3690, FrameHeight = 645;
constexpr double DoneTop = 4515;

/// The tune buttons' columns left to right: 1 MHz, 5 kHz, 1 kHz, 100 Hz,
/// 10 Hz; the upper row steps up (even indexes), the lower one down.
constexpr std::array<int, 5> TuneColumns = {2, 4, 6, 8, 0};

platform::ScaleRule rigTuneRule()
{
    using K = ControlKind;
    platform::ScaleRule r;
    r.placement = platform::ScaleRule::Placement::ExactCentre;
    r.sized = {K::Label, K::TextBox, K::CommandButton, K::CheckBox, K::Frame, K::OptionButton};
    r.fonted = r.sized;
    r.controlFont = platform::ScaleRule::ControlFont::WCappedAt15;
    return r;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QRectF& twips)
{
    auto* b = makeControl<QPushButton>(parent, name.toLatin1().constData(), ControlKind::CommandButton, twips);
    b->setText(caption);
    // Enter belongs to the frequency box; no button is the default.
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, const QRectF& twips)
{
    auto* l = makeControl<QLabel>(parent, name, ControlKind::Label, twips);
    l->setText(QString::fromLatin1(caption));
    return l;
}

}  // namespace

frmRigTune::frmRigTune(app::AppState& state, RigTuneLinks links, QWidget* parent)
    : QDialog(parent), m_state(state), m_links(std::move(links))
{
    setObjectName(QStringLiteral("frmRigTune"));
    setWindowTitle(QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    buildControls();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(ScanIntervalMs);
    wireEvents();
}

frmRigTune::~frmRigTune() = default;

void frmRigTune::buildControls()
{
    buildPresetsAndModes();
    buildTuneRows();
    buildScanLine();
    cmdDone = button(this, QStringLiteral("cmdDone"), QStringLiteral("&Done"),
                     QRectF(1800, DoneTop, 1305, ButtonHeight));
    // Thin lines between the groups.
    const std::array<double, 5> lineY = {990, 1530, 2115, 3135, 4425};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        lines[i] = new platform::LineControl(this);
        lines[i]->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        lines[i]->setLine(60, lineY[i], DesignWidth - 60, lineY[i]);
    }
    setTabOrder();
}

void frmRigTune::buildPresetsAndModes()
{
    for (int i = 0; i < 16; ++i) {
        const int column = i % 8;
        const double top = PresetTop + (i / 8) * PresetRowGap;
        cmdBand[i] = button(this, QStringLiteral("cmdBand(%1)").arg(i),
                            QString::fromLatin1(tune::BandPresets[i].caption),
                            QRectF(120 + column * 585, top, 555, ButtonHeight));
    }
    const struct {
        QPushButton** control;
        const char* name;
        const char* caption;
    } modes[] = {{&cmdCW, "cmdCW", "&CW"}, {&cmdUSB, "cmdUSB", "&USB"}, {&cmdLSB, "cmdLSB", "&LSB"},
                 {&cmdAM, "cmdAM", "&AM"}, {&cmdFM, "cmdFM", "&FM"},    {&cmdRTTY, "cmdRTTY", "&RTTY"}};
    int column = 0;
    for (const auto& m : modes) {
        *m.control = button(this, QString::fromLatin1(m.name), QString::fromLatin1(m.caption),
                            QRectF(120 + column * 780, ModeTop, 720, ButtonHeight));
        ++column;
    }
    Label1 = label(this, "Label1", "Frequency in MHz:", QRectF(120, FrequencyTop + 75, 1455, 255));
    txtFreq = makeControl<QLineEdit>(this, "txtFreq", ControlKind::TextBox,
                                     QRectF(1620, FrequencyTop + 30, 2040, 315));
    Command1 = button(this, QStringLiteral("Command1"), QStringLiteral("&Go"),
                      QRectF(3780, FrequencyTop, 960, ButtonHeight));
}

void frmRigTune::buildTuneRows()
{
    Label2 = label(this, "Label2", " UP", QRectF(120, TuneTop + 60, 555, 255));
    Label3 = label(this, "Label3", " Down", QRectF(120, TuneTop + TuneRowGap + 60, 555, 255));
    for (int column = 0; column < 5; ++column) {
        for (int row = 0; row < 2; ++row) {
            const int index = TuneColumns[column] + row;
            cmdTune[index] = button(this, QStringLiteral("cmdTune(%1)").arg(index),
                                    QString::fromLatin1(tune::TuneSteps[index].caption),
                                    QRectF(720 + column * 810, TuneTop + row * TuneRowGap, 780, ButtonHeight));
            cmdTune[index]->setEnabled(false);
        }
    }
}

void frmRigTune::buildScanLine()
{
    chkScan = makeControl<QCheckBox>(this, "chkScan", ControlKind::CheckBox, QRectF(120, ScanTop + 30, 900, 255));
    chkScan->setText(QStringLiteral("Scan"));
    Label4 = label(this, "Label4", "From:", QRectF(1140, ScanTop + 60, 525, 255));
    txtFrom = makeControl<QLineEdit>(this, "txtFrom", ControlKind::TextBox, QRectF(1680, ScanTop, 1155, 315));
    txtFrom->setText(QStringLiteral("1.8"));
    Label5 = label(this, "Label5", "To:", QRectF(3000, ScanTop + 60, 375, 255));
    txtTo = makeControl<QLineEdit>(this, "txtTo", ControlKind::TextBox, QRectF(3420, ScanTop, 1320, 315));
    txtTo->setText(QStringLiteral("54"));

    Frame1 = makeControl<QGroupBox>(this, "Frame1", ControlKind::Frame, QRectF(120, FrameTop, 4665, FrameHeight));
    Frame1->setTitle(QStringLiteral("Scan Steps"));
    QRadioButton** options[] = {&Option5, &Option1, &Option2, &Option3, &Option4};
    for (int i = 0; i < 5; ++i) {
        const tune::ScanStep& step = tune::ScanSteps[i];
        *options[i] = makeControl<QRadioButton>(Frame1, step.name, ControlKind::OptionButton,
                                                QRectF(120 + i * 900, 285, 870, 255));
        (*options[i])->setText(QString::fromLatin1(step.caption));
    }
    scanOptions()[tune::DefaultScanStep]->setChecked(true);
}

std::array<QRadioButton*, 5> frmRigTune::scanOptions() const
{
    return {Option5, Option1, Option2, Option3, Option4};
}

void frmRigTune::setTabOrder()
{
    // The frequency box first, then the window from top to bottom.
    std::vector<QWidget*> order = {txtFreq, Command1};
    order.insert(order.end(), cmdBand.begin(), cmdBand.end());
    order.insert(order.end(), {cmdCW, cmdUSB, cmdLSB, cmdAM, cmdFM, cmdRTTY});
    for (int row = 0; row < 2; ++row)
        for (int column : TuneColumns)
            order.push_back(cmdTune[column + row]);
    order.insert(order.end(), {chkScan, txtFrom, txtTo});
    for (QRadioButton* o : scanOptions())
        order.push_back(o);
    order.push_back(cmdDone);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmRigTune::wireEvents()
{
    for (int i = 0; i < 16; ++i)
        connect(cmdBand[i], &QPushButton::clicked, this, [this, i] { cmdBand_Click(i); });
    for (int i = 0; i < 10; ++i)
        connect(cmdTune[i], &QPushButton::clicked, this, [this, i] { cmdTune_Click(i); });
    connect(cmdCW, &QPushButton::clicked, this, [this] { setMode("CW"); });
    connect(cmdUSB, &QPushButton::clicked, this, [this] { setMode("USB"); });
    connect(cmdLSB, &QPushButton::clicked, this, [this] { setMode("LSB"); });
    connect(cmdAM, &QPushButton::clicked, this, [this] { setMode("AM"); });
    connect(cmdFM, &QPushButton::clicked, this, [this] { setMode("FM"); });
    connect(cmdRTTY, &QPushButton::clicked, this, [this] { setMode("RTTY"); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(txtFreq, &QLineEdit::textChanged, this, [this] { txtFreq_Change(); });
    connect(chkScan, &QCheckBox::toggled, this, [this] { chkScan_Click(); });
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    m_keys = new platform::KeyRouter(this);
    m_keys->setFormKeyPress([this](int& k) { Form_KeyPress(k); });
    m_keys->onKeyPress(txtFreq, [this](int& k) { txtFreq_KeyPress(k); });
    m_keys->onKeyPress(txtFrom, [this](int& k) { boxes_KeyPress(k); });
    m_keys->onKeyPress(txtTo, [this](int& k) { boxes_KeyPress(k); });
    m_keys->attachAll();
}

void frmRigTune::Form_Load()
{
    (void)platform::scaleWindow(this, m_state.services.screen.metrics(), rigTuneRule());
    setFixedSize(size());
    Timer1->start();
    txtFreq->setFocus();
}

void frmRigTune::stopScan()
{
    Timer1->stop();
    chkScan->setChecked(false);
}

void frmRigTune::hideEvent(QHideEvent* event)
{
    // Done and the close box end the window and with it the scan, also
    // while a tune still waits inside one of its handlers.
    Timer1->stop();
    QDialog::hideEvent(event);
}

void frmRigTune::keyPressEvent(QKeyEvent* event)
{
    // The window has no Cancel button: Esc only stops a scan (the window's
    // key handler has done that); it does not close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radio
