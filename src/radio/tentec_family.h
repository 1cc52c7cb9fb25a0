#pragma once
// The Ten-Tec command sets of their own (the Omni VI speaks CI-V and is an
// Icom type). None of the three has a set-mode command.
//
// "Ten Tec Orion": text lines ended by a carriage return.
//   ?AF<CR>          -> @AF<Hz as decimal digits><CR>
//   ?RMM<CR>         -> @RMM<mode digit><CR>   (2 and 3 are CW)
//   *AF<Hz><CR>      set the frequency        -> G<CR>
//   X<CR>            sent once the port is open (rig_models.cpp)
// Both queries go out on one poll; each line is read by its own prefix.
//
// "Ten Tec Fnt Pnl" (front-panel set): an ASCII letter, binary bytes, CR.
//   ?A<CR>           -> A <4 bytes: Hz, most significant first> <CR>
//   ?M<CR>           -> M <main mode> <sub mode> <CR>; the low nibble of the
//                       main mode byte: 3 CW; 0, 1, 2, 4 phone
//   *A <4 bytes> <CR> set the frequency       -> G<CR>
// One question per poll, frequency and mode in turn. The frequency bytes
// may themselves be 0D, so a reply is cut by its fixed length, never at
// the first carriage return, and read by its own letter.
//
// "Ten Tec Pegasus": no port. The Pegasus control program writes
// PEGASUS.OUT (frequency in MHz and mode, separated by a comma or a line
// break) and reads PEGASUS.IN (two lines: the frequency in MHz to tune to,
// the mode). Both live in a folder the operator chooses (RigContext::
// filesFolder).

#include "radio/rig_family.h"

namespace radio::tentec {

const RigFamily& orion();
const RigFamily& frontPanel();
const RigFamily& pegasus();

// The readers of one whole reply (a line, or a fixed-length frame).

/// "@AF" and the digits before the line's carriage return (MHz, rounded
/// to 10 Hz); nullopt without them or when they are no number.
[[nodiscard]] std::optional<float> ParseOrionFrequency(QByteArrayView line);
/// "@RMM" and its digit: "CW" for 2 and 3, "PH" for any other; nullopt
/// when the digit is not there.
[[nodiscard]] std::optional<QString> ParseOrionMode(QByteArrayView line);

/// A whole "A" frame: the frequency of its four bytes (MHz, rounded to 10 Hz).
[[nodiscard]] std::optional<float> ParseTenTecFrequency(QByteArrayView frame);
/// A whole "M" frame: "CW", "PH", or nullopt for a mode it does not know.
[[nodiscard]] std::optional<QString> ParseTenTecMode(QByteArrayView frame);

/// The text of PEGASUS.OUT read whole: frequency and mode ("CW", "PH" or
/// empty), or the reason it holds no reading.
struct PegasusReading {
    std::optional<float> frequency;
    QString mode;
    QString problem;  ///< empty when the reading is whole
};
[[nodiscard]] PegasusReading ParsePegasusOut(const QByteArray& text);
/// The text of PEGASUS.IN: the frequency as decimal text, then the mode.
[[nodiscard]] QByteArray FormatPegasusIn(float mhz, const QString& mode);

constexpr const char* PegasusOutName = "PEGASUS.OUT";
constexpr const char* PegasusInName = "PEGASUS.IN";

}  // namespace radio::tentec
