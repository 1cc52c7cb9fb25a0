#include "radio/tune_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
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

TuneWindow::TuneWindow(app::AppState& state, RigTuneLinks links, QWidget* parent)
    : QDialog(parent), m_state(state), m_links(std::move(links))
{
    setObjectName(QStringLiteral("TuneWindow"));
    setWindowTitle(QStringLiteral(" Change Frequency and Mode (Ctrl G (Go))"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    buildControls();
    scanTimer = new QTimer(this);
    scanTimer->setObjectName(QStringLiteral("scanTimer"));
    scanTimer->setInterval(ScanIntervalMs);
    wireEvents();
}

TuneWindow::~TuneWindow() = default;

void TuneWindow::buildControls()
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

void TuneWindow::buildPresetsAndModes()
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
    frequencyLabel = label(this, "frequencyLabel", "Frequency in MHz:", QRectF(120, FrequencyTop + 75, 1455, 255));
    txtFreq = makeControl<QLineEdit>(this, "txtFreq", ControlKind::TextBox,
                                     QRectF(1620, FrequencyTop + 30, 2040, 315));
    goButton = button(this, QStringLiteral("goButton"), QStringLiteral("&Go"),
                      QRectF(3780, FrequencyTop, 960, ButtonHeight));
}

void TuneWindow::buildTuneRows()
{
    upLabel = label(this, "upLabel", " UP", QRectF(120, TuneTop + 60, 555, 255));
    downLabel = label(this, "downLabel", " Down", QRectF(120, TuneTop + TuneRowGap + 60, 555, 255));
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

void TuneWindow::buildScanLine()
{
    chkScan = makeControl<QCheckBox>(this, "chkScan", ControlKind::CheckBox, QRectF(120, ScanTop + 30, 900, 255));
    chkScan->setText(QStringLiteral("Scan"));
    fromLabel = label(this, "fromLabel", "From:", QRectF(1140, ScanTop + 60, 525, 255));
    txtFrom = makeControl<QLineEdit>(this, "txtFrom", ControlKind::TextBox, QRectF(1680, ScanTop, 1155, 315));
    txtFrom->setText(QStringLiteral("1.8"));
    toLabel = label(this, "toLabel", "To:", QRectF(3000, ScanTop + 60, 375, 255));
    txtTo = makeControl<QLineEdit>(this, "txtTo", ControlKind::TextBox, QRectF(3420, ScanTop, 1320, 315));
    txtTo->setText(QStringLiteral("54"));

    scanStepGroup = makeControl<QGroupBox>(this, "scanStepGroup", ControlKind::Frame, QRectF(120, FrameTop, 4665, FrameHeight));
    scanStepGroup->setTitle(QStringLiteral("Scan Steps"));
    QRadioButton** options[] = {&scanStep2500Hz, &scanStep500Hz, &scanStep100Hz, &scanStep30Hz, &scanStep10Hz};
    for (int i = 0; i < 5; ++i) {
        const tune::ScanStep& step = tune::ScanSteps[i];
        *options[i] = makeControl<QRadioButton>(scanStepGroup, step.name, ControlKind::OptionButton,
                                                QRectF(120 + i * 900, 285, 870, 255));
        (*options[i])->setText(QString::fromLatin1(step.caption));
    }
    scanOptions()[tune::DefaultScanStep]->setChecked(true);
}

std::array<QRadioButton*, 5> TuneWindow::scanOptions() const
{
    return {scanStep2500Hz, scanStep500Hz, scanStep100Hz, scanStep30Hz, scanStep10Hz};
}

void TuneWindow::setTabOrder()
{
    // The frequency box first, then the window from top to bottom.
    std::vector<QWidget*> order = {txtFreq, goButton};
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

void TuneWindow::wireEvents()
{
    for (int i = 0; i < 16; ++i)
        connect(cmdBand[i], &QPushButton::clicked, this, [this, i] { onBandClicked(i); });
    for (int i = 0; i < 10; ++i)
        connect(cmdTune[i], &QPushButton::clicked, this, [this, i] { onTuneStepClicked(i); });
    connect(cmdCW, &QPushButton::clicked, this, [this] { setMode("CW"); });
    connect(cmdUSB, &QPushButton::clicked, this, [this] { setMode("USB"); });
    connect(cmdLSB, &QPushButton::clicked, this, [this] { setMode("LSB"); });
    connect(cmdAM, &QPushButton::clicked, this, [this] { setMode("AM"); });
    connect(cmdFM, &QPushButton::clicked, this, [this] { setMode("FM"); });
    connect(cmdRTTY, &QPushButton::clicked, this, [this] { setMode("RTTY"); });
    connect(goButton, &QPushButton::clicked, this, [this] { onGoClicked(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(txtFreq, &QLineEdit::textChanged, this, [this] { onFrequencyChanged(); });
    connect(chkScan, &QCheckBox::toggled, this, [this] { onScanClicked(); });
    connect(scanTimer, &QTimer::timeout, this, [this] { onScanTick(); });

    m_keys = new platform::KeyRouter(this);
    m_keys->setFormKeyPress([this](int& k) { onKeyPress(k); });
    m_keys->onKeyPress(txtFreq, [this](int& k) { onFrequencyKeyPress(k); });
    m_keys->onKeyPress(txtFrom, [this](int& k) { onBoxKeyPress(k); });
    m_keys->onKeyPress(txtTo, [this](int& k) { onBoxKeyPress(k); });
    // A paste gives each box what typing the same characters gives it.
    for (QLineEdit* box : {txtFreq, txtFrom, txtTo})
        platform::filterPastes(box, [](int& k) {
            if (!tune::keyPasses(k))
                k = 0;
        });
    m_keys->attachAll();
}

void TuneWindow::onLoad()
{
    (void)platform::scaleWindow(this, m_state.services.screen.metrics(), rigTuneRule());
    setFixedSize(size());
    scanTimer->start();
    txtFreq->setFocus();
}

void TuneWindow::stopScan()
{
    scanTimer->stop();
    chkScan->setChecked(false);
}

void TuneWindow::hideEvent(QHideEvent* event)
{
    // Done and the close box end the window and with it the scan, also
    // while a tune still waits inside one of its handlers.
    scanTimer->stop();
    QDialog::hideEvent(event);
}

void TuneWindow::keyPressEvent(QKeyEvent* event)
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
