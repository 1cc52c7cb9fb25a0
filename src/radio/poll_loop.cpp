#include "radio/poll_loop.h"

#include <algorithm>
#include <array>
#include <utility>

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

namespace {

/// Questions counted as open at most: a rig that never answers must not
/// make the blocks of many later answers count as answers.
constexpr int MostQuestionsOpen = 3;

}  // namespace

bool PollLoop::answersInBlocks() const
{
    const RigFamily* f = family();
    return f && f->answersInBlocks();
}

QByteArray PollLoop::sendTickBytes()
{
    const RigFamily* f = family();
    if (!f || !f->usesSerialPort())
        return {};
    QByteArray queries = f->pollQueries(rig, QueryToggle);
    if (!queries.isEmpty())
        m_questions = std::min(m_questions + 1, MostQuestionsOpen);
    return queries;
}

std::int64_t PollLoop::gapNs() const
{
    // Inside an answer the bytes follow one another at the line's pace.
    return std::max<std::int64_t>(20'000'000, 10 * m_characterNs);
}

void PollLoop::takeArrived(QByteArrayView bytes, std::int64_t arrivedNs)
{
    if (bytes.isEmpty())
        return;
    m_sinceRead.append(bytes);
    m_bytesSinceTick = true;
    if (!answersInBlocks()) {
        m_buffer.append(bytes);
        return;
    }
    if (arrivedNs > 0) {
        // The first of these bytes came at the latest as long before the
        // last as the line takes for the others; the port is read as they
        // come, so a later read only makes the silence seem shorter.
        const std::int64_t firstNs = arrivedNs - (bytes.size() - 1) * m_characterNs;
        if (m_lastArrivalNs > 0 && firstNs - m_lastArrivalNs > gapNs())
            endAnswer();
        m_lastArrivalNs = arrivedNs;
    }
    if (m_answer.size() + bytes.size() > FrameBuffer::Capacity)
        m_answerTooLong = true;  // a rig that does not stop: none of it is read
    else
        m_answer.append(bytes);
}

std::optional<RigReading> PollLoop::readBlock(QByteArrayView block)
{
    RigReading one;
    family()->parseFrame(block, QueryToggle, rig, one);
    if (!one.frequency)
        return std::nullopt;
    return one;
}

void PollLoop::endAnswer()
{
    const QByteArray answer = std::exchange(m_answer, {});
    const bool tooLong = std::exchange(m_answerTooLong, false);
    const RigFamily* f = family();
    if (!f || tooLong || answer.isEmpty())
        return;
    const qsizetype length = f->cut(answer).length;
    if (length <= 0)
        return;  // less than a block: the rest of a lost one, or noise
    if (answer.size() % length == 0) {
        // Whole blocks, one after the other: answers that followed each
        // other closely. One more than the questions asked is no answer.
        for (qsizetype at = 0; at < answer.size() && m_questions > 0; at += length) {
            --m_questions;
            if (const auto one = readBlock(QByteArrayView(answer).sliced(at, length)))
                m_blockReading.merge(*one);
        }
        return;
    }
    // Bytes besides the block, before or after it. Counted from the start
    // and from the end, a block that is no answer of the rig's shows which
    // is wrong; when both read as answers and differ, neither is trusted.
    const auto first = readBlock(QByteArrayView(answer).first(length));
    const auto last = readBlock(QByteArrayView(answer).last(length));
    std::optional<RigReading> taken;
    if (first && last) {
        if (first->frequency == last->frequency && first->mode == last->mode)
            taken = first;
    } else {
        taken = first ? first : last;
    }
    if (taken && m_questions > 0) {
        --m_questions;
        m_blockReading.merge(*taken);
    }
}

bool PollLoop::blockArriving() const
{
    return answersInBlocks() && m_bytesSinceTick && (!m_answer.isEmpty() || m_answerTooLong);
}

void PollLoop::endTick()
{
    if (answersInBlocks() && !m_bytesSinceTick)
        endAnswer();
    m_bytesSinceTick = false;
}

PollLoop::ReadOutcome PollLoop::readReplies(const QByteArray& arrived)
{
    takeArrived(arrived);
    // Untimed: for a rig of blocks, what arrived is a whole answer.
    if (answersInBlocks())
        endAnswer();
    return readTick();
}

PollLoop::ReadOutcome PollLoop::readTick(std::int64_t nowNs)
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
        RigReplyText = std::exchange(m_sinceRead, {});
        outcome.answered = !RigReplyText.isEmpty();
        if (!f)
            return outcome;
        if (f->answersInBlocks()) {
            // An answer is over once the line has been silent for a while:
            // a tick without a byte, or the time since the last byte. Its
            // blocks may so be read on a tick that brought nothing new.
            if (nowNs > 0 && m_lastArrivalNs > 0 && nowNs - m_lastArrivalNs > gapNs())
                endAnswer();
            endTick();
            reading = std::exchange(m_blockReading, {});
            outcome.answered = outcome.answered || reading.frequency.has_value();
        } else {
            endTick();
            if (!outcome.answered)
                return outcome;
            for (const QByteArray& frame : m_buffer.takeFrames(*f)) {
                RigReading one;
                f->parseFrame(frame, QueryToggle, rig, one);
                reading.merge(one);
            }
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
    m_answer.clear();
    m_answerTooLong = false;
    m_sinceRead.clear();
    m_bytesSinceTick = false;
    m_questions = 0;
    m_lastArrivalNs = 0;
    m_blockReading = {};
    RigReplyText.clear();
}

}  // namespace radio
