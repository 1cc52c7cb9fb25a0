#pragma once
// Numbers as the operator sees and types them: the ordinary short text form
// in the local format (8, -5.5, 7.98), and the test whether a typed text is a
// number at all.

#include <QString>
#include <optional>

namespace platform {

/// The short text form of a single-precision number in the local format.
[[nodiscard]] QString localNumberText(double value);

/// The number a typed text holds, in the local format or with a point;
/// surrounding blanks allowed. nullopt for an empty or non-numeric text.
[[nodiscard]] std::optional<double> typedNumber(const QString& text);

[[nodiscard]] inline bool isNumeric(const QString& text) { return typedNumber(text).has_value(); }

}  // namespace platform
