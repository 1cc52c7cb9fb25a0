#pragma once
// The system beep. Every beep is counted, so a test can check that a
// refusal was sounded; a silent beeper only counts.

namespace platform {

class Beeper {
public:
    explicit Beeper(bool audible = true) : m_audible(audible) {}
    void beep();
    [[nodiscard]] int count() const { return m_count; }
    void resetCount() { m_count = 0; }

private:
    bool m_audible;
    int m_count = 0;
};

}  // namespace platform
