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

/// How long the next question waits for the rest of a block after the
/// latest byte of it, and after the question it answers at most. A
/// network serial link may hold a piece back for a good part of this.
constexpr std::int64_t RestOfBlockWaitNs = 1'000'000'000;
constexpr std::int64_t LongestQuestionWaitNs = 2'000'000'000;

}  // namespace

qsizetype PollLoop::blockLength() const
{
    const RigFamily* f = family();
    return f ? f->blockLength() : 0;
}

QByteArray PollLoop::sendTickBytes(std::int64_t nowNs)
{
    const RigFamily* f = family();
    if (!f || !f->usesSerialPort())
        return {};
    QByteArray queries = f->pollQueries(rig, QueryToggle);
    if (queries.isEmpty())
        return queries;
    if (blockLength() > 0) {
        // The answer to the last question is whatever came until now.
        endAnswer();
        m_questionNs = nowNs;
        m_questionOpen = true;
    }
    m_questions = std::min(m_questions + 1, MostQuestionsOpen);
    return queries;
}

std::int64_t PollLoop::streamingNs() const
{
    // Inside a piece the bytes follow one another at the line's pace.
    return std::max<std::int64_t>(20'000'000, 10 * m_characterNs);
}

void PollLoop::takeArrived(QByteArrayView bytes, std::int64_t arrivedNs)
{
    if (bytes.isEmpty())
        return;
    m_sinceRead.append(bytes);
    if (blockLength() <= 0) {
        m_buffer.append(bytes);
        return;
    }
    if (arrivedNs > 0)
        m_lastArrivalNs = arrivedNs;
    if (m_answer.size() + bytes.size() > FrameBuffer::Capacity)
        m_answerTooLong = true;  // a rig that does not stop: none of it is read
    else
        m_answer.append(bytes);
}

bool PollLoop::questionWaits(std::int64_t nowNs) const
{
    const qsizetype length = blockLength();
    if (length <= 0 || m_questions <= 0 || m_answer.isEmpty() || m_answerTooLong)
        return false;
    if (nowNs <= 0 || m_lastArrivalNs <= 0)
        return false;  // untimed: nothing to judge a silence by
    if (m_questionNs > 0 && nowNs - m_questionNs >= LongestQuestionWaitNs)
        return false;
    const std::int64_t sinceLastByte = nowNs - m_lastArrivalNs;
    // Less than a block: its rest may follow a silence. A block or more:
    // read once the bytes stop, since noise before a block makes up a
    // block's length while the block is still coming in.
    return sinceLastByte < (m_answer.size() < length ? RestOfBlockWaitNs : streamingNs());
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
    m_lastArrivalNs = 0;
    const bool questionOpen = std::exchange(m_questionOpen, false);
    // Any reading says the rig is there; an answer that gives none counts
    // as silence once, for the question it answers.
    if (readAnswer(answer, tooLong))
        m_unreadPolls = 0;
    else if (questionOpen)
        countUnreadPoll();
}

