#pragma once
// What the CW window asks of the WinKey keyer. The WinKey support implements
// this and registers it in KeyingState::winKey when it is installed; the CW
// window calls it only while CWKeyingOption is 5 (WinKey).

namespace keying {

class WinKeyDriver {
public:
    virtual ~WinKeyDriver() = default;

    /// The send loop's WinKey path. Hands every character of
    /// KeyingState::CWSendBuffer to the keyer, in order, and leaves the
    /// buffer empty. The CW window has already run the "!" log step when the
    /// buffer held a "!"; the "!" is still in the buffer and the driver
    /// drops it (it keys nothing). While it waits for room in the keyer
    /// (status 5 or more) it lets pending events run, so that Esc can empty
    /// the buffer and end the hand-over; it never sets CWSendingFlag. It
    /// returns once the buffer is empty; the keyer may still be sending.
    virtual void WKTransmit() = 0;

    /// The keyer still has text to key or is keying it: it has not yet
    /// reported that it finished sending what it was handed. False while it
    /// is closed.
    [[nodiscard]] virtual bool keyerSending() = 0;

    /// Discards what the keyer holds and has not sent yet.
    virtual void wk_clearbuf() = 0;

    /// The CW window's speed box changed to a speed from 5 to 99 words per
    /// minute while the keyer is open (WinKeyOpen not 0) and the WinKey
    /// interface is chosen: the keyer takes the new speed.
    virtual void wk_wpm(int wordsPerMinute) = 0;

    /// The WinKey interface was chosen in the CW window, or the CW window
    /// has loaded with it chosen: the WinKey window is created (hidden) when
    /// it does not exist yet. Never called while the CW window is being
    /// built, since the WinKey window reads its speed box.
    virtual void loadWindow() = 0;

    /// "Configure Winkey": shows the WinKey window modally; returns when it
    /// is hidden.
    virtual void showWindowModally() = 0;
};

}  // namespace keying
