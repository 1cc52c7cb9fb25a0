#pragma once
// The out-of-state main window: an operator outside the party state works
// the party state's counties. Its multipliers are the counties worked, shown
// beside the counties still to go; everything else is the main windows'
// common frame (MainWindowBase).

#include "app/main_window_base.h"

class OutOfStateWindow final : public MainWindowBase {
public:
    OutOfStateWindow(app::AppState& state, app::MainWindowServices& services, QWidget* parent = nullptr);

    void runLoggingRoutine() override;
    void ShowScore() override;
    /// Both county lists from the whole log.
    void RebuildCountyLists();

protected:
    [[nodiscard]] QString loadDialogText() const override;
    void buildListColumns() override;
    void showStationLabels() override;
    void refreshAfterReload() override;
    void showStoredContact(const contactlog::LogAttemptResult& result) override;
    void handKeyOnFromSerial(int& KeyAscii) override;
    [[nodiscard]] QLineEdit* afterSerialBox() const override;
    void onCountyGotFocus() override;

private:
    /// Shows the county lists as the log state holds them.
    void showCountyLists();
    void showCountyHeadings();
    void onCountiesToGoClicked();
    void onCountiesWorkedClicked();
};
