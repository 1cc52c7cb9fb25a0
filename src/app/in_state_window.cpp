// The in-state window's construction: its layout figures, the grid of
// states and provinces with its block headings, and what its loading adds
// to the common frame (list columns, the state/province table, the station
// labels).

#include "app/in_state_window.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/instate_score.h"
#include "log/key_filters.h"
#include "platform/caption_label.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <functional>

using platform::ControlKind;

namespace {

MainWindowBase::Layout inLayout()
{
    MainWindowBase::Layout L;
    L.scoreFirstTop = 440;
    L.scoreLastTop = 2160;
    L.scoreCaptionNames = {"phoneContactsCaption", "cwContactsCaption", "qsoPointsCaption", "multipliersCaption", "scoreCaption", "rate20Caption", "rate60Caption"};
    L.countyHeading = {4560, 2520, 1820, 375};
    L.txtSec = {4560, 2970, 1820, 375};
    L.txtCntry = {2280, 2970, 2220, 375};
    L.newCountryLabel = {3960, 2565, 480, 255};
    L.serialMaxLength = 6;
    L.lblDialog = {0, 3360, 2895, 735};
    L.lblPossDup = {0, 4200, 2895, 375};
    L.cmdDup = {2160, 4260, 660, 255};
    L.lblDupe = {0, 4680, 2895, 615};
    L.firstMultiplierList = {3000, 3600, 1125, 2370};
    L.countiesWorkedList = {4200, 3600, 1125, 2370};
    L.firstListHeading = {3000, 3360, 1125, 240};
    L.countiesWorkedListHeading = {4200, 3360, 1125, 240};
    L.firstListHeadingIndex = 5;
    L.countiesWorkedListHeadingIndex = 8;
    L.multiplierListsLineY = 6000;
    L.lblPostConDate = {960, 3480, 1095, 240};
    L.txtPostConDate = {960, 3720, 1095, 375};
    L.lblPostConTime = {2070, 3480, 795, 240};
    L.txtPostConTime = {2070, 3720, 795, 375};
    L.cmdLogOn = {0, 5360, 1215, 495};
    L.operatingTimeHeading = {120, 5900, 1095, 255};
    L.lblttrack = {120, 6150, 1095, 285};
    L.lblBandSwitch = {1320, 5300, 735, 255};
    L.modeLabel = {1320, 5555, 735, 285};
    L.bandHeading = {1320, 5885, 735, 255};
    L.bandLabel = {1320, 6140, 735, 285};
    L.geoHeadings = {QRectF{2160, 5300, 450, 240}, QRectF{2160, 5560, 780, 240}, QRectF{2160, 6020, 780, 240}};
    L.continentLabel = {2610, 5300, 330, 240};
    L.bearingLabel = {2160, 5800, 780, 240};
    L.distanceLabel = {2160, 6260, 780, 240};
    L.geoShown = true;
    L.ownCallLabel = {3720, 6060, 1215, 375};
    L.nextSerialLabel = {5040, 6060, 735, 375};
    L.ownLocationLabel = {5880, 6060, 1695, 375};
    L.clockTop = 6060;
    return L;
}

struct GridHeading {
    const char* name;
    const char* caption;
    QRectF twips;
};
const GridHeading GridHeadings[] = {
    {"lblSecOne", "1", {6600, 2520, 615, 265}},    {"lblSecTwo", "2", {6600, 3720, 615, 265}},
    {"lblSecThre", "3", {6600, 4440, 615, 265}},   {"lblSecFour", "4", {7320, 2520, 615, 265}},
    {"lblSecFive", "5", {7320, 3960, 615, 265}},   {"gridHeadingSix", "6", {7320, 5085, 615, 265}},
    {"lblSecSix", "7", {8040, 2520, 615, 265}},    {"lblSecEight", "8", {8040, 4200, 615, 265}},
    {"lblSecNine", "9", {8040, 5085, 360, 265}},   {"lblSecZero", "0", {8760, 2520, 735, 265}},
    {"lblSecCA", "Canada", {8760, 3840, 735, 300}},
};

// Mouse movement and clicks over one grid label.
class GridFilter : public QObject {
public:
    GridFilter(QObject* parent, int index, std::function<void(int)> click, std::function<void(int)> move)
        : QObject(parent), m_index(index), m_click(std::move(click)), m_move(std::move(move))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_click(m_index);
        else if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            m_move(m_index);
        return false;
    }

private:
    int m_index;
    std::function<void(int)> m_click;
    std::function<void(int)> m_move;
};

