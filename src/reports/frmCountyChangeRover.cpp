#include "reports/frmCountyChangeRover.h"

#include "app/app_state.h"
#include "log/instate_score.h"
#include "platform/controls.h"
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

frmCountyChangeRover::frmCountyChangeRover(app::AppState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmCountyChangeRover"));
    setWindowTitle(QStringLiteral("County Change for Rovers"));
    platform::setWindowTwipSize(this, 4935, 3945);
    buildControls();
    wireEvents();
}

void frmCountyChangeRover::buildControls()
{
    Label1 = makeControl<QLabel>(this, "Label1", ControlKind::Label, QRectF(120, 120, 4695, 495));
    Label1->setText(QStringLiteral(
        "Please enter your current counties.  Click on listed counties to remove."));
    Label1->setWordWrap(true);

    Label3 = makeControl<QLabel>(this, "Label3", ControlKind::Label, QRectF(120, 660, 4695, 255));
    Label3->setText(QStringLiteral("Type the county and the press enter to add to the list."));

    Text1 = makeControl<QLineEdit>(this, "Text1", ControlKind::TextBox,
                                   QRectF(120, 1020, 2895, 315));

    Label2 = makeControl<QLabel>(this, "Label2", ControlKind::Label,
                                 QRectF(3120, 1020, 1215, 315));
    reports::styleInvalidMark(Label2);

    List1 = makeControl<QListWidget>(this, "List1", ControlKind::ListBox,
                                     QRectF(120, 1440, 2895, 1950));

    Command1 = makeControl<QPushButton>(this, "Command1", ControlKind::CommandButton,
                                        QRectF(3240, 2940, 1455, 450));
    Command1->setText(QStringLiteral("&Done"));
    Command1->setAutoDefault(false);

    Check1 = makeControl<QCheckBox>(this, "Check1", ControlKind::CheckBox,
                                    QRectF(120, 3510, 3495, 315));
    Check1->setText(QStringLiteral("Increment serial # sent for each"));

    setTabOrder(Text1, List1);
    setTabOrder(List1, Command1);
    setTabOrder(Command1, Check1);
}

void frmCountyChangeRover::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(Text1, [this](int& KeyAscii) { Text1_KeyPress(KeyAscii); });
    m_keys->onGotFocus(Text1, [this] { Text1_GotFocus(); });
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List1_Click(item); });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmCountyChangeRover::Form_Load()
{
    const QString error = platform::scaleWindow(this, m_state.services.screen.metrics(),
                                                platform::ScaleRule::countyChange(true));
    if (!error.isEmpty())
        m_state.services.prompt.message(error, QStringLiteral("Form Resize Error"));
    Text1->setText(m_state.prefs.MyCounty);
}

QStringList frmCountyChangeRover::counties() const
{
    QStringList names;
    for (int i = 0; i < List1->count(); ++i)
        names << List1->item(i)->text();
    return names;
}

bool frmCountyChangeRover::incrementSerial() const { return Check1->isChecked(); }

void frmCountyChangeRover::Text1_GotFocus() { Text1->selectAll(); }

void frmCountyChangeRover::Text1_KeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        ValidateRoverCounty();
        if (Label2->isHidden())
            AddRoverCounty();
    }
    reports::applyCountyTypeAhead(m_state.counties, Text1, KeyAscii);
}

void frmCountyChangeRover::ValidateRoverCounty()
{
    CountyInvalidFlag = reports::checkCountyBox(m_state, Text1, Label2) ? 0 : 1;
}

void frmCountyChangeRover::AddRoverCounty()
{
    const QString county = Text1->text();
    List1->insertItem(contactlog::alphabeticalInsertIndex(counties(), county), county);
    Text1->clear();
}

void frmCountyChangeRover::List1_Click(QListWidgetItem* item)
{
    if (!item)
        return;
    delete List1->takeItem(List1->row(item));
    Command1->setFocus();
}

void frmCountyChangeRover::Check1_Click() { Command1->setFocus(); }

void frmCountyChangeRover::Command1_Click()
{
    if (List1->count() > 0 && countyChangeBox)
        countyChangeBox->setText(List1->item(0)->text());
    hide();
}

RoverCountyWindow::~RoverCountyWindow() = default;

frmCountyChangeRover& RoverCountyWindow::window()
{
    if (!m_window) {
        m_window = std::make_unique<frmCountyChangeRover>(m_state);
        m_window->Form_Load();
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
