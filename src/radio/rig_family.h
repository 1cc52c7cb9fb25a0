#pragma once
// The seam between the rig interface and the command sets of the rig
// families. The rig interface owns the port, the poll timer and the waits;
// a family only turns bytes into frequency and mode and back: what to send
// on a poll, where a reply ends, what a whole reply says, and the bytes that
// set a frequency or a mode. No family touches a port, a window or a timer.
//
// To add a family: write a unit beside kenwood_family.* with one RigFamily
// object per rig type that differs (as a table of its quirks, not if-chains
// on the rig type), and point that rig type's row of the model table
// (rig_models.cpp) at it. The row also carries what belongs to the port and
// the timing: default serial settings and queries, the pauses before a
// set-frequency command, bytes sent when the port opens and when the window
// closes, and RTS handshaking. Nothing else needs to change.

#include "radio/frame_buffer.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace radio {

/// What the parsers and command builders read of the rig interface, and the
/// little a rig tells that lasts from one reply to the next.
struct RigContext {
    QString frequencyQuery;     ///< the "String to read frequency" box
    QString modeQuery;          ///< the "String to read mode" box
    bool convertToHex = false;  ///< "Convert to Hex": the queries are spaced hex
    /// The VFO of the last status reply of a rig that reports one; 10 until
    /// a reply has set it.
    int vfoDigit = 10;
    /// Where a rig reached through another program's files exchanges them.
    QString filesFolder;
};

/// What one whole reply said; empty fields were not in it.
struct RigReading {
    std::optional<float> frequency;  ///< MHz
    std::optional<QString> mode;     ///< "CW", "PH", or a mode a family maps

    void merge(const RigReading& later)
    {
        if (later.frequency)
            frequency = later.frequency;
        if (later.mode)
            mode = later.mode;
    }
};

class RigFamily : public FrameRule {
public:
    /// The bytes of one send tick. Families that ask one question per poll
    /// cycle flip queryToggle (1: the frequency query was asked, 0: the mode
    /// query), also when the query was too short to send.
    [[nodiscard]] virtual QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const = 0;

    /// Reads one whole reply. queryToggle tells an alternating family which
    /// question was asked last.
    virtual void parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                            RigReading& reading) const = 0;

    /// The command that puts the rig on a frequency (MHz), or nullopt when
    /// this rig type has none.
    [[nodiscard]] virtual std::optional<QByteArray> setFrequencyCommand(float mhz,
                                                                        const RigContext& rig) const = 0;
    /// The command for a mode name ("CW", "LSB", "USB", "AM", "FM", "RTTY",
    /// "FSK", "CW-R", "RTTY-R", "DIG", "PKT"), or nullopt when the rig type
    /// has no command for it.
    [[nodiscard]] virtual std::optional<QByteArray> setModeCommand(const QString& mode,
                                                                   const RigContext& rig) const = 0;

    /// For command sets whose replies are fixed blocks with nothing to mark
    /// their end, one block for each question, the block's length; 0 for
    /// the others. The poll loop counts the blocks from the start of the
    /// answer to each question (poll_loop.h). parseFrame then reads nothing
    /// from a block that is no answer the rig could give.
    [[nodiscard]] virtual qsizetype blockLength() const { return 0; }
    [[nodiscard]] bool answersInBlocks() const { return blockLength() > 0; }

    /// False for a rig type whose answers are only shown: nothing is read
    /// from them, so any answer at all is taken for the rig's.
    [[nodiscard]] virtual bool readsReplies() const { return true; }

    /// False for a rig reached through files of another program rather than
    /// a serial port: no port is opened, and the two operations below stand
    /// in for reading replies and sending the set-frequency command.
    [[nodiscard]] virtual bool usesSerialPort() const { return true; }
    /// Reads the other program's file. True when it held a whole reading;
    /// shown is then the file's text, else what is wrong with the file.
    virtual bool pollWithoutPort(RigContext& rig, RigReading& reading, QString& shown) const
    {
        (void)rig;
        (void)reading;
        (void)shown;
        return false;
    }
    /// Asks the other program to tune; the problem when that failed.
    [[nodiscard]] virtual std::optional<QString> setFrequencyWithoutPort(float mhz, const QString& rigMode,
                                                                         const RigContext& rig) const
    {
        (void)mhz;
        (void)rigMode;
        (void)rig;
        return std::nullopt;
    }
};

}  // namespace radio