// A typed character that would make the box longer than max is dropped;
// text put in by the program is never cut.
void limitTypedLength(const QLineEdit* box, int max, int& KeyAscii)
{
    if (KeyAscii < 32)
        return;
    if (box->text().size() - box->selectedText().size() >= max)
        KeyAscii = 0;
}

}  // namespace

InStateWindow::InStateWindow(app::AppState& state, app::MainWindowServices& services, QWidget* parent)
    : MainWindowBase(state, services, contactlog::WindowKind::InState, parent)
{
    setObjectName(QStringLiteral("InStateWindow"));
    setWindowTitle(QStringLiteral("Zivudaduri QSO Party - In State"));
    buildFrame(inLayout());
    lblStation[0]->setText(QStringLiteral("Call"));
    lblStation[2] = makeLabel("lblStation(2)", {2280, 2520, 2220, 375}, QStringLiteral("St / Prv / Country"), true);
    // The County heading is dimmed while the entry is no party-state
    // station: its caption greys out.
    QPalette countyHeading = lblStation[4]->palette();
    countyHeading.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    lblStation[4]->setPalette(countyHeading);
    // The box holds a country name of any length that the lookup or the
    // type-ahead puts in; only what the operator types is limited.
    txtCntry->setMaxLength(32767);
    // "New" sits on this heading.
    newCountryLabel->raise();
    lblStation[5]->setText(QStringLiteral("DX"));
    lblStation[8]->setText(QStringLiteral("Cnty Wkd - 0"));
    lblStation[7] = makeLabel("lblStation(7)", {5400, 3360, 1125, 240}, QStringLiteral("Cnty Rem - 0"), true);
    countiesToGoList = platform::makeControl<QListWidget>(m_surface, "countiesToGoList", ControlKind::ListBox,
                                               {5400, 3600, 1125, 2370});
    countiesToGoList->setFont(firstMultiplierList->font());
    countiesToGoList->setFocusPolicy(Qt::ClickFocus);
    buildGrid();

    // The county lists count every mode, or the current mode only.
    countyModesButton = platform::makeControl<platform::CaptionButton>(m_surface, "countyModesButton", ControlKind::CommandButton,
                                                  {2985, 6060, 720, 375},
                                                  platform::FontSpec{QStringLiteral("MS Sans Serif"), 8.25, true});
    countyModesButton->setText(QStringLiteral("All Modes"));
    countyModesButton->setToolTip(QStringLiteral("Counties worked on all modes or on the current mode only."));
    countyModesButton->setFocusPolicy(Qt::NoFocus);

    connect(countyModesButton, &QPushButton::clicked, this, [this] { onCountyModesClicked(); });
    connect(firstMultiplierList, &QListWidget::itemClicked, this, [this] { onDxListClicked(); });
    connect(countiesWorkedList, &QListWidget::itemClicked, this, [this] { onCountiesWorkedClicked(); });
    connect(countiesToGoList, &QListWidget::itemClicked, this, [this] { onCountiesToGoClicked(); });
    connect(txtCntry, &QLineEdit::textChanged, this, [this] { onCountryChanged(); });
    m_keys->onKeyPress(txtCntry, [this](int& k) {
        onCountryKeyPress(k);
        limitTypedLength(txtCntry, contactlog::TypedCountryMax, k);
    });
    platform::filterPastes(txtCntry, [](int& k, QString& before) { contactlog::CountryBoxKey(k, before); });
    m_keys->onGotFocus(txtCntry, [this] { onCountryGotFocus(); });
    m_stateProvAbbrevs = &m_abbrevs;
    finishWiring();
}

