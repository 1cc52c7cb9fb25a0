#include "radio/poll_loop.h"

#include <array>

namespace radio {

void PollLoop::setRigType(const QString& rigType)
{
    if (m_rigTypeSet && rigType == m_rigType)
        return;
    if (m_rigTypeSet) {
        RigFrequency = 0;
        RigMode.clear();
        rig.vfoDigit = 10;
        forgetInput();
    }
    m_rigTypeSet = true;
    m_rigType = rigType;
    m_model = findRigModel(rigType);
}

QByteArray PollLoop::sendTickBytes()
{
    const RigFamily* f = family();
    if (!f || !f->usesSerialPort())
        return {};
    return f->pollQueries(rig, QueryToggle);
}

PollLoop::ReadOutcome PollLoop::readReplies(const QByteArray& arrived)
{
    ReadOutcome outcome;
    const RigFamily* f = family();
    RigReading reading;
    if (f && !f->usesSerialPort()) {
        QString shown;
        outcome.answered = f->pollWithoutPort(rig, reading, shown);
        if (!outcome.answered) {
            RigReplyText.clear();
            outcome.problem = shown;
            return outcome;
        }
        RigReplyText = shown.toLatin1();
    } else {
        RigReplyText = arrived;
        outcome.answered = !arrived.isEmpty();
        m_blockArriving = false;
        if (!outcome.answered || !f)
            return outcome;
        m_buffer.append(arrived);
        std::vector<QByteArray> frames = m_buffer.takeFrames(*f);
        if (f->discardsInputBeforeQuery()) {
            // One question, one answer: what follows the first whole block
            // is no block of ours (a rig whose block is longer than we know
            // of, a byte of noise), and read as one it would shift every
            // field.
            if (!frames.empty()) {
                frames.resize(1);
                m_buffer.clear();
            }
            m_blockArriving = m_buffer.size() > 0;
        }
        for (const QByteArray& frame : frames) {
            RigReading one;
            f->parseFrame(frame, QueryToggle, rig, one);
            reading.merge(one);
        }
    }
    if (reading.frequency) {
        RigFrequency = *reading.frequency;
        outcome.frequencyRead = true;
    }
    if (reading.mode) {
        RigMode = *reading.mode;
        outcome.modeRead = true;
    }
    return outcome;
}

void PollLoop::ModeFromFrequency()
{
    struct Segment {
        float low, split, high;  ///< CW from low to split, phone from split to high
    };
    // Each bound belongs to neither side; 30 m has no phone segment.
    static constexpr std::array<Segment, 10> Segments{{
        {3.5f, 3.6f, 4.0f},
        {7.0f, 7.125f, 7.3f},
        {10.1f, 10.15f, 10.15f},
        {14.0f, 14.15f, 14.35f},
        {18.068f, 18.11f, 18.168f},
        {21.0f, 21.2f, 21.45f},
        {24.89f, 24.93f, 24.99f},
        {28.0f, 28.3f, 29.7f},
        {50.0f, 50.1f, 54.0f},
        {144.0f, 144.1f, 148.0f},
    }};
    const float f = RigFrequency;
    for (const Segment& s : Segments) {
        if (f > s.low && f < s.split) {
            RigMode = QStringLiteral("CW");
            return;
        }
        if (f > s.split && f < s.high) {
            RigMode = QStringLiteral("PH");
            return;
        }
    }
}

void PollLoop::forgetInput()
{
    m_buffer.clear();
    m_blockArriving = false;
    RigReplyText.clear();
}

}  // namespace radio
