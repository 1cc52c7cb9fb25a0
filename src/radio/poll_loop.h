#pragma once
// The state of the rig poll loop, apart from the port and the timer that
// drive it: the last frequency and mode read, the text of the current read
// tick, the send/read phase and the query toggle, and the receive buffer
// that holds an unfinished reply until the rest arrives. The rig interface
// window writes what sendTickBytes() gives and feeds readReplies() with
// what arrived; both work for whichever rig type is chosen, through its
// command set (rig_family.h).
//
// A rig whose replies are fixed blocks with nothing to mark their end is
// read by its questions: the answer to a question is whatever arrives
// until the next question goes out, in however many pieces and with
// whatever silences between them (a USB-serial adapter or a network link
// hands a block over in pieces), and its blocks are counted by their
// length from its start. An answer is read before the next question only
// once it holds whole blocks, no more bytes stream in, and its first block
// reads as an answer of the rig's; and the next question waits while a
// block is still coming in, so that it never cuts one in two. Nothing that
// arrived is thrown away to make room for a new question, so a late block
// is read whole a cycle later. An answer shorter than a block is noise or
// the rest of a lost block and goes. One whose length is no whole number of
// blocks has bytes besides its block: the block counted from the start and
// the one counted from the end are both read, and one that is no answer the
// rig could give (a frequency outside its range) shows which is wrong; when
// both read as answers and differ, neither is taken. Blocks beyond the
// questions asked are no answer.
//
// A rig is taken for silent by the polls that give no reading, whether
// nothing came back or only bytes that could not be read: a rig whose
// answers are cut short, or carry bytes that make them ambiguous, tells
// nothing of where its dial is, however busy its line. A poll whose answer
// is still coming in is neither until it is decided: for a rig of blocks,
// when its answer ends; for the others, when a whole reply comes, or after
// two seconds in which an unfinished one never ended.

#include "radio/frame_buffer.h"
#include "radio/rig_family.h"
#include "radio/rig_models.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace radio {

class PollLoop {
public:
    float RigFrequency = 0;   ///< MHz; 0 until a reply sets it
    QString RigMode;          ///< "CW", "PH", "AM", "FM" or empty
    QByteArray RigReplyText;  ///< what the current read tick took from the port
    quint8 QueryToggle = 0;   ///< 1: the frequency query was asked last
    quint8 ReadTickNext = 0;  ///< 1: the next tick reads
    RigContext rig;

    /// The rig type polled. Choosing another forgets the old rig's
    /// frequency, mode and unread bytes, so that nothing the old rig said is
    /// ever handed over as the new one's.
    void setRigType(const QString& rigType);
    [[nodiscard]] const RigModel* model() const { return m_model; }
    [[nodiscard]] const RigFamily* family() const { return m_model ? m_model->family : nullptr; }

    /// The bytes of a send tick, asked at monotonic time nowNs (0: not
    /// known); empty when the rig type sends nothing. For a rig of fixed
    /// blocks the question ends the answer to the one before.
    [[nodiscard]] QByteArray sendTickBytes(std::int64_t nowNs = 0);

    /// The time one character takes on the rig's line (ns), by which bytes
    /// still streaming in are told from a silence.
    void setCharacterTime(std::int64_t ns) { m_characterNs = ns; }
    /// Bytes taken from the port (at either tick, or as they came) with the
    /// monotonic time they were taken (0: not known).
    void takeArrived(QByteArrayView bytes, std::int64_t arrivedNs = 0);
    /// For a rig of fixed blocks: at monotonic time nowNs, part of a block
    /// has come and the rest may still be on its way, or bytes still stream
    /// in, so the next question waits. It waits at most a second after the
    /// last byte and two after the question, so that a block the rig broke
    /// off never stops the polling.
    [[nodiscard]] bool questionWaits(std::int64_t nowNs) const;

    struct ReadOutcome {
        bool answered = false;       ///< bytes arrived, or the rig's file gave a reading
        bool frequencyRead = false;  ///< a whole reply set RigFrequency
        bool modeRead = false;       ///< a whole reply set RigMode
        /// The rig was heard: a reading came, or, for a rig type whose
        /// answers are only shown, an answer.
        bool heard = false;
        /// For a rig reached through files: what is wrong with its file
        /// when it gave no reading.
        QString problem;
    };
    /// A read tick at monotonic time nowNs (0: not known): RigReplyText
    /// becomes what arrived since the last read tick, and every reply now
    /// complete is read into RigFrequency and RigMode.
    ReadOutcome readTick(std::int64_t nowNs = 0);
    /// The same, with arrived taken first, untimed; for a rig of fixed
    /// blocks arrived is a whole answer.
    ReadOutcome readReplies(const QByteArray& arrived);

    /// RigMode from RigFrequency by fixed band segments ("Mode by:
    /// Frequency"); outside them the rig's own mode stays.
    void ModeFromFrequency();

    /// Polls in a row without a reading after which the rig is reported
    /// as not answering. One poll can miss: a reply still on the line.
    static constexpr int UnreadPollsReported = 3;
    /// The last UnreadPollsReported polls or more gave no reading.
    [[nodiscard]] bool rigSilent() const { return m_unreadPolls >= UnreadPollsReported; }
    [[nodiscard]] int unreadPolls() const { return m_unreadPolls; }
    /// A poll that could not be made (the port is gone) gives no reading.
    void countUnreadPoll();
    /// Counts the polls without a reading afresh (a new test of the rig).
    void restartSilenceCount() { m_unreadPolls = 0; }

    /// Drops unread bytes (before tuning, when a test starts afresh).
    void forgetInput();
    [[nodiscard]] qsizetype bufferedBytes() const { return m_buffer.size() + m_answer.size(); }
    /// Questions asked and not answered yet by a whole block.
    [[nodiscard]] int questionsOpen() const { return m_questions; }

private:
    [[nodiscard]] qsizetype blockLength() const;
    [[nodiscard]] std::int64_t streamingNs() const;
    /// The answer so far is over: its blocks are read, and the question it
    /// answers is decided.
    void endAnswer();
    /// Reads the blocks of an answer; true when one gave a reading.
    bool readAnswer(const QByteArray& answer, bool tooLong);
    /// For a rig whose replies end by themselves: the read tick's poll
    /// gave no reading; it waits while an unfinished reply may still end.
    void judgeUnreadReplies(std::int64_t nowNs);
    /// Reads the answer before the next question when it is whole.
    void endAnswerIfWhole(std::int64_t nowNs);
    /// A block that is an answer of the rig's; nullopt for any other.
    std::optional<RigReading> readBlock(QByteArrayView block);

    const RigModel* m_model = nullptr;
    QString m_rigType;
    bool m_rigTypeSet = false;
    FrameBuffer m_buffer;
    QByteArray m_sinceRead;        ///< what arrived since the last read tick
    QByteArray m_answer;           ///< a rig of blocks: the answer coming in
    bool m_answerTooLong = false;
    int m_questions = 0;
    RigReading m_blockReading;     ///< whole blocks read since the last read tick
    std::int64_t m_lastArrivalNs = 0;  ///< the latest byte of the answer
    std::int64_t m_questionNs = 0;     ///< when the last question went out
    std::int64_t m_characterNs = 2'291'667;  ///< 4,800 baud, 11 bits
    int m_unreadPolls = 0;
    bool m_questionOpen = false;  ///< a rig of blocks: the last answer is not decided yet
    int m_undecidedPolls = 0;     ///< polls waiting for an unfinished reply to end
    std::int64_t m_undecidedSinceNs = 0;
};

}  // namespace radio
