#pragma once
// The Icom CI-V command set, spoken by the "Icom", "Icom 735" and
// "Ten Tec Omni VI" rig types. Every frame is FE FE <to> <from> <command>
// <data…> FD; this program's address is E0 and the rig's is the pair at
// characters 7 and 8 of the frequency query ("64" in "FE FE 64 E0 03 FD").
// The rig echoes each command back on its one-wire bus before it answers,
// and acknowledges a set command with FB (done) or FA (refused); frames
// without data and frames of other commands say nothing and are passed over.
//
//   command  meaning         data
//   03       read frequency  BCD Hz, least significant pair first
//                            (five bytes; four on the 735)
//   04       read mode       mode byte (00 LSB, 01 USB, 02 AM, 03 CW,
//                            04 RTTY, 05 FM, 07 CW-R, 08 RTTY-R), filter
//   05       set frequency   as 03
//   06       set mode        mode byte (no filter byte)
//
// One question goes out per poll cycle, frequency and mode in turn. A reply
// is read by its own command byte, so an answer that arrives a cycle late is
// still read as what it is. Nothing of a frame is read before its FD.

#include "radio/rig_family.h"

namespace radio::icom {

struct Model {
    int frequencyBytes;  ///< data bytes of a frequency: 5, or 4 on the 735
    bool setsMode;       ///< the 735 is given no set-mode frame
};

class IcomFamily final : public RigFamily {
public:
    explicit constexpr IcomFamily(const Model& model) : m_model(model) {}

    FrameCut cut(QByteArrayView pending) const override;
    QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const override;
    void parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                    RigReading& reading) const override;
    std::optional<QByteArray> setFrequencyCommand(float mhz, const RigContext& rig) const override;
    std::optional<QByteArray> setModeCommand(const QString& mode, const RigContext& rig) const override;

private:
    Model m_model;
};

const RigFamily& icom();
const RigFamily& icom735();
const RigFamily& omniVI();

/// The frequency (MHz) of a whole frame answering command 03: its data
/// bytes read as BCD Hz, least significant pair first. nullopt for any other
/// frame, one whose data is not frequencyBytes long (5, or 4 from the 735),
/// or a nibble that is no decimal digit.
[[nodiscard]] std::optional<float> ParseIcomFrequency(QByteArrayView frame, int frequencyBytes = 5);
/// The mode of a whole frame answering command 04: "CW" for CW and CW-R,
/// "PH" for any other mode byte; nullopt for any other frame.
[[nodiscard]] std::optional<QString> ParseIcomMode(QByteArrayView frame);

}  // namespace radio::icom
