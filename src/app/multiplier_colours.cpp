#include "app/multiplier_colours.h"

#include "app/app_state.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/scaling.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace {

const FontSpec LabelFont{QStringLiteral("MS Sans Serif"), 9.75, true};
const FontSpec ButtonFont{QStringLiteral("Arial"), 8.25, true};

void setTextColor(QLabel* label, qint32 color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, platform::vbColorToQColor(color));
    label->setPalette(p);
}

/// The colour dialog starts from black, whatever the current colour.
constexpr qint32 DialogInitialColor = 0;

}  // namespace

MultiplierColoursWindow::MultiplierColoursWindow(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("MultiplierColoursWindow"));
    setWindowTitle(QStringLiteral(" Modify Multiplier Color Selections"));
    platform::setWindowTwipSize(this, 7440, 3180);
    buildControls();
    wireEvents();
}

void MultiplierColoursWindow::buildControls()
{
    // Room for the captions in the substitute fonts, which run wider than
    // the ones the window was first drawn with.
    workedSample = makeControl<QLabel>(this, "workedSample", ControlKind::Label,
                                 QRectF(240, 300, 3960, 375), LabelFont);
    workedSample->setText(QStringLiteral("Appearance of multiplier worked"));
    changeWorkedButton = makeControl<QPushButton>(this, "changeWorkedButton", ControlKind::CommandButton,
                                        QRectF(4320, 240, 2880, 495), ButtonFont);
    changeWorkedButton->setText(QStringLiteral("Change \"Worked\" Color"));

    workedDivider = new platform::LineControl(this);
    workedDivider->setObjectName(QStringLiteral("workedDivider"));
    workedDivider->setLine(120, 960, 7320, 960);

    remainingSample = makeControl<QLabel>(this, "remainingSample", ControlKind::Label,
                                 QRectF(240, 1260, 3960, 375), LabelFont);
    remainingSample->setText(QStringLiteral("Appearance of multiplier remaining"));
    changeRemainingButton = makeControl<QPushButton>(this, "changeRemainingButton", ControlKind::CommandButton,
                                        QRectF(4320, 1200, 2880, 495), ButtonFont);
    changeRemainingButton->setText(QStringLiteral("Change \"Remaining\" Color"));

    remainingDivider = new platform::LineControl(this);
    remainingDivider->setObjectName(QStringLiteral("remainingDivider"));
    remainingDivider->setLine(120, 1920, 7320, 1920);

    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(3112, 2220, 1215, 495), ButtonFont);
    doneButton->setText(QStringLiteral("Done"));

    // Enter presses the button that has the focus, as Space does.
    for (QPushButton* b : {changeWorkedButton, changeRemainingButton, doneButton})
        b->setAutoDefault(true);
}

void MultiplierColoursWindow::wireEvents()
{
    QObject::connect(changeRemainingButton, &QPushButton::clicked, this, [this] { onChangeRemainingClicked(); });
    QObject::connect(changeWorkedButton, &QPushButton::clicked, this, [this] { onChangeWorkedClicked(); });
    QObject::connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
}

void MultiplierColoursWindow::showModal(app::AppState& state, QWidget* parent,
                      const std::function<void(QDialog&)>& run)
{
    MultiplierColoursWindow form(state, parent);
    form.onLoad();
    if (run)
        run(form);
    else
        form.exec();
}

void MultiplierColoursWindow::onLoad()
{
    // This window's scaling has no handler of its own; a failure is reported
    // the way the shared routine reports its own, and the window still opens.
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::multiplierColors());
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));

    setTextColor(workedSample, m_state.prefs.WorkedMultColor);
    setTextColor(remainingSample, m_state.prefs.RemainingMultColor);
}

// Cancel in the colour dialog keeps the colour the operator had; only a
// colour actually chosen replaces it.

void MultiplierColoursWindow::onChangeRemainingClicked()
{
    const auto color = m_state.services.prompt.chooseColor(DialogInitialColor);
    if (!color)
        return;
    m_state.prefs.RemainingMultColor = *color;
    setTextColor(remainingSample, m_state.prefs.RemainingMultColor);
}

void MultiplierColoursWindow::onChangeWorkedClicked()
{
    const auto color = m_state.services.prompt.chooseColor(DialogInitialColor);
    if (!color)
        return;
    m_state.prefs.WorkedMultColor = *color;
    setTextColor(workedSample, m_state.prefs.WorkedMultColor);
}

void MultiplierColoursWindow::onDoneClicked() { hide(); }
