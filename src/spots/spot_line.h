#pragma once
// DX cluster announcements as the three spot sources deliver them, and the
// monitor box they are shown in.
//
// A cluster line begins "DX" (any letter case) and keeps fixed columns,
// counted from 1:
//   1-2    "DX"
//   16-24  the frequency in kHz, right-aligned
//   27-39  the spotted call, left-aligned
//   4-     spotter, frequency, call, comment and time: the spot record
// Only the space character counts as a blank here; CR and LF are kept.

#include <QString>
#include <QStringList>

namespace spots {

/// The monitor never holds more than this after trimming; a longer text is
/// cut to its last MonitorKeep characters.
inline constexpr qsizetype MonitorLimit = 10000;
inline constexpr qsizetype MonitorKeep = 9000;
/// How far back in the monitor a repeated line is looked for.
inline constexpr qsizetype RepeatWindow = 800;

/// text without spaces at either end (CR, LF and tabs stay).
[[nodiscard]] QString trimBlanks(const QString& text);

/// True when the unit's first two characters are "DX", letter case ignored.
/// A leading blank makes it no spot.
[[nodiscard]] bool isSpotUnit(const QString& unit);

/// The spot a received line holds: the line itself when isSpotUnit accepts
/// it; otherwise the line from its first "DX de" (any case) on, when other
/// text than blanks comes before it (a cluster's prompt has no line end, so
/// the spot line that follows it arrives glued to it, and its columns count
/// from "DX de"); an empty text when the line holds no spot.
[[nodiscard]] QString spotUnitIn(const QString& line);

/// The text cut after each CR LF, every piece keeping its CR LF; a last
/// piece without one is a piece too. Text with every line end made CR LF
/// thus gives one piece per line, an empty line as a lone CR LF.
[[nodiscard]] QStringList crLfLines(const QString& text);

/// What a spot hands on: the frequency field and the call field, blanks
/// removed, and the record (the line less its first three characters).
struct ClusterSpotLine {
    QString frequency;  ///< kHz as text; empty when the line is too short
    QString call;
    QString record;
};

/// Cuts the columns of a unit that isSpotUnit accepted.
[[nodiscard]] ClusterSpotLine cutSpotLine(const QString& unit);

/// True when unit occurs, letter case ignored, in the last RepeatWindow
/// characters of the monitor (positions from length - 800 on).
[[nodiscard]] bool isRepeatOfMonitor(const QString& monitor, const QString& unit);

/// The monitor after its size cap: its last 9,000 characters once it holds
/// more than 10,000; otherwise unchanged.
[[nodiscard]] QString trimmedMonitor(const QString& monitor);

}  // namespace spots
