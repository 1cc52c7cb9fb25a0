#pragma once
// The refusal beep. Every beep is counted, so a test can check that a
// refusal was sounded; a silent beeper only counts. An audible one plays a
// short tone of its own (platform/tone.h), the system bell where no sound
// output is found.

#include <memory>

namespace platform {

class TonePlayer;

class Beeper {
public:
    explicit Beeper(bool audible = true);
    ~Beeper();
    Beeper(const Beeper&) = delete;
    Beeper& operator=(const Beeper&) = delete;

    void beep();
    [[nodiscard]] int count() const { return m_count; }
    void resetCount() { m_count = 0; }

private:
    bool m_audible;
    int m_count = 0;
    std::unique_ptr<TonePlayer> m_tone;  ///< made at the first audible beep
};

}  // namespace platform
