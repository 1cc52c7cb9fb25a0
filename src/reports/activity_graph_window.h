#pragma once
// The activity graph: the contact rate over the whole log as one curve of
// QSOs per hour, the band strip under it, 15 time and date labels along the
// bottom and 17 rate labels up the left, and a button that switches between
// a black and a white background.
//
// A main window's Graph menu creates the window, shows it modally
// (showModal) and discards it: every opening computes the graph afresh from
// the contact log (reports::computeRateGraph). The curve and the strip are
// drawn into an image the window keeps, so covering, uncovering or moving
// the window never loses them.

#include "reports/rate_graph.h"

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace app {
struct AppState;
}
namespace platform {
class LineControl;
}

namespace reports {

/// Where the graph is drawn, in pixels of the window.
struct GraphGeometry {
    double left = 0, right = 0, top = 0, bottom = 0;  ///< the plot's frame
    double stripTop = 0, stripBottom = 0;             ///< the band strip
};

/// Draws the curve and the band strip of a complete graph into image.
void paintRateGraph(QImage& image, const RateGraph& graph, const GraphGeometry& geometry);

}  // namespace reports

class ActivityGraphWindow : public QDialog {
public:
    explicit ActivityGraphWindow(app::AppState& state, QWidget* parent = nullptr);

    /// Scales the window to the screen's work area, then draws the graph.
    void onLoad();
    /// Computes the graph from the contact log and draws it.
    void DrawRateGraph();

    using ModalRunner = std::function<void(QDialog& window)>;
    /// Builds, loads and shows the window modally, then discards it.
    static void showModal(app::AppState& state, QWidget* parent, const ModalRunner& runner);

    /// The window's drawing: background, curve and strip.
    [[nodiscard]] const QImage& image() const { return m_image; }
    [[nodiscard]] QColor background() const { return m_background; }
    /// The last graph computed.
    [[nodiscard]] const reports::RateGraph& graph() const { return m_graph; }

    // The plot's frame and the band strip's top and bottom.
    platform::LineControl *plotTopLine = nullptr, *plotBottomLine = nullptr;
    platform::LineControl *plotRightLine = nullptr, *plotLeftLine = nullptr;
    platform::LineControl *stripTopLine = nullptr, *stripBottomLine = nullptr;
    std::array<platform::LineControl*, 15> gridLines{};  ///< the grid, top to bottom
    std::array<QLabel*, 17> lblY{};
    QLabel* bandLabel = nullptr;  ///< "Band "
    std::array<QLabel*, 15> lblTime{};
    std::array<QLabel*, 15> lblDate{};
    std::array<QLabel*, 7> lblBnd{};
    QPushButton* backgroundButton = nullptr;

    void onBackgroundClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void scaleToWorkArea();
    void setTextColor(QLabel* label, const QColor& color);
    [[nodiscard]] std::vector<platform::LineControl*> lines() const;

    app::AppState& m_state;
    QColor m_background{Qt::black};
    QImage m_image;
    reports::RateGraph m_graph;
};
