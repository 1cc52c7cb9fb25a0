#include "spots/spot_display.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "platform/controls.h"
#include "spots/band_map.h"
#include "spots/spot_country.h"

#include <QLabel>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>

namespace spots {

namespace {

/// The clock's local time with its offset from UTC fixed, so that ageing
/// the spots at every redraw needs no time-zone work.
QDateTime localNow(const app::AppState& state)
{
    const QDateTime now = state.services.clock.now();
    return now.toOffsetFromUtc(now.offsetFromUtc());
}

}  // namespace

void SpotDisplay::SetBandMapScale(MainWindowBase& window)
{
    const BandMapScale scale = spots::SetBandMapScale(m_state.prefs.CurrentBand, m_store);
    for (std::size_t k = 0; k < 5; ++k)
        window.lblFreqSpot[k]->setText(scale.captions[k]);
}

void SpotDisplay::DisplayBandMapLabels(MainWindowBase& window)
{
    if (window.lblDX->isHidden())
        return;
    for (QLabel* l : window.lblDXSpot)
        l->hide();
    window.lblDXSpotShows.fill(0);
    SetBandMapScale(window);

    const ScaleEdges edges = edgesFromCaptions(window.lblFreqSpot[0]->text(), window.lblFreqSpot[4]->text());
    BandMapGeometry g;
    g.lineX1 = window.LineDX->X1();
    g.lineX2 = window.LineDX->X2();
    g.lineY1 = window.LineDX->Y1();
    g.windowHeight = platform::windowTwipGeometry(&window).height();
    const QSizeF labelSize = platform::twipGeometry(window.lblDXSpot[0]).size();
    const auto placements = placeSpotLabels(m_store, edges, g, labelSize, localNow(m_state),
                                            m_state.prefs.UtcOffsetHours);
    for (const SpotLabelPlacement& p : placements) {
        QLabel* l = window.lblDXSpot[static_cast<std::size_t>(p.slot)];
        window.lblDXSpotShows[static_cast<std::size_t>(p.slot)] = p.spot;
        l->setToolTip(p.tooltip);
        l->setText(p.caption);
        const QRectF old = platform::twipGeometry(l);
        platform::setTwipGeometry(l, QRectF(p.left, p.top, old.width(), old.height()));
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, p.color);
        l->setPalette(palette);
        l->show();
        l->raise();
    }
}

void SpotDisplay::BandMapSpots(MainWindowBase& window, QString& qDXSpotCall, QString& qDXSpotFreq,
                               QString& qDXSpotRecord)
{
    const auto mhz = spotFrequencyMHz(qDXSpotFreq);
    if (!mhz)
        return;
    qDXSpotRecord = recordBeforeCR(qDXSpotRecord);
    // The caller's frequency comes back in MHz.
    qDXSpotFreq = frequencyColumnText(*mhz);
    m_store.store(qDXSpotCall, static_cast<float>(*mhz), localNow(m_state));

    // The list row waits for the end of the burst: a spot list with 200 rows
    // pays for each row it drops, so a burst of a thousand spots inserts only
    // the 200 newest and drops the old rows once.
    if (m_listWindow != &window)
        flushSpotList();
    m_listWindow = &window;
    m_pendingRows.push_back({qDXSpotCall, *mhz, qDXSpotRecord});
    scheduleRedraw(window);
}

void SpotDisplay::scheduleRedraw(MainWindowBase& window)
{
    // One redraw for the whole burst, after the event that brought it.
    m_redrawWindow = &window;
    if (!m_redrawPending) {
        m_redrawPending = true;
        QTimer::singleShot(0, &window, [this] { flushRedraw(); });
    }
}

void SpotDisplay::flushRedraw()
{
    flushSpotList();
    if (!m_redrawPending)
        return;
    m_redrawPending = false;
    if (m_redrawWindow && !m_redrawWindow->lblDX->isHidden())
        DisplayBandMapLabels(*m_redrawWindow);
    if (redrawSpectrumMap)
        redrawSpectrumMap();
}

void SpotDisplay::flushSpotList()
{
    const std::vector<PendingRow> pending = std::move(m_pendingRows);
    m_pendingRows.clear();
    if (pending.empty() || !m_listWindow)
        return;
    auto* model = qobject_cast<QStandardItemModel*>(m_listWindow->txtDX->model());
    if (!model)
        return;
    // Inserted one by one, each spot would push the bottom row out once the
    // list is full: only the newest MaxListRows of old and new rows stay.
    const int fresh = static_cast<int>(std::min<std::size_t>(pending.size(), MaxListRows));
    const int kept = std::min(model->rowCount(), MaxListRows - fresh);
    if (model->rowCount() > kept)
        model->removeRows(kept, model->rowCount() - kept);
    for (std::size_t i = pending.size() - static_cast<std::size_t>(fresh); i < pending.size(); ++i) {
        const PendingRow& p = pending[i];
        const SpotListRow row = spotListRow(p.call, p.mhz, p.record, spotCountry(m_state.countryPrefixes, p.call));
        QList<QStandardItem*> items;
        for (int c = 0; c < SpotListRow::Columns; ++c) {
            auto* item = new QStandardItem(row.text[static_cast<std::size_t>(c)]);
            item->setEditable(false);
            if (c == 1)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            else if (c == 3)
                item->setTextAlignment(Qt::AlignCenter);
            items.append(item);
        }
        model->insertRow(0, items);
    }
}

}  // namespace spots
