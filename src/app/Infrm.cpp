#include "app/Infrm.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/instate_score.h"
#include "log/key_filters.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/key_events.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QMouseEvent>

using platform::ControlKind;

namespace {

MainWindowBase::Layout inLayout()
{
    MainWindowBase::Layout L;
    L.scoreFirstTop = 440;
    L.scoreLastTop = 2160;
    L.scoreCaptionNames = {"Label5", "Label6", "Label26", "Label13", "Label7", "Label8", "Label9"};
    L.countyHeading = {4560, 2520, 1820, 375};
    L.txtSec = {4560, 2970, 1820, 375};
    L.txtCntry = {2280, 2970, 2220, 375};
    L.Label3 = {3960, 2565, 480, 255};
    L.serialMaxLength = 6;
    L.lblDialog = {0, 3360, 2895, 735};
    L.lblPossDup = {0, 4200, 2895, 375};
    L.cmdDup = {2160, 4260, 660, 255};
    L.lblDupe = {0, 4680, 2895, 615};
    L.List1 = {3000, 3600, 1125, 2370};
    L.List2 = {4200, 3600, 1125, 2370};
    L.list1Heading = {3000, 3360, 1125, 240};
    L.list2Heading = {4200, 3360, 1125, 240};
    L.list1HeadingIndex = 6;
    L.list2HeadingIndex = 8;
    L.line3Y = 6000;
    L.lblPostConDate = {960, 3480, 1095, 240};
    L.txtPostConDate = {960, 3720, 1095, 375};
    L.lblPostConTime = {2070, 3480, 795, 240};
    L.txtPostConTime = {2070, 3720, 795, 375};
    L.cmdLogOn = {0, 5360, 1215, 495};
    L.Label12 = {120, 5900, 1095, 255};
    L.lblttrack = {120, 6150, 1095, 285};
    L.lblBandSwitch = {1320, 5300, 735, 255};
    L.Label30 = {1320, 5555, 735, 285};
    L.Label21 = {1320, 5885, 735, 255};
    L.Label24 = {1320, 6140, 735, 285};
    L.geoHeadings = {QRectF{2160, 5300, 450, 240}, QRectF{2160, 5560, 780, 240}, QRectF{2160, 6020, 780, 240}};
    L.Label19 = {2610, 5300, 330, 240};
    L.Label22 = {2160, 5800, 780, 240};
    L.Label23 = {2160, 6260, 780, 240};
    L.geoShown = true;
    L.Label2 = {3720, 6060, 1215, 375};
    L.Label1 = {5040, 6060, 735, 375};
    L.Label25 = {5880, 6060, 1695, 375};
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
    {"lblSecFive", "5", {7320, 3960, 615, 265}},   {"Label14", "6", {7320, 5085, 615, 265}},
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

}  // namespace

Infrm::Infrm(app::AppState& state, app::MainWindowServices& services, QWidget* parent)
    : MainWindowBase(state, services, contactlog::WindowKind::InState, parent)
{
    setObjectName(QStringLiteral("Infrm"));
    setWindowTitle(QStringLiteral("Zivudaduri QSO Party - In State"));
    buildFrame(inLayout());
    lblStation[0]->setText(QStringLiteral("Call"));
    lblStation[2] = makeLabel("lblStation(2)", {2280, 2520, 2220, 375}, QStringLiteral("St / Prv / Country"), true);
    lblStation[6]->setText(QStringLiteral("DX"));
    lblStation[8]->setText(QStringLiteral("Cnty Wkd - 0"));
    lblStation[7] = makeLabel("lblStation(7)", {5400, 3360, 1125, 240}, QStringLiteral("Cnty Rem - 0"), true);
    List3 = platform::makeControl<QListWidget>(m_surface, "List3", ControlKind::ListBox,
                                               {5400, 3600, 1125, 2370});
    List3->setFont(List1->font());
    List3->setFocusPolicy(Qt::ClickFocus);
    for (QListWidget* list : {List1, List2, List3})
        list->setSortingEnabled(true);
    buildGrid();

    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    connect(List3, &QListWidget::itemClicked, this, [this] { List3_Click(); });
    connect(txtCntry, &QLineEdit::textChanged, this, [this] { txtCntry_Change(); });
    m_keys->onKeyPress(txtCntry, [this](int& k) { txtCntry_KeyPress(k); });
    m_keys->onGotFocus(txtCntry, [this] { txtCntry_GotFocus(); });
    m_stateProvAbbrevs = &m_abbrevs;
    finishWiring();
}

void Infrm::buildGrid()
{
    for (const GridHeading& h : GridHeadings)
        gridHeadings.push_back(makeLabel(h.name, h.twips, QString::fromLatin1(h.caption), true));
    const auto table = contactlog::StateProvTable();
    for (int i = 1; i <= 64; ++i) {
        const QRectF r = i <= contactlog::StateProvCount
                             ? QRectF(table[static_cast<std::size_t>(i - 1)].grid)
                             : QRectF(7680, 6360, 495, 255);
        QLabel* l = makeLabel(QByteArray("Label10(" + QByteArray::number(i) + ")").constData(), r,
                              QStringLiteral("WWW"));
        QPalette p = l->palette();
        p.setColor(QPalette::Window, QColor(192, 192, 192));
        l->setPalette(p);
        l->setAutoFillBackground(true);
        l->setAlignment(Qt::AlignCenter);
        l->setMouseTracking(true);
        l->installEventFilter(new GridFilter(this, i, [this](int k) { Label10_Click(k); },
                                             [this](int k) { Label10_MouseMove(k); }));
        if (i > contactlog::StateProvCount)
            l->hide();
        Label10[static_cast<std::size_t>(i)] = l;
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

QString Infrm::loadDialogText() const { return QStringLiteral("Select a band, mode and Click Log \"Time On\"!"); }

void Infrm::buildListColumns()
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
    setColumnWidths(ListView1, widths);
}

void Infrm::buildMultiplierTable()
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
        Label10[static_cast<std::size_t>(i)]->setText(StateProvAbbrev[static_cast<std::size_t>(i)]);
        Label10[static_cast<std::size_t>(i)]->setToolTip(StateProvName[static_cast<std::size_t>(i)]);
    }
}

