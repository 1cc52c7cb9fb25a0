// The in-state multipliers and score: the grid of states and provinces, the
// lists of DX countries, counties worked and counties remaining, the score
// panel, and the clicks on the grid and the lists.

#include "app/Infrm.h"

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

void Infrm::refreshAfterReload()
{
    for (int i = 1; i <= contactlog::StateProvCount; ++i)
        colourSection(i, false);
    std::optional<QString> onlyMode;
    if (Command1->text() == CurrentModeOnly)
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

void Infrm::showStoredContact(const contactlog::LogAttemptResult& result)
{
    (void)result;
    countStoredContact(false);
}

void Infrm::countStoredContact(bool roverCopy)
{
    // The "New" label tells whether the country was new when it was typed:
    // only then does it join the DX list while logging. A rover's copy was
    // not typed: the label then belongs to whatever the boxes hold by now,
    // and the contact itself has already joined the list if it was new.
    const bool newCountry = !roverCopy && !Label3->isHidden();
    const auto effects =
        contactlog::applyStoredInStateContact(m_state.log, m_dxList, newCountry, roverCopy);
    if (effects.sectionRowMarked > 0)
        colourSection(effects.sectionRowMarked, true);
    if (effects.countyAdded || effects.dxAdded)
        showMultiplierLists();
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
    fillSorted(List1, m_dxList.names);
    fillSorted(List2, m_state.log.counties.worked);
    fillSorted(List3, m_state.log.counties.toGo);
    lblStation[5]->setText(contactlog::dxCaption(m_dxList));
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

void Infrm::Command1_Click()
{
    Command1->setText(Command1->text() == AllModes ? CurrentModeOnly : AllModes);
    txtCall->setFocus();
    platform::letPendingEventsRun();
    ReloadLog();
}

void Infrm::Label10_Click(int index) { txtCntry->setText(Label10[static_cast<std::size_t>(index)]->text()); }

void Infrm::Label10_MouseMove(int index)
{
    const QString caption = Label10[static_cast<std::size_t>(index)]->text();
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
