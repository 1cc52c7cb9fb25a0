#include "app/program_services.h"

namespace app {

namespace {

template <typename Map, typename Key>
void runHandler(const Map& handlers, Key which, MainWindowBase& window)
{
    const auto it = handlers.find(which);
    if (it != handlers.end() && it->second)
        it->second(window);
}

}  // namespace

void ProgramServices::BlindKeyPhone(const QString& promptName)
{
    if (onBlindKeyPhone)
        onBlindKeyPhone(promptName);
}

bool ProgramServices::navigationPromptPlaying() const
{
    return onNavigationPromptPlaying ? onNavigationPromptPlaying() : false;
}

void ProgramServices::startRigPolling()
{
    if (onStartRigPolling)
        onStartRigPolling();
}

void ProgramServices::ChangeFrequency(float& qChangeFreq)
{
    if (onChangeFrequency)
        onChangeFrequency(qChangeFreq);
}

void ProgramServices::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    if (onChangeMode)
        onChangeMode(qChangeFrequency, ModeToChangeTo);
}

void ProgramServices::SetBandMapScale(MainWindowBase& window)
{
    if (onSetBandMapScale)
        onSetBandMapScale(window);
}

void ProgramServices::DisplayBandMapLabels(MainWindowBase& window)
{
    if (onDisplayBandMapLabels)
        onDisplayBandMapLabels(window);
}

void ProgramServices::PacketResize(MainWindowBase& window)
{
    if (onPacketResize)
        onPacketResize(window);
}

void ProgramServices::BandMapSpots(MainWindowBase& window, QString& qDXSpotCall, QString& qDXSpotFreq,
                                   QString& qDXSpotRecord)
{
    if (onBandMapSpots)
        onBandMapSpots(window, qDXSpotCall, qDXSpotFreq, qDXSpotRecord);
}

void ProgramServices::spotListClicked(MainWindowBase& window)
{
    if (onSpotListClick)
        onSpotListClick(window);
}

void ProgramServices::spotLabelPressed(MainWindowBase& window, int Index, int Button)
{
    if (onSpotLabelMouseDown)
        onSpotLabelMouseDown(window, Index, Button);
}

void ProgramServices::editContact(MainWindowBase& window, int recordIndex)
{
    if (onEditContact)
        onEditContact(window, recordIndex);
}

void ProgramServices::unload(MainWindowBase& window, SatelliteWindow which)
{
    runHandler(unloaders, which, window);
}

void ProgramServices::open(MainWindowBase& window, MenuWindow which)
{
    runHandler(menuWindows, which, window);
}

void ProgramServices::open(MainWindowBase& window, ShortcutWindow which)
{
    runHandler(shortcutWindows, which, window);
}

void ProgramServices::FKeyCW(int& keyCode)
{
    if (onFKeyCW)
        onFKeyCW(keyCode);
}

void ProgramServices::FKeyPhone(int& keyCode)
{
    if (onFKeyPhone)
        onFKeyPhone(keyCode);
}

void ProgramServices::cwSpeedUp()
{
    if (onSpeedUp)
        onSpeedUp();
}

void ProgramServices::cwSpeedDown()
{
    if (onSpeedDown)
        onSpeedDown();
}

QString ProgramServices::cwSpeedText() const
{
    return onCwSpeedText ? onCwSpeedText() : QString();
}

void ProgramServices::LoopThroughCWBuffer()
{
    if (onLoopThroughCWBuffer)
        onLoopThroughCWBuffer();
}

void ProgramServices::stopCwRepeatTimer()
{
    if (onStopCwRepeatTimer)
        onStopCwRepeatTimer();
}

void ProgramServices::stopVoiceRepeatTimer()
{
    if (onStopVoiceRepeatTimer)
        onStopVoiceRepeatTimer();
}

bool ProgramServices::voicePlaying() const
{
    return onVoicePlaying ? onVoicePlaying() : false;
}

void ProgramServices::stopVoicePlayback()
{
    if (onStopVoicePlayback)
        onStopVoicePlayback();
}

long ProgramServices::wk_getstatus()
{
    return onWkGetStatus ? onWkGetStatus() : 0;
}

void ProgramServices::wk_clearbuf()
{
    if (onWkClearBuf)
        onWkClearBuf();
}

void ProgramServices::wk_backspace()
{
    if (onWkBackspace)
        onWkBackspace();
}

void ProgramServices::releaseKeyingAndPorts()
{
    for (const auto& release : releaseHooks)
        if (release)
            release();
}

}  // namespace app
