#include "app/Outfrm.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/log_totals.h"
#include "platform/events.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>

namespace {

MainWindowBase::Layout outLayout()
{
    MainWindowBase::Layout L;
    L.scoreFirstTop = 440;
    L.scoreLastTop = 2280;
    L.scoreCaptionNames = {"Label5", "Label10", "Label26", "Label13", "Label7", "Label8", "Label9"};
    L.countyHeading = {2280, 2520, 2385, 375};
    L.txtSec = {2280, 2970, 2385, 375};
    L.txtCntry = {2280, 2970, 2220, 375};
    L.Label3 = {3960, 2565, 480, 255};
    L.serialMaxLength = 8;
    L.lblDialog = {0, 3360, 4695, 975};
    L.lblPossDup = {0, 4440, 4695, 375};
    L.cmdDup = {3840, 4500, 705, 255};
    L.lblDupe = {0, 4920, 4695, 855};
    L.List1 = {7200, 2940, 2205, 2985};
    L.List2 = {4920, 2940, 2205, 2985};
    L.list1Heading = {7200, 2580, 2205, 330};
    L.list2Heading = {4920, 2580, 2205, 330};
    L.list1HeadingIndex = 7;
    L.list2HeadingIndex = 5;
    L.line3Y = 5880;
    L.lblPostConDate = {2520, 3720, 1095, 240};
    L.txtPostConDate = {2520, 3960, 1095, 375};
    L.lblPostConTime = {3690, 3720, 975, 240};
    L.txtPostConTime = {3690, 3960, 975, 375};
    L.Label12 = {240, 5880, 1095, 255};
    L.lblttrack = {240, 6135, 1095, 285};
    L.cmdLogOn = {1440, 6000, 1575, 375};
    L.Label21 = {3240, 5880, 735, 255};
    L.Label24 = {3240, 6135, 735, 285};
    L.lblBandSwitch = {4080, 5880, 735, 255};
    L.Label30 = {4080, 6135, 735, 285};
    L.Label2 = {5040, 6000, 1095, 375};
    L.Label1 = {6240, 6000, 735, 375};
    L.Label25 = {7080, 6000, 1095, 375};
    L.clockTop = 5920;
    L.geoHeadings = {QRectF{240, 5400, 450, 240}, QRectF{1200, 5400, 780, 240}, QRectF{2160, 5400, 780, 240}};
    L.Label19 = {690, 5400, 330, 240};
    L.Label22 = {1200, 5640, 780, 240};
    L.Label23 = {2160, 5640, 780, 240};
    L.geoShown = false;
    return L;
}

}  // namespace

Outfrm::Outfrm(app::AppState& state, app::MainWindowServices& services, QWidget* parent)
    : MainWindowBase(state, services, contactlog::WindowKind::OutOfState, parent)
{
    setObjectName(QStringLiteral("Outfrm"));
    setWindowTitle(QStringLiteral("Zivudaduri QSO Party - Out of State"));
    buildFrame(outLayout());
    lblStation[5]->setText(QStringLiteral("Counties Worked"));
    lblStation[7]->setText(QStringLiteral("Counties To Go"));
    List1->setSortingEnabled(true);
    List2->setSortingEnabled(true);
    txtCntry->hide();
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    finishWiring();
}

QString Outfrm::loadDialogText() const
{
    return QStringLiteral("Select a band and mode. Click Log \"Time On\" below!");
}

void Outfrm::buildListColumns()
{
    using C = app::ContactListModel::Column;
    m_listModel->setColumns({C::RecNo, C::Call, C::Rec, C::County, C::Snt, C::DateTime, C::Mo, C::Bnd},
                            {QStringLiteral("Rec#"), QStringLiteral("Call"), QStringLiteral("Rec"),
                             QStringLiteral("County"), QStringLiteral("Snt"), QStringLiteral("Date/Time"),
                             QStringLiteral("Mo"), QStringLiteral("Bnd")});
    setColumnWidths(ListView1, {550, 1200, 430, 1420, 420, 900, 430, 430});
}

void Outfrm::showStationLabels()
{
    const auto& p = m_state.prefs;
    Label25->setText(p.MySPC.isEmpty() ? p.MyCountry : p.MySPC);
    if (!p.MyCall.isEmpty())
        Label2->setText(p.MyCall);
}

void Outfrm::runLoggingRoutine()
{
    const auto result = contactlog::attemptLogContact(m_state.log, entryValues(), loggingContext(),
                                                      m_state.services.clock.now(), m_state.services.clock);
    showLogAttempt(result);
}

void Outfrm::showStoredContact(const contactlog::LogAttemptResult& result)
{
    const auto scored = contactlog::scoreStoredContact(m_state.log);
    if (!scored.countyAdded)
        return;
    // One county moves from the to-go list to the worked list; the lists
    // keep their own alphabetical order.
    const QString county = m_state.log.contacts.record(result.recordNumber).LogCountyRcvd;
    List2->addItem(county);
    const auto toGo = List1->findItems(county, Qt::MatchFixedString);
    if (!toGo.isEmpty())
        delete List1->takeItem(List1->row(toGo.first()));
    showCountyHeadings();
}

void Outfrm::refreshAfterReload()
{
    RebuildCountyLists();
    ListRecentContacts();
    ShowQSORate();
    ShowScore();
}

void Outfrm::RebuildCountyLists()
{
    m_state.log.counties = contactlog::RebuildCountyLists(m_state.log.contacts, m_state.counties);
    showCountyLists();
}

void Outfrm::showCountyLists()
{
    const auto& lists = m_state.log.counties;
    auto fill = [](QListWidget* box, const std::vector<QString>& names) {
        box->clear();
        QStringList items;
        items.reserve(static_cast<qsizetype>(names.size()));
        for (const QString& n : names)
            items.append(n);
        box->addItems(items);
    };
    fill(List1, lists.toGo);
    fill(List2, lists.worked);
    showCountyHeadings();
}

void Outfrm::showCountyHeadings()
{
    const auto& lists = m_state.log.counties;
    lblStation[5]->setText(contactlog::countiesWorkedHeading(lists));
    lblStation[7]->setText(contactlog::countiesToGoHeading(lists));
}

void Outfrm::ShowScore()
{
    const auto texts = contactlog::scoreTexts(m_state.log.totals, List2->count());
    lblTotCon->setText(texts.lblTotCon);
    lblSectogo->setText(texts.lblSectogo);
    Label27->setText(texts.Label27);
    lblTotSec->setText(texts.lblTotSec);
    lblTotScore->setText(texts.lblTotScore);
}

void Outfrm::handKeyOnFromSerial(int& KeyAscii) { txtSec_KeyPress(KeyAscii); }

QLineEdit* Outfrm::afterSerialBox() const { return txtSec; }

void Outfrm::txtSec_GotFocus()
{
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("County"));
}

void Outfrm::List1_Click()
{
    if (QListWidgetItem* item = List1->currentItem())
        txtSec->setText(item->text());
    txtCall->setFocus();
}

void Outfrm::List2_Click()
{
    if (QListWidgetItem* item = List2->currentItem())
        txtSec->setText(item->text());
    txtCall->setFocus();
}
