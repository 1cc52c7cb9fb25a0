#pragma once
// The hand-over from the setup window to the main window of the operator's
// location, which lives for the rest of the run.

namespace app {

struct AppState;

class MainWindows {
public:
    explicit MainWindows(AppState& state) : m_state(state) {}
    /// Opens the out-of-state or the in-state main window, by OutOfStateFlag.
    void open();

private:
    AppState& m_state;
};

}  // namespace app
