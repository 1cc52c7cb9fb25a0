#include "app/Form6.h"

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

Form6::Form6(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral(" Modify Multiplier Color Selections"));
    platform::setWindowTwipSize(this, 7440, 3180);
    buildControls();
    wireEvents();
}

void Form6::buildControls()
{
    // Room for the captions in the substitute fonts, which run wider than
    // the ones the window was first drawn with.
    Label1 = makeControl<QLabel>(this, "Label1", ControlKind::Label,
                                 QRectF(240, 300, 3960, 375), LabelFont);
    Label1->setText(QStringLiteral("Appearance of multiplier worked"));
    Command3 = makeControl<QPushButton>(this, "Command3", ControlKind::CommandButton,
                                        QRectF(4320, 240, 2880, 495), ButtonFont);
    Command3->setText(QStringLiteral("Change \"Worked\" Color"));

    Line1 = new platform::LineControl(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setLine(120, 960, 7320, 960);

    Label2 = makeControl<QLabel>(this, "Label2", ControlKind::Label,
                                 QRectF(240, 1260, 3960, 375), LabelFont);
    Label2->setText(QStringLiteral("Appearance of multiplier remaining"));
    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(4320, 1200, 2880, 495), ButtonFont);
    Command1->setText(QStringLiteral("Change \"Remaining\" Color"));

    Line2 = new platform::LineControl(this);
    Line2->setObjectName(QStringLiteral("Line2"));
    Line2->setLine(120, 1920, 7320, 1920);

    Command6 = makeControl<QPushButton>(this, "Command6", ControlKind::CommandButton,
                                        QRectF(3112, 2220, 1215, 495), ButtonFont);
    Command6->setText(QStringLiteral("Done"));

    // Enter presses the button that has the focus, as Space does.
    for (QPushButton* b : {Command3, Command1, Command6})
        b->setAutoDefault(true);
}

void Form6::wireEvents()
{
    QObject::connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    QObject::connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    QObject::connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
}

void Form6::showModal(app::AppState& state, QWidget* parent,
                      const std::function<void(QDialog&)>& run)
{
    Form6 form(state, parent);
    form.Form_Load();
    if (run)
        run(form);
    else
        form.exec();
}

void Form6::Form_Load()
{
    // This window's scaling has no handler of its own; a failure is reported
    // the way the shared routine reports its own, and the window still opens.
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::multiplierColors());
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));

    setTextColor(Label1, m_state.prefs.WorkedMultColor);
    setTextColor(Label2, m_state.prefs.RemainingMultColor);
}

// Cancel in the colour dialog keeps the colour the operator had; only a
// colour actually chosen replaces it.

void Form6::Command1_Click()
{
    const auto color = m_state.services.prompt.chooseColor(DialogInitialColor);
    if (!color)
        return;
    m_state.prefs.RemainingMultColor = *color;
    setTextColor(Label2, m_state.prefs.RemainingMultColor);
}

void Form6::Command3_Click()
{
    const auto color = m_state.services.prompt.chooseColor(DialogInitialColor);
    if (!color)
        return;
    m_state.prefs.WorkedMultColor = *color;
    setTextColor(Label1, m_state.prefs.WorkedMultColor);
}

void Form6::Command6_Click() { hide(); }
