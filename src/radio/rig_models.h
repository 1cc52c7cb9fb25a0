#pragma once
// The rig types of the rig interface's list, in list order, each with what a
// click on it fills in (serial settings, the two query strings) and what the
// rig interface needs to drive it: the command set, the pauses before a
// set-frequency command, bytes for the port's opening and the window's
// closing, and handshaking. Adding a command set means pointing rows of
// this table at it (see rig_family.h).

#include "radio/rig_family.h"

#include <QString>
#include <array>

namespace radio {

struct RigModel {
    const char* name;
    // Defaults applied when the operator picks the rig type; nullptr or
    // '\0' leaves that option as it is.
    const char* baud;  ///< "4800" … "56000"
    char parity;       ///< 'N', 'O', 'E'
    char dataBits;     ///< '7', '8'
    char stopBits;     ///< '1', '2'
    const char* frequencyQuery;
    const char* modeQuery;
    bool queriesInHex;      ///< ticks "Convert to Hex"
    bool operatorMayConvert;///< "Convert to Hex" stays enabled
    bool showIcomNote;      ///< the note on the Icom address
    /// The command set; null for "None" and for rig types whose command set
    /// this build lacks (they are polled with nothing and only show replies).
    const RigFamily* family;
    /// Pauses before the set-frequency command, made one after the other
    /// with pending events let run between them; 0 ends the list.
    std::array<int, 2> setFrequencyPauseMs;
    bool rtsHandshake;       ///< RTS/CTS handshaking on the port
    const char* openBytes;   ///< packed hex sent once the port is open
    const char* closeBytes;  ///< packed hex sent when the window closes while polling
};

constexpr int RigModelCount = 19;

/// The list, in the order the window shows it.
[[nodiscard]] const std::array<RigModel, RigModelCount>& rigModels();

/// The row of a rig type (exact text); null for a text not in the list.
[[nodiscard]] const RigModel* findRigModel(const QString& rigType);

}  // namespace radio
