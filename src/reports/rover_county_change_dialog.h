#pragma once
// "County Change for Rovers": a rover on a county line lists every county
// they are in at once. The list stays in alphabetical order; its first
// county becomes the operator's own county (through the "County Change"
// dialog), and the in-state logging routine logs each contact once more for
// every further county, reading the list and the "Increment serial # sent
// for each" box directly.
//
// The window is created at its first use and afterwards only hidden, so the
// list and the box keep their state until the in-state main window closes
// (RoverCountyWindow owns it for that window). Closing it with the close box
// only hides it too: the operator's list is never lost by closing.

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

class RoverCountyChangeDialog : public QDialog {
public:
    explicit RoverCountyChangeDialog(app::AppState& state, QWidget* parent = nullptr);

    /// Scales the window and puts the operator's county into the box; run
    /// once, at the window's first use.
    void onLoad();

    /// The counties of the list, in their (alphabetical) order.
    [[nodiscard]] QStringList counties() const;
    /// "Increment serial # sent for each" is ticked.
    [[nodiscard]] bool incrementSerial() const;

    /// The "County Change" box that Done fills with the list's first county;
    /// set by that dialog before it shows this one.
    QPointer<QLineEdit> countyChangeBox;

    /// 1 when the last county check failed, 0 when it passed.
    quint8 CountyInvalidFlag = 0;

    QLabel* promptLabel = nullptr;
    QLabel* hintLabel = nullptr;
    QLineEdit* countyBox = nullptr;
    QLabel* countyInvalidMark = nullptr;  // "   Invalid!"
    QListWidget* countyList = nullptr;
    QCheckBox* incrementSerialCheck = nullptr;
    QPushButton* doneButton = nullptr;

    void ValidateRoverCounty();
    void AddRoverCounty();

private:
    void buildControls();
    void wireEvents();

    void onCountyGotFocus();
    void onCountyKeyPress(int& KeyAscii);
    void onCountyListClicked(QListWidgetItem* item);
    void onIncrementSerialClicked();
    void onDoneClicked();

    app::AppState& m_state;
    platform::KeyRouter* m_keys = nullptr;
};

/// The rover county window of the in-state main window: created and loaded
/// at its first use, kept (hidden) until unload().
class RoverCountyWindow {
public:
    explicit RoverCountyWindow(app::AppState& state) : m_state(state) {}
    ~RoverCountyWindow();
    RoverCountyWindow(const RoverCountyWindow&) = delete;
    RoverCountyWindow& operator=(const RoverCountyWindow&) = delete;

    /// The window, created and loaded at the first call.
    RoverCountyChangeDialog& window();
    [[nodiscard]] bool loaded() const { return m_window != nullptr; }

    /// What the logging routine reads: the list (empty before the window's
    /// first use) and the "Increment serial # sent for each" box.
    [[nodiscard]] QStringList counties() const;
    [[nodiscard]] bool incrementSerial() const;

    /// Discards the window and with it the list (the main window closing).
    void unload();

private:
    app::AppState& m_state;
    std::unique_ptr<RoverCountyChangeDialog> m_window;
};
