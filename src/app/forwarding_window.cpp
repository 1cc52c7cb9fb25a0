#include "app/forwarding_window.h"

#include "app/app_state.h"
#include "app/main_window_target.h"
#include "platform/controls.h"

#include <QLabel>
#include <QLineEdit>

using platform::ControlKind;
using platform::makeControl;

ForwardingWindow::ForwardingWindow(app::AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("ForwardingWindow"));
    // The AGW Packet Engine start reads this caption as the program's name.
    setWindowTitle(QStringLiteral("Form1"));
    // A fixed default font, so that the tune window's font scaling has the
    // same base on every machine.
    platform::setFontSpec(this, platform::FontSpec{});
    platform::setWindowTwipSize(this, 4800, 3600);

    lblDX = makeControl<QLabel>(this, "lblDX", ControlKind::Label, QRectF(240, 240, 1215, 255));
    lblDX->setText(QStringLiteral("DX"));
    lblDX->hide();
    txtCall = makeControl<QLineEdit>(this, "txtCall", ControlKind::TextBox,
                                     QRectF(240, 720, 1815, 285));
    wireEvents();
}

void ForwardingWindow::wireEvents()
{
    QObject::connect(txtCall, &QLineEdit::textChanged, this, [this] { onCallChanged(); });
}

void ForwardingWindow::onCallChanged() {}

void ForwardingWindow::setMainWindows(app::MainWindowTarget* outOfState, app::MainWindowTarget* inState)
{
    m_outOfState = outOfState;
    m_inState = inState;
}

app::MainWindowTarget* ForwardingWindow::mainWindow() const
{
    return m_state.prefs.OutOfStateFlag != 0 ? m_outOfState : m_inState;
}

bool ForwardingWindow::bandMapShown() const { return !lblDX->isHidden(); }

void ForwardingWindow::setBandMapShown(bool shown) { lblDX->setVisible(shown); }

void ForwardingWindow::SavePref() { app::SaveQSOPref(m_state); }

// A call that arrives before the main window exists has nowhere to go and
// is dropped; setup opens the main window before any of the callers can run.

void ForwardingWindow::BandFreqConversion(float& frequencyValue)
{
    if (app::MainWindowTarget* target = mainWindow())
        target->BandFreqConversion(frequencyValue);
}

void ForwardingWindow::ModeSelection(QString& strMode)
{
    if (app::MainWindowTarget* target = mainWindow())
        target->ModeSelection(strMode);
}

void ForwardingWindow::PacketResize()
{
    if (app::MainWindowTarget* target = mainWindow())
        target->PacketResize();
}

void ForwardingWindow::DisplayBandMapLabels()
{
    if (app::MainWindowTarget* target = mainWindow())
        target->DisplayBandMapLabels();
}

void ForwardingWindow::BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord)
{
    if (app::MainWindowTarget* target = mainWindow())
        target->BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}
