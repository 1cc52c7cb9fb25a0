#pragma once
// Yaesu's binary command set, spoken by seven rig types of the list. Every
// command is a block of five bytes: four parameters P1 to P4, then the
// opcode. A poll asks for one status block; the rig answers with a block of
// a fixed length and nothing marks where it ends, so the poll loop counts
// it from the start of the answer to each question (a stray byte would
// shift every field) and a block is read only once all of its bytes are
// there.
//
//   rig type          poll            block  frequency in the block           mode
//   Yaesu             00 00 00 00 03      5  bytes 1-4 BCD, 10 Hz, MSB first  byte 5
//   Yaesu 757 GX II   00 00 00 00 10     75  bytes 6-9 BCD, 10 Hz, LSB first  byte 10 (decimal)
//   Yaesu 890         00 00 00 02 10     19  bytes 3-5 binary, 10 Hz          low nibble of byte 8
//   Yaesu 920         00 00 00 02 10     28  bytes 2-5 binary, Hz             low nibble of byte 8
//   Yaesu 990, 1000 D 00 00 00 02 10     16  bytes 2-4 binary, 10 Hz          low nibble of byte 8
//   Yaesu 1000        00 00 00 02 10     16  bytes 2-5 less their outer       low nibble of byte 8
//                                            nibbles, binary, 10 Hz
//
// Set frequency: "Yaesu" takes eight BCD digits of tens of Hz most
// significant first with opcode 01; the six others take them least
// significant first with opcode 0A. Set mode: opcode 07 with the mode in P1
// ("Yaesu"), or 0C with the mode in P4 (the others).
//
// Positions inside a block are counted in hexadecimal digits from 1, two
// to a byte, high nibble first, as the rigs' own tables count them.

#include "radio/rig_family.h"

#include <span>

namespace radio::yaesu {

/// A value read from a block and the mode it means; values not listed
/// leave the mode as it was.
struct ModeValue {
    int value;
    const char* mode;
};

struct Model {
    enum class Frequency {
        BcdMostFirst,   ///< decimal digits in place, most significant first
        BcdLeastFirst,  ///< decimal digit pairs, least significant pair first
        Binary,         ///< one binary number
    };
    enum class ModeRead {
        Byte,         ///< the whole byte's value
        DecimalByte,  ///< the byte's two hex digits read as decimal up to the first letter
        LowNibble,    ///< the byte's low nibble
    };
    enum class Commands {
        Opcode01And07,  ///< "Yaesu": frequency most significant first, mode in P1
        Opcode0AAnd0C,  ///< the others: frequency least significant first, mode in P4
    };

    int blockLength;         ///< bytes of the answer to a poll
    Frequency frequency;
    int firstDigit;          ///< hex digit where the frequency field starts
    int lastDigit;           ///< and where it ends
    qint64 unitsPerMHz;      ///< 100,000 (tens of Hz) or 1,000,000 (Hz)
    ModeRead modeRead;
    int modeByte;            ///< byte of the block holding the mode, from 1
    std::span<const ModeValue> modes;
    Commands commands;
    /// The rig's frequency range (kHz, both ends included); a block outside
    /// it is no block of this rig's. This, not the mode value, is what
    /// tells a binary block from noise: a rig in a mode the logger has no
    /// contest mode for (RTTY, packet) still sends its frequency.
    qint64 lowestKHz;
    qint64 highestKHz;
};

class YaesuFamily final : public RigFamily {
public:
    explicit constexpr YaesuFamily(const Model& model) : m_model(model) {}

    FrameCut cut(QByteArrayView pending) const override;
    QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const override;
    void parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                    RigReading& reading) const override;
    std::optional<QByteArray> setFrequencyCommand(float mhz, const RigContext& rig) const override;
    std::optional<QByteArray> setModeCommand(const QString& mode, const RigContext& rig) const override;
    qsizetype blockLength() const override { return m_model.blockLength; }

    [[nodiscard]] const Model& model() const { return m_model; }

private:
    Model m_model;
};

const RigFamily& yaesu();
const RigFamily& yaesu757();
const RigFamily& yaesu890();
const RigFamily& yaesu920();
const RigFamily& yaesu990();  ///< also the 1000 D
const RigFamily& yaesu1000();

/// Reads one whole block of the model's layout. A block that is no answer
/// of the rig's reads nothing: shorter than the model's length, or a
/// frequency field that is no number (a BCD nibble above 9) or outside the
/// rig's range. A mode value not in the table leaves the mode out of the
/// reading (the mode stays as it was) and keeps the frequency.
void ParseYaesuBlock(const Model& model, QByteArrayView block, RigReading& reading);

/// The readers of each rig type's block, by the table above.
void ParseYaesuReply(QByteArrayView block, RigReading& reading);
void ParseYaesu757Reply(QByteArrayView block, RigReading& reading);
void ParseYaesu890Reply(QByteArrayView block, RigReading& reading);
void ParseYaesu920Reply(QByteArrayView block, RigReading& reading);
void ParseYaesu990Reply(QByteArrayView block, RigReading& reading);  ///< also the 1000 D
void ParseYaesu1000Reply(QByteArrayView block, RigReading& reading);

}  // namespace radio::yaesu
