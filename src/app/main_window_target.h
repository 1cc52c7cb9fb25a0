#pragma once
// What the rig interface, the spotting window and the spectrum map may ask
// of the main window, whichever of the two setup opened. Both main windows
// implement it; the forwarding window (ForwardingWindow) passes each call on to the
// one that is open. Every argument is the caller's own variable, so a value
// the main window rewrites in place is seen by the caller.

#include <QString>

namespace app {

class MainWindowTarget {
public:
    virtual ~MainWindowTarget() = default;

    /// The rig's frequency in MHz: switches to the contest band that holds
    /// it and keeps it for the next contact.
    virtual void BandFreqConversion(float& frequencyValue) = 0;
    /// The rig's mode ("CW", "PH" or empty): switches the mode when it is
    /// one of the two and differs from the current one.
    virtual void ModeSelection(QString& strMode) = 0;
    /// Lays out the spot list or the band map, as the spotting window's
    /// display option says.
    virtual void PacketResize() = 0;
    /// Redraws the band map's spot labels for the current band.
    virtual void DisplayBandMapLabels() = 0;
    /// Takes one spot (call, frequency in kHz, rest of the cluster line);
    /// the frequency and the record may be rewritten in place.
    virtual void BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq,
                              QString& qDXSpotRecord) = 0;
};

}  // namespace app
