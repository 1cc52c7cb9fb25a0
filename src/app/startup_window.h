#pragma once
// The start-up window: never seen. Its loading is the program's start: it
// records the program folder, shows the logo, prepares the per-user folders
// and the shared preferences, and hands over to the station setup window.

#include "app/station_setup_window.h"
#include "app/user_folders.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class LogoWindow;
class StationSetupWindow;

namespace app {
struct AppState;
}

class StartupWindow : public QWidget {
public:
    StartupWindow(app::AppState& state, app::UserFolderEnvironment env, QWidget* parent = nullptr);

    /// Runs the whole start-up up to the setup window.
    void onLoad();

    /// Shows the logo window and waits until it closes (a test may close it
    /// at once).
    std::function<void(LogoWindow&)> showLogoModal;

    /// The setup window opened by the hand-over.
    [[nodiscard]] StationSetupWindow* setupWindow() const { return m_setup; }

private:
    app::AppState& m_state;
    app::UserFolderEnvironment m_env;
    QPointer<StationSetupWindow> m_setup;
};
