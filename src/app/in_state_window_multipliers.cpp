// The in-state multipliers and score: the grid of states and provinces, the
// lists of DX countries, counties worked and counties remaining, the score
// panel, and the clicks on the grid and the lists.

#include "app/in_state_window.h"

#include "app/app_state.h"
#include "log/instate_score.h"
#include "platform/colors.h"
#include "platform/events.h"
#include "platform/screen.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

namespace {

const QString AllModes = QStringLiteral("All Modes");
const QString CurrentModeOnly = QStringLiteral("Crnt Mode");

// The lists are in alphabetical order with letter case ignored, as the
// operator reads them; equal names keep the order they came in.
void fillSorted(QListWidget* box, const std::vector<QString>& names)
{
    QStringList items;
    for (const QString& n : names)
        items.append(n);
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    box->clear();
    box->addItems(items);
}

}  // namespace

void InStateWindow::refreshAfterReload()
{
    for (int i = 1; i <= contactlog::StateProvCount; ++i)
        colourSection(i, false);
    std::optional<QString> onlyMode;
    if (countyModesButton->text() == CurrentModeOnly)
        onlyMode = m_state.prefs.CurrentMode;
    const auto rebuilt = contactlog::RebuildInStateMultipliers(m_state.log, m_state.counties, onlyMode);
    for (int row : rebuilt.sectionsWorked)
        colourSection(row, true);
    m_dxList = rebuilt.dxList;
    showMultiplierLists();
    ShowQSORate();
    ShowScore();
    ListRecentContacts();
}

void InStateWindow::showStoredContact(const contactlog::LogAttemptResult& result)
{
    (void)result;
    countStoredContact(false);
}

void InStateWindow::countStoredContact(bool roverCopy)
{
    // The "New" label tells whether the country was new when it was typed:
    // only then does it join the DX list while logging. A rover's copy was
    // not typed: the label then belongs to whatever the boxes hold by now,
    // and the contact itself has already joined the list if it was new.
    const bool newCountry = !roverCopy && !newCountryLabel->isHidden();
    const auto effects =
        contactlog::applyStoredInStateContact(m_state.log, m_dxList, newCountry, roverCopy);
    if (effects.sectionRowMarked > 0)
        colourSection(effects.sectionRowMarked, true);
    if (effects.countyAdded || effects.dxAdded)
        showMultiplierLists();
}

void InStateWindow::colourSection(int row, bool worked)
{
    if (row < 1 || row > contactlog::StateProvCount)
        return;
    QLabel* l = sectionGrid[static_cast<std::size_t>(row)];
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, platform::vbColorToQColor(worked ? m_state.prefs.WorkedMultColor
                                                                      : m_state.prefs.RemainingMultColor));
    l->setPalette(p);
}

void InStateWindow::showMultiplierLists()
{
    fillSorted(firstMultiplierList, m_dxList.names);
    fillSorted(countiesWorkedList, m_state.log.counties.worked);
    fillSorted(countiesToGoList, m_state.log.counties.toGo);
    lblStation[5]->setText(contactlog::dxCaption(m_dxList));
    lblStation[8]->setText(contactlog::countiesWorkedCaption(m_state.log.counties));
    lblStation[7]->setText(contactlog::countiesRemainingCaption(m_state.log.counties));
}

void InStateWindow::ShowScore()
{
    const auto texts = contactlog::ShowScore(m_state.log);
    lblTotCon->setText(texts.lblTotCon);
    lblSectogo->setText(texts.lblSectogo);
    qsoPointsLabel->setText(texts.qsoPoints);
    lblTotSec->setText(texts.lblTotSec);
    lblTotScore->setText(texts.lblTotScore);
}

void InStateWindow::onCountyModesClicked()
{
    countyModesButton->setText(countyModesButton->text() == AllModes ? CurrentModeOnly : AllModes);
    txtCall->setFocus();
    platform::letPendingEventsRun();
    ReloadLog();
}

void InStateWindow::onSectionClicked(int index) { txtCntry->setText(sectionGrid[static_cast<std::size_t>(index)]->text()); }

void InStateWindow::onSectionMouseMove(int index)
{
    const QString caption = sectionGrid[static_cast<std::size_t>(index)]->text();
    int count = 0;
    for (const auto& r : m_state.log.contacts.records())
        if (r.LogSPC.compare(caption, Qt::CaseInsensitive) == 0)
            ++count;
    sizeDupeLine(8);
    const QString name = index <= contactlog::StateProvCount && index < static_cast<int>(StateProvName.size())
                             ? StateProvName[static_cast<std::size_t>(index)]
                             : QString();
    lblDupe->setText(QStringLiteral("  ") + name + QStringLiteral("    Total =") + QLatin1Char(' ') +
                     QString::number(count));
}

void InStateWindow::onDxListClicked()
{
    if (QListWidgetItem* item = firstMultiplierList->currentItem())
        txtCntry->setText(item->text());
    txtCntry->setFocus();
}

void InStateWindow::onCountiesWorkedClicked()
{
    if (QListWidgetItem* item = countiesWorkedList->currentItem())
        txtSec->setText(item->text());
    txtCntry->setText(m_state.prefs.PartyState);
    txtSec->setFocus();
}

void InStateWindow::onCountiesToGoClicked()
{
    if (QListWidgetItem* item = countiesToGoList->currentItem())
        txtSec->setText(item->text());
    txtCntry->setText(m_state.prefs.PartyState);
    txtSec->setFocus();
}
