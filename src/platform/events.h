#pragma once
// Long handlers let pending events run in their middle (a key may stop a CW
// message that is being sent). Doing it through one helper keeps every
// re-entry point visible; ReentryGuard keeps a routine from running inside
// itself when an event handled there calls it again.

namespace platform {

/// Handles the events waiting in the queue, draws what they changed, then
/// returns. The caller usually goes on busy (a CW character is keyed with
/// no events running): the screen shows what the program holds meanwhile.
void letPendingEventsRun();

/// Waits ms milliseconds on the monotonic clock without letting any event
/// run (a pause between Morse elements, a rig's settling time). A negative
/// or zero wait returns at once.
void waitMs(int ms);

/// Waits ms milliseconds on the monotonic clock, letting pending events run
/// every millisecond or so (a pause an operator may cut short with a key).
/// Returns at the end of the time even if the events keep coming.
void waitMsLettingEventsRun(int ms);

class ReentryGuard {
public:
    explicit ReentryGuard(bool& busyFlag) : m_flag(busyFlag), m_entered(!busyFlag)
    {
        if (m_entered)
            m_flag = true;
    }
    ~ReentryGuard()
    {
        if (m_entered)
            m_flag = false;
    }
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;
    /// False when the routine is already running further up the stack.
    [[nodiscard]] bool entered() const { return m_entered; }

private:
    bool& m_flag;
    bool m_entered;
};

}  // namespace platform
