// Working spots with the mouse: the main window's spot list and band-map
// labels, and the spectrum map they open.
//
// A click works the spot that was shown where the operator clicked. A
// click and a spot that both waited while the program was busy are handled
// spot first, before the maps are redrawn: the store has shifted under the
// labels, so a label names its spot by id, not by slot. The click then takes
// the spot's frequency and call as they are at that moment: tuning lets
// events run while the rig answers, and a spot that arrives then shifts
// every slot of the store (and a row into the top of the list); what is
// tuned and typed must still be the spot that was clicked.

#include "spots/install_spots.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "app/main_windows.h"
#include "platform/number_text.h"
#include "spots/all_bands_window.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QTreeView>
#include <cmath>
#include <limits>

namespace spots {

namespace {

/// The rig tunes only to a real frequency.
void tuneTo(const std::function<void(float&)>& tune, float mhz)
{
    if (mhz > 0 && tune)
        tune(mhz);
}

}  // namespace

void SpotsSubsystem::txtDX_Click(MainWindowBase& window)
{
    window.txtCall->setFocus(Qt::OtherFocusReason);
    QAbstractItemModel* rows = window.txtDX->model();
    if (!rows || rows->rowCount() == 0)
        return;
    const QModelIndex current = window.txtDX->currentIndex();
    if (!current.isValid() || !window.txtDX->selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return;
    const auto number = platform::typedNumber(rows->index(current.row(), 1).data().toString());
    if (!number)
        return;
    // A number beyond what a single-precision value holds tunes nothing.
    const float mhz = std::fabs(*number) <= std::numeric_limits<float>::max() ? static_cast<float>(*number) : 0.0f;
    const QString call = rows->index(current.row(), 0).data().toString();
    QPointer<MainWindowBase> still(&window);
    if (m_state.prefs.RigType.compare(QLatin1String("None"), Qt::CaseInsensitive) != 0)
        tuneTo(tune, mhz);
    if (still)
        still->takeSpotCall(call);
}

void SpotsSubsystem::lblDXSpot_MouseDown(MainWindowBase& window, int Index, int Button)
{
    if (Index < 0 || Index >= SpotStore::Capacity)
        return;
    // The spot the label shows, wherever spots stored since its redraw have
    // moved it; one shifted out of the store meanwhile is clicked no more.
    const int at = display.store().slotOf(window.lblDXSpotShows[static_cast<std::size_t>(Index)]);
    if (at < 0)
        return;
    if (Button != 2) {
        display.store().deleteSpot(at);
        display.DisplayBandMapLabels(window);
        return;
    }
    const SpotSlot& slot = display.store().slot(at);
    const float mhz = slot.SpotFrequency;
    const QString call = slot.SpotCall;
    QPointer<MainWindowBase> still(&window);
    // Whatever the rig type: the rig interface itself does nothing while it
    // is not polling.
    tuneTo(tune, mhz);
    if (still)
        still->takeSpotCall(call);
}

void SpotsSubsystem::showSpectrumMap(MainWindowBase& window)
{
    // One map at a time: the one open already stays.
    if (m_spectrumMap)
        return;
    SpectrumMapLinks links;
    links.tune = tune;
    links.mainWindow = [this] { return m_mainWindows.window(); };
    SpectrumMap map(m_state, display.store(), std::move(links), &window);
    m_spectrumMap = &map;
    map.onLoad();
    if (window.runModal)
        window.runModal(map);
    else
        map.exec();
    m_spectrumMap = nullptr;
}

SpectrumMap* SpotsSubsystem::openSpectrumMap() const { return m_spectrumMap; }

void SpotsSubsystem::unloadSpectrumMap()
{
    if (m_spectrumMap)
        m_spectrumMap->hide();
}

}  // namespace spots
