#include "app/out_of_state_window.h"

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
    L.scoreCaptionNames = {"phoneContactsCaption", "cwContactsCaption", "qsoPointsCaption", "multipliersCaption", "scoreCaption", "rate20Caption", "rate60Caption"};
    L.countyHeading = {2280, 2520, 2385, 375};
    L.txtSec = {2280, 2970, 2385, 375};
    L.txtCntry = {2280, 2970, 2220, 375};
    L.newCountryLabel = {3960, 2565, 480, 255};
    L.serialMaxLength = 8;
    L.lblDialog = {0, 3360, 4695, 975};
    L.lblPossDup = {0, 4440, 4695, 375};
    L.cmdDup = {3840, 4500, 705, 255};
    L.lblDupe = {0, 4920, 4695, 855};
    L.firstMultiplierList = {7200, 2940, 2205, 2985};
    L.countiesWorkedList = {4920, 2940, 2205, 2985};
    L.firstListHeading = {7200, 2580, 2205, 330};
    L.countiesWorkedListHeading = {4920, 2580, 2205, 330};
    L.firstListHeadingIndex = 7;
    L.countiesWorkedListHeadingIndex = 5;
    L.multiplierListsLineY = 5880;
    L.lblPostConDate = {2520, 3720, 1095, 240};
    L.txtPostConDate = {2520, 3960, 1095, 375};
    L.lblPostConTime = {3690, 3720, 975, 240};
    L.txtPostConTime = {3690, 3960, 975, 375};
    L.operatingTimeHeading = {240, 5880, 1095, 255};
    L.lblttrack = {240, 6135, 1095, 285};
    L.cmdLogOn = {1440, 6000, 1575, 375};
    L.bandHeading = {3240, 5880, 735, 255};
    L.bandLabel = {3240, 6135, 735, 285};
    L.lblBandSwitch = {4080, 5880, 735, 255};
    L.modeLabel = {4080, 6135, 735, 285};
    L.ownCallLabel = {5040, 6000, 1095, 375};
    L.nextSerialLabel = {6240, 6000, 735, 375};
    L.ownLocationLabel = {7080, 6000, 1095, 375};
    L.clockTop = 5920;
    L.geoHeadings = {QRectF{240, 5400, 450, 240}, QRectF{1200, 5400, 780, 240}, QRectF{2160, 5400, 780, 240}};
    L.continentLabel = {690, 5400, 330, 240};
    L.bearingLabel = {1200, 5640, 780, 240};
    L.distanceLabel = {2160, 5640, 780, 240};
    L.geoShown = false;
    return L;
}

}  // namespace

OutOfStateWindow::OutOfStateWindow(app::AppState& state, app::MainWindowServices& services, QWidget* parent)
    : MainWindowBase(state, services, contactlog::WindowKind::OutOfState, parent)
{
    setObjectName(QStringLiteral("OutOfStateWindow"));
    setWindowTitle(QStringLiteral("Zivudaduri QSO Party - Out of State"));
    buildFrame(outLayout());
    lblStation[5]->setText(QStringLiteral("Counties Worked"));
    lblStation[7]->setText(QStringLiteral("Counties To Go"));
    firstMultiplierList->setSortingEnabled(true);
    countiesWorkedList->setSortingEnabled(true);
    txtCntry->hide();
    connect(firstMultiplierList, &QListWidget::itemClicked, this, [this] { onCountiesToGoClicked(); });
    connect(countiesWorkedList, &QListWidget::itemClicked, this, [this] { onCountiesWorkedClicked(); });
    finishWiring();
}

QString OutOfStateWindow::loadDialogText() const
{
    return QStringLiteral("Select a band and mode. Click Log \"Time On\" below!");
}

void OutOfStateWindow::buildListColumns()
{
    using C = app::ContactListModel::Column;
    m_listModel->setColumns({C::RecNo, C::Call, C::Rec, C::County, C::Snt, C::DateTime, C::Mo, C::Bnd},
                            {QStringLiteral("Rec#"), QStringLiteral("Call"), QStringLiteral("Rec"),
                             QStringLiteral("County"), QStringLiteral("Snt"), QStringLiteral("Date/Time"),
                             QStringLiteral("Mo"), QStringLiteral("Bnd")});
    setColumnWidths(contactListView, {550, 1200, 430, 1420, 420, 900, 430, 430});
}

void OutOfStateWindow::showStationLabels()
{
    const auto& p = m_state.prefs;
    ownLocationLabel->setText(p.MySPC.isEmpty() ? p.MyCountry : p.MySPC);
    if (!p.MyCall.isEmpty())
        ownCallLabel->setText(p.MyCall);
}

void OutOfStateWindow::runLoggingRoutine()
{
    const auto result = contactlog::attemptLogContact(m_state.log, entryValues(), loggingContext(),
                                                      m_state.services.clock.now(), m_state.services.clock);
    showLogAttempt(result);
}

void OutOfStateWindow::showStoredContact(const contactlog::LogAttemptResult& result)
{
    const auto scored = contactlog::scoreStoredContact(m_state.log);
    if (!scored.countyAdded)
        return;
    // One county moves from the to-go list to the worked list; the lists
    // keep their own alphabetical order.
    const QString county = m_state.log.contacts.record(result.recordNumber).LogCountyRcvd;
    countiesWorkedList->addItem(county);
    const auto toGo = firstMultiplierList->findItems(county, Qt::MatchFixedString);
    if (!toGo.isEmpty())
        delete firstMultiplierList->takeItem(firstMultiplierList->row(toGo.first()));
    showCountyHeadings();
}

void OutOfStateWindow::refreshAfterReload()
{
    RebuildCountyLists();
    ListRecentContacts();
    ShowQSORate();
    ShowScore();
}

void OutOfStateWindow::RebuildCountyLists()
{
    m_state.log.counties = contactlog::RebuildCountyLists(m_state.log.contacts, m_state.counties);
    showCountyLists();
}

void OutOfStateWindow::showCountyLists()
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
    fill(firstMultiplierList, lists.toGo);
    fill(countiesWorkedList, lists.worked);
    showCountyHeadings();
}

void OutOfStateWindow::showCountyHeadings()
{
    const auto& lists = m_state.log.counties;
    lblStation[5]->setText(contactlog::countiesWorkedHeading(lists));
    lblStation[7]->setText(contactlog::countiesToGoHeading(lists));
}

void OutOfStateWindow::ShowScore()
{
    const auto texts = contactlog::scoreTexts(m_state.log.totals, countiesWorkedList->count());
    lblTotCon->setText(texts.lblTotCon);
    lblSectogo->setText(texts.lblSectogo);
    qsoPointsLabel->setText(texts.qsoPoints);
    lblTotSec->setText(texts.lblTotSec);
    lblTotScore->setText(texts.lblTotScore);
}

void OutOfStateWindow::handKeyOnFromSerial(int& KeyAscii) { onCountyKeyPress(KeyAscii); }

QLineEdit* OutOfStateWindow::afterSerialBox() const { return txtSec; }

void OutOfStateWindow::onCountyGotFocus()
{
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("County"));
}

void OutOfStateWindow::onCountiesToGoClicked()
{
    if (QListWidgetItem* item = firstMultiplierList->currentItem())
        txtSec->setText(item->text());
    txtCall->setFocus();
}

void OutOfStateWindow::onCountiesWorkedClicked()
{
    if (QListWidgetItem* item = countiesWorkedList->currentItem())
        txtSec->setText(item->text());
    txtCall->setFocus();
}
