#pragma once
// Rig type "Other": the operator's own query strings from the radio's
// manual, sent as typed (or, with "Convert to Hex", as the bytes their
// spaced hexadecimal pairs name) so that the rig's answer can be watched in
// the window. Nothing is read from the answer and nothing is tuned.

#include "radio/rig_family.h"

namespace radio {

const RigFamily& operatorStrings();

}  // namespace radio
