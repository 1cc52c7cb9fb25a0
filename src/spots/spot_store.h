#pragma once
// The last 50 DX spots, shared by both main windows and the spectrum map,
// and the rows of the spot list.
//
// Slot 49 always holds the newest spot, slot 0 the oldest kept; every new
// spot moves the others down one slot and the one in slot 0 is dropped. A
// frequency of 0 marks a slot without a spot (never filled, or deleted from
// a map): its call, time and label stay and move down like any other. Slots
// 50 and 51 exist and are never used.
//
// Every stored spot also gets an id of its own, which moves with it: what a
// map label or a click holds on to is the spot, not the slot it was in when
// the label was drawn.

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

namespace app {
struct CountryPrefixTable;
}

namespace spots {

/// A stored spot's own number, given in order of arrival from 1; 0 stands
/// for no spot.
using SpotId = quint64;

struct SpotSlot {
    QString SpotCall;          ///< the spotted call, as received
    float SpotFrequency = 0;   ///< MHz; 0: no spot
    QDateTime SpotTime;        ///< local date and time the spot was stored
    QString SpotLabel;         ///< the text the maps show (SpotPrefix of the call)
    /// SpotTime as milliseconds since the epoch, worked out once when the spot
    /// is stored: the maps age every spot at each redraw.
    qint64 receivedMs = 0;
    int receivedSecondOfDay = 0;  ///< SpotTime's seconds since local midnight
    SpotId id = 0;                ///< 0 for a slot never filled
};

class SpotStore {
public:
    static constexpr int SlotCount = 52;
    static constexpr int Capacity = 50;
    static constexpr int Newest = 49;

    /// Shifts every spot down one slot, stores the new one in slot 49 and
    /// deletes the newest older copy of the same call (letter case ignored)
    /// in slots 48 to 1; a copy in slot 0 stays live.
    void store(const QString& call, float frequencyMHz, const QDateTime& receivedLocal);

    [[nodiscard]] const SpotSlot& slot(int i) const { return m_slots[static_cast<std::size_t>(i)]; }
    /// Deleting a spot from a map: only its frequency becomes 0.
    void deleteSpot(int i) { m_slots[static_cast<std::size_t>(i)].SpotFrequency = 0; }
    [[nodiscard]] bool live(int i) const { return slot(i).SpotFrequency != 0; }
    /// The slot that holds the spot now, deleted from the maps or not; -1
    /// once it has been shifted out of the store, and for id 0.
    [[nodiscard]] int slotOf(SpotId id) const;

private:
    std::array<SpotSlot, SlotCount> m_slots{};
    SpotId m_lastId = 0;
};

/// The label a map shows for a call: the call up to its last digit, the
/// part before a "/" in the call's first half, the digits after a late "/"
/// in place of the call's own digit, or the letters after it.
[[nodiscard]] QString SpotPrefix(const QString& call);

/// The spot's frequency in MHz from the cluster's kHz text; nullopt when
/// the text is no number, or is 0 or below, so that no such spot reaches
/// the store or the maps.
[[nodiscard]] std::optional<double> spotFrequencyMHz(const QString& kHzText);

/// The record as the spot list reads it: cut before its first CR.
[[nodiscard]] QString recordBeforeCR(const QString& record);

/// The eight columns of one spot-list row.
struct SpotListRow {
    static constexpr int Columns = 8;
    std::array<QString, Columns> text;  ///< Call, Frequency, QTH, Status, Comments, Prefix, Time, From
};

/// The row for a spot: the call as passed, the frequency in MHz with the
/// decimals it needs, the country, an empty status, and the comment,
/// prefix, time and spotter columns cut from the record (already cut
/// before its CR).
[[nodiscard]] SpotListRow spotListRow(const QString& call, double frequencyMHz,
                                      const QString& record, const QString& country);

/// The frequency column's text: a plain decimal number, point as separator,
/// as many decimals as the value needs (14.025, 7.0035).
[[nodiscard]] QString frequencyColumnText(double frequencyMHz);

}  // namespace spots
