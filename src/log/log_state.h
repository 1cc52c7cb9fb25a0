#pragma once
// The contact log and the values that both main windows, the keyers, the
// reports and the spot windows share about it. One LogState lives in
// AppState; the entry and log subsystem owns it, the others read it or set
// the single values documented here.

#include "log/contact_log.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <vector>

namespace contactlog {

/// One list of DX country names (in-state window); its count is names.size().
struct DXWorkedList {
    std::vector<QString> names;
    [[nodiscard]] int count() const { return static_cast<int>(names.size()); }
};

/// The counties worked (each distinct county of the log once, as first
/// written) and the counties of the table still to go. Kept in log order;
/// the list boxes showing them sort themselves.
struct CountyLists {
    std::vector<QString> worked;
    std::vector<QString> toGo;
};

/// Totals of the log, recounted from the whole log by a reload and kept up to
/// date by logging. Whole values held in single precision, as stored.
struct LogTotals {
    float QSOPoints = 0;
    float CWQSOCount = 0;
    float PhoneQSOCount = 0;
    float DigitalQSOCount = 0;  ///< counted, not shown
};

struct LogState {
    ContactLog contacts;

    // The check flags: a contact is stored only when all four are 0 after the checks.
    quint8 NeedFieldFlag = 0;       ///< a required entry field is missing
    quint8 DupeFlag = 0;            ///< the entry duplicates a logged contact
    quint8 SectionInvalidFlag = 0;  ///< in-state: the state/province is not in the table
    quint8 CountyInvalidFlag = 0;   ///< the county is not in the county table (the dialogs set it too)
    QDateTime DupeTime;             ///< local moment of the last duplicate
    qint64 DupeTimeMs = 0;          ///< the same moment on the monotonic clock (the hold counts from it)

    quint8 PartialDupesFlag = 1;  ///< possible-duplicates line on; a main window's load sets 1
    quint8 ListAllFlag = 0;       ///< recent contacts: 0 the last 20, 1 all

    LogTotals totals;
    int MultiplierCount = 0;  ///< in-state: sections worked
    CountyLists counties;

    /// In-state multiplier marks: rows 0..100 follow the state/province table
    /// rows, columns 0..8; column 1 marks a section worked on any band and mode.
    std::array<std::array<quint8, 9>, 101> MultWorkedTable{};
    /// In-state DX country lists; the first two hold the countries worked on CW and on PH.
    std::array<DXWorkedList, 7> DXWorkedLists;

    // The operating-time clock (BankedOpSeconds is one of the station preferences).
    quint8 TimedOnFlag = 0;      ///< 1 while the clock runs
    QDateTime TimeOnAt;          ///< local moment of the last Time On
    float OperatingSeconds = 0;  ///< the operating seconds last shown

    /// The rig's frequency in MHz as text ("#####.##0"), set after each answered
    /// poll, stored with the next contact and cleared after every logging attempt.
    QString RigFrequencyText;

    // Mirrors of the entry fields, kept by the main windows for the keyers.
    QString CurrentCallText;
    QString NextSerialText;
    QString RstSentText;
    QString OperatorCountyText;  ///< in-state window only

    /// Hand-over of one key between entry boxes within one keystroke:
    /// 4 a digit from the call box to the serial box, 3 a key from the serial
    /// box to the next box of the exchange; 0 between keystrokes.
    quint8 KeyCarryState = 0;
    QString CarriedKeyText;

    /// The record chosen for editing (1 to ContactCount), read by the edit dialogs.
    int EditRecordIndex = 0;
};

}  // namespace contactlog
