#include "reports/frmCountyChange.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/scaling.h"
#include "reports/county_check.h"
#include "reports/frmCountyChangeRover.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using platform::ControlKind;
using platform::makeControl;

frmCountyChange::frmCountyChange(app::AppState& state, RoverCountyWindow& rover, QWidget* parent)
    : QDialog(parent), m_state(state), m_rover(rover)
{
    setObjectName(QStringLiteral("frmCountyChange"));
    setWindowTitle(QStringLiteral("County Change"));
    platform::setWindowTwipSize(this, 4935, 2235);
    buildControls();
    wireEvents();
}

void frmCountyChange::buildControls()
{
    Label1 = makeControl<QLabel>(this, "Label1", ControlKind::Label, QRectF(120, 120, 4215, 255));
    Label1->setText(QStringLiteral("Please enter your current county:"));

    Text1 = makeControl<QLineEdit>(this, "Text1", ControlKind::TextBox,
                                   QRectF(120, 480, 2895, 315));

    Label2 = makeControl<QLabel>(this, "Label2", ControlKind::Label,
                                 QRectF(3120, 480, 1215, 315));
    reports::styleInvalidMark(Label2);

    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(1440, 960, 1455, 450));
    Command1->setText(QStringLiteral("&Done"));

    cmdMultipleCounties = makeControl<QPushButton>(this, "cmdMultipleCounties",
                                                   ControlKind::CommandButton,
                                                   QRectF(120, 1560, 4695, 495));
    cmdMultipleCounties->setText(
        QStringLiteral("&Rovers on County Lines Click to Add Multiple Counties"));

    for (QPushButton* b : {Command1, cmdMultipleCounties})
        b->setAutoDefault(false);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, cmdMultipleCounties);
}

void frmCountyChange::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(Text1, [this](int& KeyAscii) { Text1_KeyPress(KeyAscii); });
    m_keys->onGotFocus(Text1, [this] { Text1_GotFocus(); });
    m_keys->onLostFocus(Text1, [this] { Text1_LostFocus(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdMultipleCounties, &QPushButton::clicked, this,
            [this] { cmdMultipleCounties_Click(); });
}

void frmCountyChange::execModal(QDialog& window) { window.exec(); }

void frmCountyChange::showModal(app::AppState& state, RoverCountyWindow& rover, QWidget* parent,
                                const ModalRunner& runner)
{
    frmCountyChange dialog(state, rover, parent);
    dialog.Form_Load();
    runner(dialog);
}

void frmCountyChange::Form_Load()
{
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::countyChange(false));
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
    Text1->setText(m_state.prefs.MyCounty);
}

void frmCountyChange::Command1_Click()
{
    m_state.prefs.MyCounty = Text1->text();
    app::SaveQSOPref(m_state);
    hide();
}

void frmCountyChange::cmdMultipleCounties_Click()
{
    frmCountyChangeRover& rover = m_rover.window();
    rover.countyChangeBox = Text1;
    showRoverModally(rover);
    rover.countyChangeBox = nullptr;
    Command1_Click();
}

void frmCountyChange::Text1_GotFocus() { Text1->selectAll(); }

void frmCountyChange::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        // Enter takes the box as it stands, without the check that leaving
        // the box runs.
        KeyAscii = 0;
        Command1_Click();
    }
    reports::applyCountyTypeAhead(m_state.counties, Text1, KeyAscii);
}

void frmCountyChange::Text1_LostFocus()
{
    const bool valid = reports::checkCountyBox(m_state, Text1, Label2);
    CountyInvalidFlag = valid ? 0 : 1;
    if (valid)
        return;
    // The focus is still on its way out of the box; send it back once it has
    // arrived, unless the dialog has closed in the meantime.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            Text1->setFocus();
    });
}
