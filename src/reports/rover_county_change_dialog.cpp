#include "reports/rover_county_change_dialog.h"

#include "app/app_state.h"
#include "log/instate_score.h"
#include "platform/controls.h"
#include "platform/fresh_text.h"
#include "platform/key_events.h"
#include "platform/scaling.h"
#include "reports/county_check.h"
#include "reports/county_typeahead.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using platform::ControlKind;
using platform::makeControl;

RoverCountyChangeDialog::RoverCountyChangeDialog(app::AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("RoverCountyChangeDialog"));
    setWindowTitle(QStringLiteral("County Change for Rovers"));
    platform::setWindowTwipSize(this, 4935, 3945);
    buildControls();
    wireEvents();
}

void RoverCountyChangeDialog::buildControls()
{
    promptLabel = makeControl<QLabel>(this, "promptLabel", ControlKind::Label, QRectF(120, 120, 4695, 495));
    promptLabel->setText(QStringLiteral(
        "Please enter your current counties.  Click on listed counties to remove."));
    promptLabel->setWordWrap(true);

    hintLabel = makeControl<QLabel>(this, "hintLabel", ControlKind::Label, QRectF(120, 660, 4695, 255));
    hintLabel->setText(QStringLiteral("Type the county and the press enter to add to the list."));

    countyBox = makeControl<QLineEdit>(this, "countyBox", ControlKind::TextBox,
                                   QRectF(120, 1020, 2895, 315));

    countyInvalidMark = makeControl<QLabel>(this, "countyInvalidMark", ControlKind::Label,
                                 QRectF(3120, 1020, 1215, 315));
    reports::styleInvalidMark(countyInvalidMark);

    countyList = makeControl<QListWidget>(this, "countyList", ControlKind::ListBox,
                                     QRectF(120, 1440, 2895, 1950));

    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(3240, 2940, 1455, 450));
    doneButton->setText(QStringLiteral("&Done"));
    doneButton->setAutoDefault(false);

    incrementSerialCheck = makeControl<QCheckBox>(this, "incrementSerialCheck", ControlKind::CheckBox,
                                    QRectF(120, 3510, 3495, 315));
    incrementSerialCheck->setText(QStringLiteral("Increment serial # sent for each"));

    setTabOrder(countyBox, countyList);
    setTabOrder(countyList, doneButton);
    setTabOrder(doneButton, incrementSerialCheck);
}

void RoverCountyChangeDialog::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(countyBox, [this](int& KeyAscii) { onCountyKeyPress(KeyAscii); });
    reports::filterCountyPastes(countyBox);
    m_keys->onGotFocus(countyBox, [this] { onCountyGotFocus(); });
    connect(countyList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { onCountyListClicked(item); });
    connect(incrementSerialCheck, &QCheckBox::clicked, this, [this] { onIncrementSerialClicked(); });
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
}

void RoverCountyChangeDialog::onLoad()
{
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::countyChange(true));
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
    countyBox->setText(m_state.prefs.MyCounty);
}

QStringList RoverCountyChangeDialog::counties() const
{
    QStringList names;
    for (int i = 0; i < countyList->count(); ++i)
        names << countyList->item(i)->text();
    return names;
}

bool RoverCountyChangeDialog::incrementSerial() const { return incrementSerialCheck->isChecked(); }

void RoverCountyChangeDialog::onCountyGotFocus() { countyBox->selectAll(); }

void RoverCountyChangeDialog::onCountyKeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        ValidateRoverCounty();
        if (countyInvalidMark->isHidden())
            AddRoverCounty();
    }
    reports::applyCountyTypeAhead(m_state.counties, countyBox, KeyAscii);
}

void RoverCountyChangeDialog::ValidateRoverCounty()
{
    CountyInvalidFlag = reports::checkCountyBox(m_state, countyBox, countyInvalidMark) ? 0 : 1;
}

void RoverCountyChangeDialog::AddRoverCounty()
{
    const QString county = m_state.counties.spelling(countyBox->text());
    countyList->insertItem(contactlog::alphabeticalInsertIndex(counties(), county), county);
    // Emptied for good: Ctrl+Z brings back nothing for Enter to list again.
    platform::setTextAfresh(countyBox);
}

void RoverCountyChangeDialog::onCountyListClicked(QListWidgetItem* item)
{
    if (!item)
        return;
    delete countyList->takeItem(countyList->row(item));
    doneButton->setFocus();
}

void RoverCountyChangeDialog::onIncrementSerialClicked() { doneButton->setFocus(); }

void RoverCountyChangeDialog::onDoneClicked()
{
    if (countyList->count() > 0 && countyChangeBox)
        countyChangeBox->setText(countyList->item(0)->text());
    hide();
}

RoverCountyWindow::~RoverCountyWindow() = default;

RoverCountyChangeDialog& RoverCountyWindow::window()
{
    if (!m_window) {
        m_window = std::make_unique<RoverCountyChangeDialog>(m_state);
        m_window->onLoad();
    }
    return *m_window;
}

QStringList RoverCountyWindow::counties() const
{
    return m_window ? m_window->counties() : QStringList();
}

bool RoverCountyWindow::incrementSerial() const
{
    return m_window && m_window->incrementSerial();
}

void RoverCountyWindow::unload() { m_window.reset(); }
