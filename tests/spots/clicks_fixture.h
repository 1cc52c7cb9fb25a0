#pragma once
// The spotting road with a rig that records what it is asked to tune, spots
// fed through a TNC connection as the cluster sends them, and the main
// window active so that the focus moves as the operator sees it.

#include "spots/all_bands_window.h"
#include "spotting_fixture.h"

#include <QMouseEvent>
#include <functional>
#include <vector>

namespace spots_testing {

class ClicksFixture : public SpottingFixture {
public:
    explicit ClicksFixture(bool outOfState = true, bool list = false) : SpottingFixture(outOfState)
    {
        services.onChangeFrequency = [this](float& mhz) {
            tuned.push_back(mhz);
            if (duringTune)
                duringTune();
        };
        writePackSpot(packSpot("TNC", 1, list));
        spotting = &openSpotting();
        spotting->doneButton->click();
        QApplication::processEvents();
        main().activateWindow();
        (void)QTest::qWaitForWindowActive(&main());
        main().txtCall->setFocus();
        QApplication::processEvents();
    }

    /// One cluster spot line from the TNC; the band map and the spot list
    /// are drawn after it, as the operator sees them before a click.
    void spot(const char* call, const char* kHz)
    {
        spotting->receiveTncText(clusterLine(QStringLiteral("W3LPL"), QString::fromLatin1(kHz),
                                             QString::fromLatin1(call))
                                 + QStringLiteral("\r\n"));
        QApplication::processEvents();
        if (main().txtDX->isVisible())
            main().txtDX->viewport()->repaint();
    }

    [[nodiscard]] const spots::SpotStore& store() { return spots->display.store(); }

    /// Rests the mouse on a control.
    static void hover(QWidget* w)
    {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }

    /// What the rig was asked to tune, in MHz, in order.
    std::vector<float> tuned;
    /// Runs inside the tune, where the rig interface lets events run.
    std::function<void()> duringTune;
    SpottingWindow* spotting = nullptr;
};

}  // namespace spots_testing