void InStateWindow::buildGrid()
{
    for (const GridHeading& h : GridHeadings)
        gridHeadings.push_back(makeLabel(h.name, h.twips, QString::fromLatin1(h.caption), true));
    const auto table = contactlog::StateProvTable();
    for (int i = 1; i <= 64; ++i) {
        const QRectF r = i <= contactlog::StateProvCount
                             ? QRectF(table[static_cast<std::size_t>(i - 1)].grid)
                             : QRectF(7680, 6360, 495, 255);
        QLabel* l = makeLabel(QByteArray("sectionGrid(" + QByteArray::number(i) + ")").constData(), r,
                              QStringLiteral("WWW"));
        QPalette p = l->palette();
        p.setColor(QPalette::Window, QColor(192, 192, 192));
        l->setPalette(p);
        l->setAutoFillBackground(true);
        l->setAlignment(Qt::AlignCenter);
        l->setMouseTracking(true);
        l->installEventFilter(new GridFilter(this, i, [this](int k) { onSectionClicked(k); },
                                             [this](int k) { onSectionMouseMove(k); }));
        if (i > contactlog::StateProvCount)
            l->hide();
        sectionGrid[static_cast<std::size_t>(i)] = l;
    }
    // The frame around the grid.
    const double left = 6555, right = 9480, top = 2400, bottom = 6000;
    const double lines[4][4] = {{left, top, right, top}, {right, top, right, bottom},
                                {left, bottom, right, bottom}, {left, top, left, bottom}};
    for (const auto& l : lines) {
        auto* line = new platform::LineControl(m_surface);
        line->setLine(l[0], l[1], l[2], l[3]);
    }
}

QString InStateWindow::loadDialogText() const { return QStringLiteral("Select a band, mode and Click Log \"Time On\"!"); }

void InStateWindow::buildListColumns()
{
    using C = app::ContactListModel::Column;
    std::vector<C> columns = {C::RecNo, C::Call, C::Rec, C::SPC, C::County, C::Snt, C::DateTime, C::Mo, C::Bnd};
    QStringList headers = {QStringLiteral("Rec#"), QStringLiteral("Call"), QStringLiteral("Rec"),
                           QStringLiteral("SPC"),  QStringLiteral("County"), QStringLiteral("Snt"),
                           QStringLiteral("Date/Time"), QStringLiteral("Mo"), QStringLiteral("Bnd")};
    std::vector<double> widths = {530, 850, 430, 910, 1050, 420, 890, 430, 430};
    if (m_state.prefs.RoverFlag == 1) {
        columns.push_back(C::CountySent);
        headers.append(QStringLiteral("County Sent"));
        widths.push_back(1050);
    } else {
        mnuChangeCounty->setEnabled(false);
    }
    m_listModel->setColumns(columns, headers);
    setColumnWidths(contactListView, widths);
}

void InStateWindow::buildMultiplierTable()
{
    const auto table = contactlog::StateProvTable();
    StateProvAbbrev.assign(101, QString());
    StateProvName.assign(101, QString());
    m_abbrevs.clear();
    for (int i = 1; i <= contactlog::StateProvCount; ++i) {
        const auto& row = table[static_cast<std::size_t>(i - 1)];
        StateProvAbbrev[static_cast<std::size_t>(i)] = row.StateProvAbbrev;
        StateProvName[static_cast<std::size_t>(i)] = row.StateProvName;
        m_abbrevs.push_back(row.StateProvAbbrev);
    }
    StateProvCount = contactlog::StateProvCount;
    for (int i = 1; i <= contactlog::StateProvCount; ++i) {
        sectionGrid[static_cast<std::size_t>(i)]->setText(StateProvAbbrev[static_cast<std::size_t>(i)]);
        sectionGrid[static_cast<std::size_t>(i)]->setToolTip(StateProvName[static_cast<std::size_t>(i)]);
    }
}

void InStateWindow::showStationLabels()
{
    const auto& p = m_state.prefs;
    lblStation[4]->setText(p.PartyState + QStringLiteral(" County"));
    const QString tip = QStringLiteral("Enter ") + p.PartyState +
                        QStringLiteral(" in the St / Prv / Country field to enable the County field");
    lblStation[4]->setToolTip(tip);
    txtSec->setToolTip(tip);
    showOwnCounty(p.MyCounty);
    ownCallLabel->setText(p.MyCall);
}

QLineEdit* InStateWindow::afterSerialBox() const { return txtCntry; }

std::vector<QWidget*> InStateWindow::sameHeightLists() const { return {countiesWorkedList, countiesToGoList}; }

