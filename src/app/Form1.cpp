#include "app/Form1.h"

#include "app/app_state.h"
#include "app/main_window_target.h"
#include "platform/controls.h"

#include <QLabel>
#include <QLineEdit>

using platform::ControlKind;
using platform::makeControl;

Form1::Form1(app::AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("Form1"));
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

void Form1::wireEvents()
{
    QObject::connect(txtCall, &QLineEdit::textChanged, this, [this] { txtCall_Change(); });
}

void Form1::txtCall_Change() {}

void Form1::setMainWindows(app::MainWindowTarget* outOfState, app::MainWindowTarget* inState)
{
    m_outOfState = outOfState;
    m_inState = inState;
}

app::MainWindowTarget* Form1::mainWindow() const
{
    return m_state.prefs.OutOfStateFlag != 0 ? m_outOfState : m_inState;
}

bool Form1::bandMapShown() const { return !lblDX->isHidden(); }

void Form1::setBandMapShown(bool shown) { lblDX->setVisible(shown); }

void Form1::SavePref() { app::SaveQSOPref(m_state); }

// A call that arrives before the main window exists has nowhere to go and
// is dropped; setup opens the main window before any of the callers can run.

void Form1::BandFreqConversion(float& frequencyValue)
{
    if (app::MainWindowTarget* target = mainWindow())
        target->BandFreqConversion(frequencyValue);
}

void Form1::ModeSelection(QString& strMode)
{
    if (app::MainWindowTarget* target = mainWindow())
        target->ModeSelection(strMode);
}

void Form1::PacketResize()
{
    if (app::MainWindowTarget* target = mainWindow())
        target->PacketResize();
}

void Form1::DisplayBandMapLabels()
{
    if (app::MainWindowTarget* target = mainWindow())
        target->DisplayBandMapLabels();
}

void Form1::BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord)
{
    if (app::MainWindowTarget* target = mainWindow())
        target->BandMapSpots(qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}
