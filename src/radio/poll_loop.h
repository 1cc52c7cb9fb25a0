#pragma once
// The state of the rig poll loop, apart from the port and the timer that
// drive it: the last frequency and mode read, the text of the current read
// tick, the send/read phase and the query toggle, and the receive buffer
// that holds an unfinished reply until the rest arrives. The rig interface
// window writes what sendTickBytes() gives and feeds readReplies() with
// what arrived; both work for whichever rig type is chosen, through its
// command set (rig_family.h).

#include "radio/frame_buffer.h"
#include "radio/rig_family.h"
#include "radio/rig_models.h"

#include <QByteArray>
#include <QString>

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

    /// The bytes of a send tick; empty when the rig type sends nothing.
    [[nodiscard]] QByteArray sendTickBytes();

    struct ReadOutcome {
        bool answered = false;       ///< bytes arrived, or the rig's file gave a reading
        bool frequencyRead = false;  ///< a whole reply set RigFrequency
        bool modeRead = false;       ///< a whole reply set RigMode
        /// For a rig reached through files: what is wrong with its file
        /// when it gave no reading.
        QString problem;
    };
    /// A read tick: RigReplyText becomes what arrived, and every reply now
    /// complete is read into RigFrequency and RigMode.
    ReadOutcome readReplies(const QByteArray& arrived);

    /// RigMode from RigFrequency by fixed band segments ("Mode by:
    /// Frequency"); outside them the rig's own mode stays.
    void ModeFromFrequency();

    /// Drops unread bytes (before tuning, when a test starts afresh).
    void forgetInput();
    [[nodiscard]] qsizetype bufferedBytes() const { return m_buffer.size(); }
    /// For rigs that answer in fixed blocks: the last read tick brought part
    /// of a block, and the rest is still on its way.
    [[nodiscard]] bool blockArriving() const { return m_blockArriving; }

private:
    const RigModel* m_model = nullptr;
    QString m_rigType;
    bool m_rigTypeSet = false;
    FrameBuffer m_buffer;
    bool m_blockArriving = false;
};

}  // namespace radio
