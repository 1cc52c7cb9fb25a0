// Band and mode: the menus, the status-row labels and the rig's hand-over;
// and the small entry menus (Clear, Recall, List Previous Contacts).

#include "app/main_window_base.h"

#include "platform/events.h"

#include "app/app_state.h"
#include "app/form_size.h"
#include "log/contest_bands.h"
#include "log/recent_contacts.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <array>

namespace {

// The Band menu's bands, in its order.
const char* bandName(std::size_t index) { return contactlog::ContestBands[index].name; }

}  // namespace

void MainWindowBase::onBand160Clicked() { selectBand(0); }
void MainWindowBase::onBand80Clicked() { selectBand(1); }
void MainWindowBase::onBand40Clicked() { selectBand(2); }
void MainWindowBase::onBand20Clicked() { selectBand(3); }
void MainWindowBase::onBand15Clicked() { selectBand(4); }
void MainWindowBase::onBand10Clicked() { selectBand(5); }
void MainWindowBase::onBand6Clicked() { selectBand(6); }
void MainWindowBase::onBand2Clicked() { selectBand(7); }
void MainWindowBase::onCwModeClicked() { selectMode(QStringLiteral("CW")); }
void MainWindowBase::onPhoneModeClicked() { selectMode(QStringLiteral("PH")); }

void MainWindowBase::selectBand(int index)
{
    const QString band = QString::fromLatin1(bandName(static_cast<std::size_t>(index)));
    m_state.prefs.CurrentBand = band;
    ResetBandMenus();
    bandItems[static_cast<std::size_t>(index)]->setChecked(true);
    bandLabel->setText(band);
    app::SaveQSOPref(m_state);
    // The displays depend on the band: the possible duplicates, the dupe
    // warnings and the lists are read afresh.
    ReloadLog();
}

void MainWindowBase::ResetBandMenus()
{
    for (QAction* item : bandItems)
        item->setChecked(false);
    if (!txtDX->isHidden() || !lblDX->isHidden()) {
        m_services.SetBandMapScale(*this);
        if (!lblDX->isHidden())
            m_services.DisplayBandMapLabels(*this);
    }
    afterBandOrModeChange();
}

void MainWindowBase::selectMode(const QString& mode)
{
    m_state.prefs.CurrentMode = mode;
    modeLabel->setText(mode);
    app::SaveQSOPref(m_state);
    ReloadLog();
    mnu160->setChecked(mode == QStringLiteral("CW"));
    mnuSSB->setChecked(mode == QStringLiteral("PH"));
    mnuDigital->setChecked(false);
    afterBandOrModeChange();
}

void MainWindowBase::onBandClicked()
{
    for (std::size_t i = 0; i < contactlog::ContestBands.size(); ++i) {
        if (m_state.prefs.CurrentBand.compare(QString::fromLatin1(bandName(i)), Qt::CaseInsensitive) == 0) {
            selectBand(static_cast<int>((i + 1) % contactlog::ContestBands.size()));
            return;
        }
    }
}

void MainWindowBase::onModeClicked()
{
    if (m_state.prefs.CurrentMode.compare(QStringLiteral("CW"), Qt::CaseInsensitive) == 0)
        onPhoneModeClicked();
    else
        onCwModeClicked();
}

void MainWindowBase::BandFreqConversion(float& frequencyValue)
{
    if (m_mainsRunning) {
        m_deferredFrequency = frequencyValue;
        return;
    }
    if (const int i = contactlog::contestBandIndex(frequencyValue); i >= 0) {
        if (QString::fromLatin1(bandName(static_cast<std::size_t>(i))) != m_state.prefs.CurrentBand)
            selectBand(i);
    }
    // "#####.##0": three decimals, no leading zero before the point.
    QString text = QString::number(static_cast<double>(frequencyValue), 'f', 3);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    m_state.log.RigFrequencyText = text;
}

void MainWindowBase::ModeSelection(QString& strMode)
{
    if (m_mainsRunning) {
        m_deferredMode = strMode;
        return;
    }
    if (strMode.isEmpty() || strMode.compare(m_state.prefs.CurrentMode, Qt::CaseInsensitive) == 0)
        return;
    if (strMode == QStringLiteral("PH"))
        onPhoneModeClicked();
    else if (strMode == QStringLiteral("CW"))
        onCwModeClicked();
}

void MainWindowBase::applyDeferredRigChanges()
{
    if (m_deferredFrequency) {
        float frequency = *m_deferredFrequency;
        m_deferredFrequency.reset();
        BandFreqConversion(frequency);
    }
    if (m_deferredMode) {
        QString mode = *m_deferredMode;
        m_deferredMode.reset();
        ModeSelection(mode);
    }
}

void MainWindowBase::Mains()
{
    {
        platform::ReentryGuard guard(m_mainsRunning);
        if (!guard.entered())
            return;
        runLoggingRoutine();
    }
    applyDeferredRigChanges();
}

void MainWindowBase::PacketResize() { m_services.PacketResize(*this); }

void MainWindowBase::FitListHeights() { app::FitListHeights(frame()); }

void MainWindowBase::DisplayBandMapLabels() { m_services.DisplayBandMapLabels(*this); }

void MainWindowBase::BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord)
{
    m_services.BandMapSpots(*this, qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void MainWindowBase::onClearClicked() { ClearEntryFields(); }

void MainWindowBase::onListPreviousClicked()
{
    // The item's check mark has already changed with the click; the mark is
    // the live option and the preference its saved copy.
    m_state.prefs.ListPreviousFlag = mnuListPrevious->isChecked() ? 1 : 0;
    app::SaveQSOPref(m_state);
}

void MainWindowBase::onRecallClicked()
{
    const auto& log = m_state.log.contacts;
    if (log.ContactCount() < 1)
        return;
    const auto& last = log.record(log.ContactCount());
    // The recalled contact is a new one: nothing the boxes held before it
    // can be undone back into them.
    forgetEntryEdits();
    txtCall->setText(last.LogCall);
    txtSec->setFocus();
    txtSec->setSelection(0, static_cast<int>(txtSec->text().size()));
    if (contactlog::isNumericText(last.LogSerialRcvd))
        txtRSTR->setText(last.LogSerialRcvd);
}
