#pragma once
// The program's own MainWindowServices: each subsystem (reports, keying,
// radio, spots) fills the slots it owns when the program starts, from an
// install function in its own folder, so that no subsystem has to know
// another and the main windows keep calling one narrow interface. A slot
// left empty does what the default does: nothing.

#include "app/main_window_services.h"

#include <QString>
#include <functional>
#include <map>
#include <vector>

namespace app {

class ProgramServices final : public MainWindowServices {
public:
    using WindowHandler = std::function<void(MainWindowBase&)>;

    // ----- slots, one per operation; filled by the owning subsystem -------
    std::function<void(const QString&)> onBlindKeyPhone;
    std::function<bool()> onNavigationPromptPlaying;
    std::function<void()> onStartRigPolling;
    std::function<void(float&)> onChangeFrequency;
    std::function<void(float, QString&)> onChangeMode;
    WindowHandler onSetBandMapScale;
    WindowHandler onDisplayBandMapLabels;
    WindowHandler onPacketResize;
    std::function<void(MainWindowBase&, QString&, QString&, QString&)> onBandMapSpots;
    WindowHandler onSpotListClick;
    std::function<void(MainWindowBase&, int, int)> onSpotLabelMouseDown;
    std::function<void(MainWindowBase&, int)> onEditContact;
    std::function<void(int&)> onFKeyCW;
    std::function<void(int&)> onFKeyPhone;
    std::function<void()> onSpeedUp;
    std::function<void()> onSpeedDown;
    std::function<QString()> onCwSpeedText;
    std::function<void()> onLoopThroughCWBuffer;
    std::function<void()> onStopCwRepeatTimer;
    std::function<void()> onStopVoiceRepeatTimer;
    std::function<bool()> onVoicePlaying;
    std::function<void()> onStopVoicePlayback;
    std::function<long()> onWkGetStatus;
    std::function<void()> onWkClearBuf;
    std::function<void()> onWkBackspace;

    /// The windows each menu item and Ctrl shortcut opens, and the closing
    /// step of each window the main window unloads.
    std::map<MenuWindow, WindowHandler> menuWindows;
    std::map<ShortcutWindow, WindowHandler> shortcutWindows;
    std::map<SatelliteWindow, WindowHandler> unloaders;
    /// Every subsystem that holds a keying line or a port adds its release
    /// here; File > Exit runs them all.
    std::vector<std::function<void()>> releaseHooks;

    // ----- MainWindowServices ---------------------------------------------
    void BlindKeyPhone(const QString& promptName) override;
    [[nodiscard]] bool navigationPromptPlaying() const override;
    void startRigPolling() override;
    void ChangeFrequency(float& qChangeFreq) override;
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo) override;
    void SetBandMapScale(MainWindowBase& window) override;
    void DisplayBandMapLabels(MainWindowBase& window) override;
    void PacketResize(MainWindowBase& window) override;
    void BandMapSpots(MainWindowBase& window, QString& qDXSpotCall, QString& qDXSpotFreq,
                      QString& qDXSpotRecord) override;
    void spotListClicked(MainWindowBase& window) override;
    void spotLabelPressed(MainWindowBase& window, int Index, int Button) override;
    void editContact(MainWindowBase& window, int recordIndex) override;
    void unload(MainWindowBase& window, SatelliteWindow which) override;
    void open(MainWindowBase& window, MenuWindow which) override;
    void open(MainWindowBase& window, ShortcutWindow which) override;
    void FKeyCW(int& keyCode) override;
    void FKeyPhone(int& keyCode) override;
    void cwSpeedUp() override;
    void cwSpeedDown() override;
    [[nodiscard]] QString cwSpeedText() const override;
    void LoopThroughCWBuffer() override;
    void stopCwRepeatTimer() override;
    void stopVoiceRepeatTimer() override;
    [[nodiscard]] bool voicePlaying() const override;
    void stopVoicePlayback() override;
    [[nodiscard]] long wk_getstatus() override;
    void wk_clearbuf() override;
    void wk_backspace() override;
    void releaseKeyingAndPorts() override;
};

}  // namespace app