void Infrm::showStationLabels()
{
    const auto& p = m_state.prefs;
    lblStation[4]->setText(p.PartyState + QStringLiteral(" County"));
    const QString tip = QStringLiteral("Enter ") + p.PartyState +
                        QStringLiteral(" in the St / Prv / Country field to enable the County field");
    lblStation[4]->setToolTip(tip);
    txtSec->setToolTip(tip);
    Label25->setText(p.MyCounty);
    Label25_Change();
    Label2->setText(p.MyCall);
}

void Infrm::Mains()
{
    platform::ReentryGuard guard(mainsRunningFlag());
    if (!guard.entered())
        return;
    const auto result = contactlog::attemptLogContact(m_state.log, entryValues(), loggingContext(),
                                                      m_state.services.clock.now(), m_state.services.clock);
    if (result.continentNA && Label19->text().isEmpty())
        Label19->setText(QStringLiteral("NA"));
    showLogAttempt(result);
}

void Infrm::showStoredContact(const contactlog::LogAttemptResult& result)
{
    (void)result;
    const auto effects =
        contactlog::applyStoredInStateContact(m_state.log, m_dxList, !Label3->isHidden(), false);
    if (effects.sectionRowMarked > 0)
        colourSection(effects.sectionRowMarked, true);
    showMultiplierLists();
}

void Infrm::refreshAfterReload()
{
    for (int i = 1; i <= contactlog::StateProvCount; ++i)
        colourSection(i, false);
    const auto rebuilt = contactlog::RebuildInStateMultipliers(m_state.log, m_state.counties, std::nullopt);
    for (int row : rebuilt.sectionsWorked)
        colourSection(row, true);
    m_dxList = rebuilt.dxList;
    showMultiplierLists();
    ShowQSORate();
    ShowScore();
    ListRecentContacts();
}

void Infrm::colourSection(int row, bool worked)
{
    if (row < 1 || row > contactlog::StateProvCount)
        return;
    QLabel* l = Label10[static_cast<std::size_t>(row)];
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, platform::vbColorToQColor(worked ? m_state.prefs.WorkedMultColor
                                                                      : m_state.prefs.RemainingMultColor));
    l->setPalette(p);
}

void Infrm::showMultiplierLists()
{
    auto fill = [](QListWidget* box, const std::vector<QString>& names) {
        box->clear();
        QStringList items;
        for (const QString& n : names)
            items.append(n);
        box->addItems(items);
    };
    fill(List1, m_dxList.names);
    fill(List2, m_state.log.counties.worked);
    fill(List3, m_state.log.counties.toGo);
    lblStation[6]->setText(contactlog::dxCaption(m_dxList));
    lblStation[8]->setText(contactlog::countiesWorkedCaption(m_state.log.counties));
    lblStation[7]->setText(contactlog::countiesRemainingCaption(m_state.log.counties));
}

