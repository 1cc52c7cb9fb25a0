#pragma once
// The in-state main window: an operator inside the party state works US
// states, Canadian provinces and DX countries, and sends the own county
// with every contact. Its multipliers are the 58 states and provinces,
// shown as a grid of labels coloured worked or still needed; it lists the
// DX countries and the counties worked and remaining. Everything else is
// the main windows' common frame (MainWindowBase).

#include "app/main_window_base.h"
#include "log/log_state.h"

#include <array>

class Infrm final : public MainWindowBase {
public:
    Infrm(app::AppState& state, app::MainWindowServices& services, QWidget* parent = nullptr);

    void Mains() override;
    void ShowScore() override;

    /// The third multiplier list: counties remaining.
    QListWidget* List3 = nullptr;
    /// The state and province grid; elements 1 to 58 are the sections,
    /// 59 to 64 exist hidden. Element 0 is unused.
    std::array<QLabel*, 65> Label10{};
    /// The headings of the grid's blocks.
    std::vector<QLabel*> gridHeadings;

    /// The state and province table as loaded: abbreviations and names,
    /// entries 1 to StateProvCount (entry 0 empty).
    std::vector<QString> StateProvAbbrev;
    std::vector<QString> StateProvName;
    float StateProvCount = 0;

protected:
    [[nodiscard]] QString loadDialogText() const override;
    void buildListColumns() override;
    void buildMultiplierTable() override;
    void showStationLabels() override;
    void refreshAfterReload() override;
    void showStoredContact(const contactlog::LogAttemptResult& result) override;
    void handKeyOnFromSerial(int& KeyAscii) override;
    [[nodiscard]] QLineEdit* afterSerialBox() const override;
    void txtSec_GotFocus() override;
    void afterBandOrModeChange() override;
    [[nodiscard]] std::vector<QWidget*> sameHeightLists() const override;

private:
    void buildGrid();
    void showMultiplierLists();
    void colourSection(int row, bool worked);
    void txtCntry_KeyPress(int& KeyAscii);
    void txtCntry_GotFocus();
    void txtCntry_Change();
    void Label25_Change();
    void Label10_Click(int index);
    void Label10_MouseMove(int index);
    void List1_Click();
    void List2_Click();
    void List3_Click();

    /// The DX countries worked, as List1 shows them.
    contactlog::DXWorkedList m_dxList;
    std::vector<QString> m_abbrevs;  ///< rows 1..58 without the empty entry 0
};
