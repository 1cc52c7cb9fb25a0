#pragma once
// Where the other station is: the country of a call sign from the prefix
// table, the position of a US state, and the great-circle bearing and
// distance from the operator's own position.
//
// Positions are degrees, latitude positive north and longitude positive
// WEST, as in the prefix table, the state table and the station's own
// preferences; the bearing rule gives true bearings in that sense.
//
// The prefix walk relies on the table's rows being grouped by the first
// character of the prefix, the groups in ascending order (digits before
// letters). It starts from an estimate of where the call's group lies, so a
// lookup on every keystroke reads only the rows of one group. Every row it
// reads is a row of the table, whatever the call holds (lower case, pasted
// punctuation, characters beyond Z): an estimate outside the table finds
// nothing instead of reading past it.
//
// Nothing here keeps state between calls: the in-state window and the spot
// list may both look calls up, in any order.

#include "app/reference_tables.h"

#include <QString>
#include <optional>

namespace contactlog {

struct GeoPoint {
    double latitude = 0;   ///< degrees north
    double longitude = 0;  ///< degrees west
};

/// How the prefix walk compares texts: the in-state window ignores letter
/// case; the spot list compares character codes exactly.
enum class PrefixCompare { IgnoreCase, Exact };

/// The part of a call that is looked up: the text after the first "/" when
/// it is longer than one character and shorter than half the call
/// (K6ABC/VE3 gives VE3), else the whole call (VE3/K6ABC, DL1ABC/P).
[[nodiscard]] QString portableLookupCall(const QString& call);

struct PrefixMatch {
    int row = 0;     ///< 1-based row of the longest matching prefix; 0 none
    int length = 0;  ///< its length
};

/// The longest prefix of the table that lookupCall begins with; among equal
/// lengths the first met by the walk.
[[nodiscard]] PrefixMatch findLongestPrefix(const app::CountryPrefixTable& table,
                                            const QString& lookupCall, PrefixCompare compare);

/// The country of the call in the call box, as the in-state window uses it.
struct CallCountry {
    enum class Outcome {
        NoCall,       ///< nothing to look up
        Dx,           ///< a country other than the USA and Canada (or KG4 as USA)
        UsaOrCanada,  ///< the operator types the state or province
        NotFound,     ///< no prefix matched
    };
    Outcome outcome = Outcome::NoCall;
    QString lookupCall;  ///< the part of the call that was looked up
    int row = 0;         ///< row giving continent and position; 0 none
    /// For Dx: what the state/province/country box gets: "AK" for Alaska,
    /// "HI" for Hawaii, the country name otherwise, "" for a KG4 station.
    QString boxText;
    QString continent;
    std::optional<GeoPoint> position;
};

/// Looks up callBoxText, letter case ignored. Calls beginning with KG4 that
/// are 4 or more than 5 characters long are stations of the USA: box text
/// "", continent and position of the table's first "USA" row.
[[nodiscard]] CallCountry lookupCallCountry(const app::CountryPrefixTable& table,
                                            const QString& callBoxText);

/// Great-circle course from own to other.
struct DistanceBearing {
    double bearing = 0;  ///< degrees clockwise from true north, 0 to 360
    double miles = 0;    ///< statute miles
};

/// nullopt when the arithmetic breaks down: the two positions coincide or are
/// antipodes, the other point lies straight above or below the own position's
/// meridian course (the course's cosine reaches +-1), or the own position is a
/// pole.
[[nodiscard]] std::optional<DistanceBearing> distanceBearing(GeoPoint own, GeoPoint other);

/// The texts of the bearing and distance labels: whole degrees ("###") and
/// whole miles with grouped thousands ("##,###"), each followed by a blank;
/// zero shows as the blank alone. Both empty when distanceBearing fails.
struct DistanceBearingText {
    QString bearing;
    QString distance;
};
[[nodiscard]] DistanceBearingText ShowDistanceBearing(GeoPoint own, GeoPoint other);

/// What the in-state window shows after looking up the call box: the labels
/// and the box to change (nullopt leaves a control as it is). The window sets
/// the box first (its change rules run), then the three labels, then selects
/// the box's whole text when selectBox is set.
struct CountryDisplay {
    std::optional<QString> box;        ///< txtCntry
    std::optional<QString> continent;  ///< continentLabel
    std::optional<QString> bearing;    ///< bearingLabel
    std::optional<QString> distance;   ///< distanceLabel
    bool selectBox = false;
};
[[nodiscard]] CountryDisplay LookupCallCountry(const app::CountryPrefixTable& table,
                                               const QString& callBoxText,
                                               const QString& boxTextNow, GeoPoint own);

/// The text the box shows when no prefix matches.
inline constexpr auto NotFoundText = u"Not Found";

/// The position of a state of the state table, letter case ignored.
[[nodiscard]] std::optional<GeoPoint> statePosition(const app::StateLocationTable& table,
                                                    const QString& abbrev);

/// The province code of a Canadian call from its first three characters
/// ("VE3" gives "ON", "VY1" "NT"), letter case ignored; "" for a call of
/// fewer than 3 characters or another prefix.
[[nodiscard]] QString canadianProvinceCode(const QString& call);

/// Type-ahead for the state/province/country box: the last row whose country
/// name begins with typedPrefix (letter case ignored); 0 when none.
[[nodiscard]] int countryCompletionRow(const app::CountryPrefixTable& table,
                                       const QString& typedPrefix);

/// The spot list's lookup: exact comparisons; "" when nothing matches, the
/// best row's country, or "USA" for a matched call beginning with KG4 of
/// more than five characters.
[[nodiscard]] QString LookupSpotCountry(const app::CountryPrefixTable& table, const QString& call);

}  // namespace contactlog
