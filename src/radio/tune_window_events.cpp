// The tune window's handlers: Go, the presets, the tune steps, the modes,
// the keys of its boxes and the scan tick.

#include "app/app_state.h"
#include "platform/events.h"
#include "radio/tune_window.h"
#include "radio/rig_tune.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace radio {

void TuneWindow::onGoClicked()
{
    const auto frequency = tune::frequencyToTune(txtFreq->text());
    if (!frequency || m_state.prefs.RigType == QLatin1String("None"))
        return;
    float qChangeFreq = *frequency;
    if (m_links.ChangeFrequency)
        m_links.ChangeFrequency(qChangeFreq);
}

void TuneWindow::onBandClicked(int Index)
{
    txtFreq->setText(tune::presetText(tune::BandPresets[Index]));
    onGoClicked();
}

void TuneWindow::onTuneStepClicked(int Index)
{
    const auto stepped = tune::steppedFrequency(txtFreq->text(), tune::TuneSteps[Index].change);
    if (!stepped)
        return;
    txtFreq->setText(*stepped);
    onGoClicked();
    cmdDone->setFocus();
}

void TuneWindow::setMode(const char* mode)
{
    QString ModeToChangeTo = QString::fromLatin1(mode);
    if (m_links.ChangeMode)
        m_links.ChangeMode(0, ModeToChangeTo);
    cmdDone->setFocus();
}

void TuneWindow::onFrequencyChanged()
{
    const bool number = tune::boxNumber(txtFreq->text()).has_value();
    for (QPushButton* b : cmdTune)
        b->setEnabled(number);
}

void TuneWindow::onFrequencyKeyPress(int& KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        onGoClicked();
        txtFreq->setFocus();
        txtFreq->end(false);
        return;
    }
    onBoxKeyPress(KeyAscii);
}

void TuneWindow::onBoxKeyPress(int& KeyAscii)
{
    if (!tune::keyPasses(KeyAscii))
        KeyAscii = 0;
}

void TuneWindow::onKeyPress(int& KeyAscii)
{
    // Any typed key stops a scan, so the operator can always halt it.
    if (KeyAscii != 0 && chkScan->isChecked())
        chkScan->setChecked(false);
}

void TuneWindow::onScanClicked()
{
    if (chkScan->isChecked() && !tune::boxNumber(txtFreq->text()))
        txtFreq->setText(txtFrom->text());
    goButton->setFocus();
}

void TuneWindow::onScanTick()
{
    // A tick that comes while the previous one still tunes (the rig
    // interface lets events run in its waits) would move the box on by a
    // step the rig never gets; it waits for the next tick instead.
    platform::ReentryGuard guard(m_inTick);
    if (!guard.entered() || !chkScan->isChecked())
        return;
    int step = tune::ScanSteps[tune::DefaultScanStep].tensOfHz;
    const auto options = scanOptions();
    for (std::size_t i = 0; i < options.size(); ++i)
        if (options[i]->isChecked())
            step = tune::ScanSteps[i].tensOfHz;
    const auto next = tune::nextScanFrequency(txtFreq->text(), txtFrom->text(), txtTo->text(), step);
    if (!next)
        return;
    txtFreq->setText(*next);
    onGoClicked();
}

void TuneWindow::onDoneClicked() { hide(); }

}  // namespace radio
