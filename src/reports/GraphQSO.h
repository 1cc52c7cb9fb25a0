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

class GraphQSO : public QDialog {
public:
    explicit GraphQSO(app::AppState& state, QWidget* parent = nullptr);

    /// Scales the window to the screen's work area, then draws the graph.
    void Form_Load();
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

    // The frame lines: Line4 left, Line3 right, Line1 top, Line2 bottom,
    // Line8 and Line9 the band strip's top and bottom; the rest the grid.
    platform::LineControl *Line1 = nullptr, *Line2 = nullptr, *Line3 = nullptr, *Line4 = nullptr;
    platform::LineControl *Line8 = nullptr, *Line9 = nullptr;
    std::array<platform::LineControl*, 15> gridLines{};  ///< Line5 to Line7, Line10 to Line21
    std::array<QLabel*, 17> lblY{};
    QLabel* Label1 = nullptr;  ///< "Band "
    std::array<QLabel*, 15> lblTime{};
    std::array<QLabel*, 15> lblDate{};
    std::array<QLabel*, 7> lblBnd{};
    QPushButton* Command1 = nullptr;

    void Command1_Click();

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
