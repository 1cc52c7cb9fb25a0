#pragma once
// The CW messages of the function keys and their wildcards: "$" the call in
// the call box, "#" the serial number to send, "*" the signal report ("599"
// or nothing goes out as "5NN"), "^" the operator's own county, abbreviated
// when the county table has a shorter name for it. A "!" stays in the text:
// the sender logs the contact when it reaches it.

#include <QString>

namespace contactlog {
struct CountyTable;
}

namespace keying {

/// The message box of a function key as the main window passes it: 0 to 8
/// for F1 to F9 (112 to 120), 9 for F10 (124), 10 for F11 (122); -1 for any
/// other code (121, the unmapped F10, included).
[[nodiscard]] int messageIndexForKey(int keyCode);

/// The values the wildcards stand for. rstSent is the shared report mirror:
/// the "*" rule writes "5NN" into it when it holds "599" or nothing.
struct MacroValues {
    QString call;
    QString serial;
    QString* rstSent = nullptr;
    QString operatorCounty;  ///< empty in the out-of-state window
    const contactlog::CountyTable* counties = nullptr;
};

/// The message with its wildcards replaced, in four passes ("$", "#", "*",
/// "^"); each value is inserted trimmed and not scanned again by its pass.
[[nodiscard]] QString expandCwMacros(const QString& message, MacroValues& values);

/// A county name as sent: its abbreviation when the table has one that is
/// shorter than the name (first row whose name equals it, case ignored),
/// otherwise the text unchanged.
[[nodiscard]] QString AbbreviateCounty(const QString& county, const contactlog::CountyTable* counties);

/// A message box's text as the operator may type it: a double quote would
/// make cw.txt unreadable from that value on, so it is dropped.
[[nodiscard]] QString withoutDoubleQuotes(const QString& text);

}  // namespace keying
