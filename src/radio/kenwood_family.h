#pragma once
// The Kenwood-style text command sets: two capital letters name an item,
// fixed-width decimal digits carry its value, ";" ends every command and
// reply. Four rig types speak it with small differences, held as a table of
// quirks (kenwood_frame.cpp):
//
//   rig type         poll               reply read                  set frequency
//   Kenwood          FA; MD; together   FA + 11 digits, MD + digit  <query's 2 letters> + 11 digits
//   Elecraft         FA; MD; together   as Kenwood                  FA + 11 digits
//   Kenwood 2        IF;                IF status (38 characters)   FA or FB by the VFO in the status
//   Yaesu FTdx9000   FA; MD0; in turn   FA + 8 digits, MD0 + char   <query's 2 letters> + 8 digits
//
// Commands implemented: FA/FB (VFO A/B frequency, read and set), MD (mode,
// read and set; MD0 on the FTdx9000), IF (transceiver status, read).
// Frequencies are in Hz; the status reply carries the frequency in
// characters 3 to 13, the mode in character 30 and the VFO in 31.

#include "radio/rig_family.h"

namespace radio::kenwood {

struct Model {
    enum class Poll { BothQueries, OneQueryInTurn };
    enum class Reply { FrequencyAndMode, Status, FrequencyAndMode0 };
    enum class SetPrefix { FromQuery, FA, ByVfo };
    enum class ModeTable { Kenwood, FTdx9000 };

    Poll poll;
    Reply reply;
    SetPrefix setPrefix;
    int setFrequencyDigits;  ///< 11, or 8 on the FTdx9000
    ModeTable modes;
};

class KenwoodFamily final : public RigFamily {
public:
    explicit constexpr KenwoodFamily(const Model& model) : m_model(model) {}

    FrameCut cut(QByteArrayView pending) const override;
    QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const override;
    void parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                    RigReading& reading) const override;
    std::optional<QByteArray> setFrequencyCommand(float mhz, const RigContext& rig) const override;
    std::optional<QByteArray> setModeCommand(const QString& mode, const RigContext& rig) const override;

private:
    Model m_model;
};

const RigFamily& kenwood();
const RigFamily& elecraft();
const RigFamily& kenwood2();
const RigFamily& ftdx9000();

// The readers of one whole reply (frequency in Hz, divided to MHz and
// rounded to 10 Hz). A field is read only when it is there in full, before
// the reply's ";".

/// "FA" (the frequency query's first two letters) and 11 digits.
void ParseKenwoodFrequency(QByteArrayView frame, const RigContext& rig, RigReading& reading);
/// "MD" and a digit: 3 and 7 are CW, anything else phone.
void ParseKenwoodMode(QByteArrayView frame, RigReading& reading);
/// The "IF" status: frequency, mode digit (3 is CW) and VFO digit.
void ParseKenwood2Reply(QByteArrayView frame, RigContext& rig, RigReading& reading);
/// "FA" and 8 digits; "MD0" (the mode query's first three) and a character.
void ParseFTdx9000Reply(QByteArrayView frame, const RigContext& rig, RigReading& reading);

}  // namespace radio::kenwood
