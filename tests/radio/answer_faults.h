#pragma once
// What a bad line, a wrong setting or a rig's own quirks make of each
// answer a rig emulator sends: noise after it, its last three bytes lost,
// or three bytes more than the rig's layout has. Every emulator of this
// folder applies the chosen fault to each answer it gives (a set command's
// acknowledgement too, as a rig would), after writing the answer from the
// rig's own tables.

#include <QByteArray>
#include <mutex>
#include <random>

namespace testing_support {

enum class AnswerFault {
    None,
    TrailingNoise,  ///< three random bytes after each answer
    ThreeShort,     ///< each answer stops three bytes before its end
    ThreeExtra,     ///< each answer's last three bytes come twice
};

[[nodiscard]] inline const char* faultName(AnswerFault fault)
{
    switch (fault) {
    case AnswerFault::None: return "no fault";
    case AnswerFault::TrailingNoise: return "trailing noise";
    case AnswerFault::ThreeShort: return "three bytes short";
    case AnswerFault::ThreeExtra: return "three bytes extra";
    }
    return "";
}

/// The fault an emulator applies; safe to set from the test while the
/// emulator's thread answers.
class AnswerFaults {
public:
    void set(AnswerFault fault)
    {
        std::lock_guard lock(m_mutex);
        m_fault = fault;
    }

    [[nodiscard]] QByteArray apply(const QByteArray& answer)
    {
        std::lock_guard lock(m_mutex);
        if (answer.isEmpty())
            return answer;
        switch (m_fault) {
        case AnswerFault::None: return answer;
        case AnswerFault::TrailingNoise: {
            QByteArray noisy = answer;
            for (int i = 0; i < 3; ++i)
                noisy += char(m_random() & 0xFF);
            return noisy;
        }
        case AnswerFault::ThreeShort: return answer.size() > 3 ? answer.left(answer.size() - 3) : QByteArray();
        case AnswerFault::ThreeExtra: return answer + answer.right(3);
        }
        return answer;
    }

private:
    std::mutex m_mutex;
    AnswerFault m_fault = AnswerFault::None;
    std::mt19937 m_random{20261214};
};

}  // namespace testing_support
