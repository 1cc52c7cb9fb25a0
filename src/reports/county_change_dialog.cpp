#include "reports/county_change_dialog.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/scaling.h"
#include "reports/county_check.h"
#include "reports/rover_county_change_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using platform::ControlKind;
using platform::makeControl;

CountyChangeDialog::CountyChangeDialog(app::AppState& state, RoverCountyWindow& rover, QWidget* parent)
    : QDialog(parent), m_state(state), m_rover(rover)
{
    setObjectName(QStringLiteral("CountyChangeDialog"));
    setWindowTitle(QStringLiteral("County Change"));
    platform::setWindowTwipSize(this, 4935, 2235);
    buildControls();
    wireEvents();
}

void CountyChangeDialog::buildControls()
{
    promptLabel = makeControl<QLabel>(this, "promptLabel", ControlKind::Label, QRectF(120, 120, 4215, 255));
    promptLabel->setText(QStringLiteral("Please enter your current county:"));

    countyBox = makeControl<QLineEdit>(this, "countyBox", ControlKind::TextBox,
                                   QRectF(120, 480, 2895, 315));

    countyInvalidMark = makeControl<QLabel>(this, "countyInvalidMark", ControlKind::Label,
                                 QRectF(3120, 480, 1215, 315));
    reports::styleInvalidMark(countyInvalidMark);

    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(1440, 960, 1455, 450));
    doneButton->setText(QStringLiteral("&Done"));

    cmdMultipleCounties = makeControl<QPushButton>(this, "cmdMultipleCounties",
                                                   ControlKind::CommandButton,
                                                   QRectF(120, 1560, 4695, 495));
    cmdMultipleCounties->setText(
        QStringLiteral("&Rovers on County Lines Click to Add Multiple Counties"));

    for (QPushButton* b : {doneButton, cmdMultipleCounties})
        b->setAutoDefault(false);
    setTabOrder(countyBox, doneButton);
    setTabOrder(doneButton, cmdMultipleCounties);
}

void CountyChangeDialog::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(countyBox, [this](int& KeyAscii) { onCountyKeyPress(KeyAscii); });
    reports::filterCountyPastes(countyBox);
    m_keys->onGotFocus(countyBox, [this] { onCountyGotFocus(); });
    m_keys->onLostFocus(countyBox, [this] { onCountyLostFocus(); });
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(cmdMultipleCounties, &QPushButton::clicked, this,
            [this] { onMultipleCountiesClicked(); });
}

void CountyChangeDialog::execModal(QDialog& window) { window.exec(); }

void CountyChangeDialog::showModal(app::AppState& state, RoverCountyWindow& rover, QWidget* parent,
                                const ModalRunner& runner)
{
    CountyChangeDialog dialog(state, rover, parent);
    dialog.onLoad();
    runner(dialog);
}

void CountyChangeDialog::onLoad()
{
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::countyChange(false));
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
    countyBox->setText(m_state.prefs.MyCounty);
}

void CountyChangeDialog::onDoneClicked()
{
    m_state.prefs.MyCounty = m_state.counties.spelling(countyBox->text());
    app::SaveQSOPref(m_state);
    hide();
}

void CountyChangeDialog::onMultipleCountiesClicked()
{
    RoverCountyChangeDialog& rover = m_rover.window();
    rover.countyChangeBox = countyBox;
    showRoverModally(rover);
    rover.countyChangeBox = nullptr;
    onDoneClicked();
}

void CountyChangeDialog::onCountyGotFocus() { countyBox->selectAll(); }

void CountyChangeDialog::onCountyKeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        // Enter takes the box as it stands, without the check that leaving
        // the box runs.
        KeyAscii = 0;
        onDoneClicked();
    }
    reports::applyCountyTypeAhead(m_state.counties, countyBox, KeyAscii);
}

void CountyChangeDialog::onCountyLostFocus()
{
    const bool valid = reports::checkCountyBox(m_state, countyBox, countyInvalidMark);
    CountyInvalidFlag = valid ? 0 : 1;
    if (valid)
        return;
    // The focus is still on its way out of the box; send it back once it has
    // arrived, unless the dialog has closed in the meantime.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            countyBox->setFocus();
    });
}