void Infrm::ShowScore()
{
    const auto texts = contactlog::ShowScore(m_state.log);
    lblTotCon->setText(texts.lblTotCon);
    lblSectogo->setText(texts.lblSectogo);
    Label27->setText(texts.Label27);
    lblTotSec->setText(texts.lblTotSec);
    lblTotScore->setText(texts.lblTotScore);
}

void Infrm::handKeyOnFromSerial(int& KeyAscii)
{
    contactlog::UpperCaseKey(KeyAscii);
    txtCntry_KeyPress(KeyAscii);
}

QLineEdit* Infrm::afterSerialBox() const { return txtCntry; }

void Infrm::txtCntry_KeyPress(int& KeyAscii)
{
    auto& log = m_state.log;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
        return;
    }
    const int caret = txtCntry->hasSelectedText() ? txtCntry->selectionStart() : txtCntry->cursorPosition();
    if (KeyAscii == 32 && caret == 0 && log.KeyCarryState == 0) {
        KeyAscii = 0;
        txtSec->setFocus();
        return;
    }
    if (log.KeyCarryState == 3) {
        // A letter typed in the serial box starts this box.
        txtCntry->setText(QString(QChar(static_cast<char16_t>(KeyAscii))));
        txtCntry->setCursorPosition(1);
        log.KeyCarryState = 0;
        return;
    }
    if (KeyAscii != 32 && KeyAscii != 0 && caret == 0)
        txtCntry->clear();
    if (txtCntry->text().isEmpty() || caret <= 1)
        contactlog::UpperCaseKey(KeyAscii);
}

void Infrm::txtCntry_GotFocus()
{
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("SPC"));
    if (txtCntry->text().isEmpty()) {
        txtCntry->setText(m_state.prefs.PartyState);
        txtCntry->selectAll();
    }
}

void Infrm::txtCntry_Change()
{
    Label3->hide();
    const QString text = txtCntry->text();
    lblStation[4]->setEnabled(text.compare(m_state.prefs.PartyState, Qt::CaseInsensitive) == 0);
    if (contactlog::isNewDxCountry(text, m_dxList))
        Label3->show();
}

void Infrm::txtSec_GotFocus()
{
    // The county box belongs to stations in the party state only.
    if (txtCntry->text().compare(m_state.prefs.PartyState, Qt::CaseInsensitive) != 0) {
        txtCall->setFocus();
        lblStation[4]->setEnabled(false);
    } else {
        lblStation[4]->setEnabled(true);
    }
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("County"));
}

void Infrm::afterBandOrModeChange()
{
    if (!txtCall->text().isEmpty())
        txtCntry_Change();
}

std::vector<QWidget*> Infrm::sameHeightLists() const { return {List2, List3}; }

void Infrm::Label25_Change() { m_state.log.OperatorCountyText = Label25->text(); }

void Infrm::Label10_Click(int index) { txtCntry->setText(Label10[static_cast<std::size_t>(index)]->text()); }

void Infrm::Label10_MouseMove(int index)
{
    const QString caption = Label10[static_cast<std::size_t>(index)]->text();
    int count = 0;
    for (const auto& r : m_state.log.contacts.records())
        if (r.LogSPC.compare(caption, Qt::CaseInsensitive) == 0)
            ++count;
    const double points = m_state.services.screen.metrics().widthTwips * 8 / 9600 *
                          m_state.prefs.FormSizePercent / 100;
    if (points > 0) {
        QFont f = lblDupe->font();
        f.setPointSizeF(points);
        lblDupe->setFont(f);
    }
    const QString name = index <= contactlog::StateProvCount && index < static_cast<int>(StateProvName.size())
                             ? StateProvName[static_cast<std::size_t>(index)]
                             : QString();
    lblDupe->setText(QStringLiteral("  ") + name + QStringLiteral("    Total =") + QLatin1Char(' ') +
                     QString::number(count));
}

void Infrm::List1_Click()
{
    if (QListWidgetItem* item = List1->currentItem())
        txtCntry->setText(item->text());
    txtCntry->setFocus();
}

void Infrm::List2_Click()
{
    if (QListWidgetItem* item = List2->currentItem())
        txtSec->setText(item->text());
    txtCntry->setText(m_state.prefs.PartyState);
    txtSec->setFocus();
}

void Infrm::List3_Click()
{
    if (QListWidgetItem* item = List3->currentItem())
        txtSec->setText(item->text());
    txtCntry->setText(m_state.prefs.PartyState);
    txtSec->setFocus();
}
