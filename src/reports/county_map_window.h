#pragma once
// The county map: an outline map of the party state's 58 counties on which
// every county the open main window lists as worked is painted in a colour
// of its own, chosen at random. Resting the mouse on a county shows its
// name. While the log is empty a hint says that counties change colour
// when worked.
//
// A main window's Map menu creates the window, shows it modally
// (showModal) and discards it. The painting runs once, from a one-shot
// timer, right after the window is shown; it paints into the picture the
// window keeps, so the colours stay until the window closes.

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <array>
#include <functional>

class QLabel;
class QTimer;

namespace app {
struct AppState;
}

/// The map picture, drawn from the image it holds.
class CountyMapPicture : public QWidget {
public:
    explicit CountyMapPicture(QWidget* parent);
    QImage image;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class CountyMapWindow : public QDialog {
public:
    /// worked: the main window's list of counties worked, read when the
    /// painting runs.
    CountyMapWindow(app::AppState& state, std::function<QStringList()> worked, QWidget* parent = nullptr);

    /// Places the window, gives each county rectangle its tool tip, hides the
    /// hint when the log holds contacts and starts the one-shot timer.
    void onLoad();
    /// The start timer's tick: stops the timer and paints the counties.
    void onPaintTick();

    using ModalRunner = std::function<void(QDialog& window)>;
    static void showModal(app::AppState& state, std::function<QStringList()> worked, QWidget* parent,
                          const ModalRunner& runner);

    CountyMapPicture* mapPicture = nullptr;
    std::array<QLabel*, 58> lblCounty{};
    QLabel* hintLabel = nullptr;  ///< the hint
    QTimer* paintTimer = nullptr;

private:
    /// Paints the counties of the main window's worked list.
    void PaintCounties();

    app::AppState& m_state;
    std::function<QStringList()> m_worked;
};
