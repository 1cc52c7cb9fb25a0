// The activity graph's drawing: the computed graph into the labels and the
// window's image.

#include "reports/activity_graph_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/screen.h"

#include <QLabel>
#include <QPainter>
#include <cmath>

namespace reports {

void paintRateGraph(QImage& image, const RateGraph& graph, const GraphGeometry& g)
{
    if (graph.stage != GraphStage::Complete)
        return;
    // The geometry is in twips of the window; the image in pixels.
    constexpr double px = 1.0 / platform::TwipsPerPixel;
    const double w = (g.right - g.left) / GraphColumns;
    const double scale = (g.bottom - g.top) / static_cast<double>(graph.RateMax - graph.RateMin) * 0.995;
    const double lift = (g.bottom - g.top) * 0.0025;
    auto x = [&](int i) { return g.left + (i - 2) * w + 10; };
    auto y = [&](float v) { return g.bottom - static_cast<double>(v - graph.RateMin) * scale - lift; };
    const int stripTop = static_cast<int>(std::lround(g.stripTop * px));
    const int stripHeight = static_cast<int>(std::lround(g.stripBottom * px)) - stripTop + 1;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0, 255), 0));
    for (int i = 1; i <= GraphColumns; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const float now = graph.PlotRate[at];
        const float before = graph.PlotRate[at - 1];
        painter.drawLine(QPointF(x(i) * px, y(now) * px), QPointF((x(i) - w) * px, y(before) * px));
        if (now > 0 || before > 0) {
            const int from = static_cast<int>(std::lround((x(i) - w) * px));
            const int to = static_cast<int>(std::lround(x(i) * px));
            painter.fillRect(QRect(from, stripTop, to - from + 1, stripHeight), QColor::fromRgb(graph.ColumnColor[at]));
        }
    }
}

}  // namespace reports

void ActivityGraphWindow::DrawRateGraph()
{
    const auto& records = m_state.log.contacts.records();
    if (static_cast<int>(records.size()) < reports::GraphMinimumContacts) {
        m_state.services.prompt.message(
            QStringLiteral("The graph will not display with less than 7 contacts.  The graph becomes more "
                           "meaningful as several hours of contest logging are accumulated."),
            QStringLiteral("Not Enough Contacts to Graph."));
        return;
    }
    reports::BandColors bands{};
    for (std::size_t k = 0; k < bands.size(); ++k)
        bands[k] = lblBnd[k]->palette().color(QPalette::WindowText).rgb();
    m_graph = reports::computeRateGraph(records, m_background.rgb(), bands);

    using reports::GraphStage;
    const GraphStage stage = m_graph.stage;
    if (stage == GraphStage::TooFewContacts || stage == GraphStage::NoMoment)
        return;
    for (std::size_t k = 0; k < lblTime.size(); ++k) {
        lblTime[k]->setText(m_graph.timeLabels[k]);
        lblDate[k]->setText(m_graph.dateLabels[k]);
    }
    if (stage == GraphStage::TimeLabelsOnly)
        return;
    for (std::size_t k = 0; k < lblY.size(); ++k)
        lblY[k]->setText(m_graph.rateLabels[k]);
    if (stage != GraphStage::Complete)
        return;
    reports::GraphGeometry geometry;
    geometry.left = plotLeftLine->X1();
    geometry.right = plotRightLine->X1();
    geometry.top = plotTopLine->Y1();
    geometry.bottom = plotBottomLine->Y1();
    geometry.stripTop = stripTopLine->Y1();
    geometry.stripBottom = stripBottomLine->Y1();
    reports::paintRateGraph(m_image, m_graph, geometry);
    update();
}