bool PollLoop::readAnswer(const QByteArray& answer, bool tooLong)
{
    const qsizetype length = blockLength();
    if (length <= 0 || tooLong || answer.size() < length)
        return false;  // less than a block: the rest of a lost one, or noise
    if (answer.size() % length == 0) {
        // Whole blocks, one after the other: answers that followed each
        // other closely. One more than the questions asked is no answer.
        bool read = false;
        for (qsizetype at = 0; at < answer.size() && m_questions > 0; at += length) {
            --m_questions;
            if (const auto one = readBlock(QByteArrayView(answer).sliced(at, length))) {
                m_blockReading.merge(*one);
                read = true;
            }
        }
        return read;
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
    if (!taken || m_questions <= 0)
        return false;
    --m_questions;
    m_blockReading.merge(*taken);
    return true;
}

void PollLoop::endAnswerIfWhole(std::int64_t nowNs)
{
    const qsizetype length = blockLength();
    if (length <= 0 || m_questions <= 0 || m_answer.isEmpty() || m_answerTooLong ||
        m_answer.size() % length != 0)
        return;
    if (nowNs > 0 && m_lastArrivalNs > 0 && nowNs - m_lastArrivalNs < streamingNs())
        return;  // more may be on its way
    // Noise run on into a block can make up a whole number of blocks by
    // chance; such an answer waits for the next question, which ends it.
    if (!readBlock(QByteArrayView(m_answer).first(length)))
        return;
    endAnswer();
}

PollLoop::ReadOutcome PollLoop::readReplies(const QByteArray& arrived)
{
    takeArrived(arrived);
    // Untimed: for a rig of blocks, what arrived is a whole answer.
    if (blockLength() > 0)
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
            countUnreadPoll();
            RigReplyText.clear();
            outcome.problem = shown;
            return outcome;
        }
        m_unreadPolls = 0;
        RigReplyText = shown.toLatin1();
    } else {
        RigReplyText = std::exchange(m_sinceRead, {});
        outcome.answered = !RigReplyText.isEmpty();
        if (!f)
            return outcome;
        if (!f->readsReplies()) {
            // Nothing is read from the answers: any answer is the rig's.
            (void)m_buffer.takeFrames(*f);
            outcome.heard = outcome.answered;
            if (outcome.heard)
                m_unreadPolls = 0;
            else
                countUnreadPoll();
            return outcome;
        }
        if (f->blockLength() > 0) {
            endAnswerIfWhole(nowNs);
            // Nothing at all came for the question: it is decided now, as
            // silence. A late block that comes after is still read.
            if (m_questionOpen && m_answer.isEmpty() && !m_answerTooLong)
                endAnswer();
            reading = std::exchange(m_blockReading, {});
            outcome.answered = outcome.answered || reading.frequency.has_value();
        } else {
            if (outcome.answered) {
                for (const QByteArray& frame : m_buffer.takeFrames(*f)) {
                    RigReading one;
                    f->parseFrame(frame, QueryToggle, rig, one);
                    reading.merge(one);
                }
            }
            if (reading.frequency || reading.mode) {
                m_unreadPolls = 0;
                m_undecidedPolls = 0;
                m_undecidedSinceNs = 0;
            } else {
                judgeUnreadReplies(nowNs);
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
    outcome.heard = outcome.frequencyRead || outcome.modeRead;
    return outcome;
}

void PollLoop::judgeUnreadReplies(std::int64_t nowNs)
{
    // An unfinished reply may be one still coming in, slowly or in pieces:
    // its poll waits. One that has not ended in two seconds never will
    // (a rig that cuts its replies short, noise with no end to it): every
    // poll that waited for it gave no reading.
    const bool unfinished = m_buffer.size() > 0;
    const bool mayEnd = m_undecidedSinceNs == 0 || nowNs <= 0 || nowNs - m_undecidedSinceNs < LongestQuestionWaitNs;
    if (unfinished && mayEnd) {
        if (m_undecidedSinceNs == 0)
            m_undecidedSinceNs = nowNs;
        ++m_undecidedPolls;
        return;
    }
    const int polls = 1 + std::exchange(m_undecidedPolls, 0);
    for (int i = 0; i < polls; ++i)
        countUnreadPoll();
    if (!unfinished)
        m_undecidedSinceNs = 0;
}

void PollLoop::countUnreadPoll()
{
    // Held well short of overflowing on a rig left silent for weeks.
    m_unreadPolls = std::min(m_unreadPolls + 1, 1'000'000);
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
    m_questions = 0;
    m_lastArrivalNs = 0;
    m_questionNs = 0;
    m_blockReading = {};
    m_questionOpen = false;
    m_undecidedPolls = 0;
    m_undecidedSinceNs = 0;
    RigReplyText.clear();
}

}  // namespace radio
