#pragma once
// A rover on a line between counties counts, for the other station, as being
// in each of them at once, so one contact is logged once per county: the
// contact itself with the first county of the rover's list as the own
// county, then a copy for each further county. This unit drives the copies
// and says what each copy is (roverCopyEntry, roverCopyContext); the in-state
// window supplies the steps that touch the window (showing the own county,
// running the logging attempt and showing its outcome).
//
// Whatever happens on the way (a copy refused as a duplicate, a step that
// fails or throws, a window that gives up), the own county ends as the first
// county of the list and the re-logging is over: no later contact is logged
// from a county the operator is no longer in. A re-logging runs only right
// after a contact was stored, and every copy is made from that contact, so a
// refused entry never brings back an older contact to be logged again.

#include "log/contact_log.h"
#include "log/logging.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace contactlog {

/// The contact that was just stored, captured before the copies start, so
/// that the copies repeat it even if the log changes in between.
struct RoverSource {
    int record = 0;  ///< its record number; 0 means nothing was stored
    QString LogCall;
    QString LogSerialRcvd;
    QString LogSerialSent;
    QString LogSPC;
    QString LogCountyRcvd;
    QString LogDate;
    QString LogTime;
    QString LogMode;
    QString LogBand;
    QString LogFrequency;
};

/// The source of the copies: record n of the log as just stored; an empty
/// source (record 0) when n is no record of the log.
[[nodiscard]] RoverSource roverSourceOf(const ContactLog& log, int n);

/// One copy for one further county.
struct RoverCopy {
    int listIndex = 0;  ///< 1.. the county's place in the rover's list
    QString county;     ///< the own county of this copy, already made current
    /// True when the "Increment serial # sent for each" box is clear: the
    /// copy carries the serial sent of the source. False: the next serial.
    bool keepSerialSent = true;
    RoverSource source;
};

enum class RoverCopyOutcome {
    Stored,     ///< the copy is in the log
    NotStored,  ///< refused by the checks (normally a duplicate from that county)
    Failed,     ///< something went wrong: the re-logging stops here
};

struct RoverRelogHooks {
    /// Makes county the operator's own county: MyCounty and the window's
    /// own-county label. Never saves the preferences.
    std::function<void(const QString& county)> setOwnCounty;
    /// Runs one logging attempt for the copy (its entry from roverCopyEntry,
    /// its context from roverCopyContext), without touching the entry boxes,
    /// which may already hold the operator's next contact. The record it
    /// stores must score no points: it is the same contact once more.
    std::function<RoverCopyOutcome(const RoverCopy& copy)> logCopy;
    /// Sounds the failure beep.
    std::function<void()> reportFailure;
};

struct RoverRelogResult {
    bool ran = false;     ///< false: nothing to do, or a re-logging was already running
    int stored = 0;       ///< copies stored
    int notStored = 0;    ///< copies refused
    bool failed = false;  ///< a step failed; the later counties were not logged
};

/// What the logging routine is given for a copy: the source's call and
/// exchange, stamped with the source's date, time and frequency, and the
/// serial sent: the source's own when copy.keepSerialSent, else nextSerial
/// (the next serial number as the window shows it).
[[nodiscard]] EntryValues roverCopyEntry(const RoverCopy& copy, const QString& nextSerial);

/// The logging context of a copy: the window's context with the source's
/// band and mode, and the copy's county as the own county (stored as the
/// county sent and part of the duplicate check).
[[nodiscard]] LoggingContext roverCopyContext(LoggingContext windowContext, const RoverCopy& copy);

class RoverRelogger {
public:
    /// 0 while no re-logging runs, otherwise the list index being logged.
    [[nodiscard]] int RoverIndex() const { return m_index; }
    [[nodiscard]] bool running() const { return m_running; }

    /// The logging routine's test before it hands over: a rover, a list of
    /// more than one county, no re-logging running, and a contact stored by
    /// the attempt that just ended.
    [[nodiscard]] bool shouldRun(bool roverFlag, const QStringList& counties,
                                 const RoverSource& justStored) const;

    /// Logs source once more for each county of counties after the first,
    /// then makes the first county the own county again. Returns at once
    /// (ran false) when shouldRun's conditions on the list, the source and
    /// the running re-logging do not hold.
    RoverRelogResult LogRoverCounties(const QStringList& counties, bool incrementSerial,
                                      const RoverSource& source, const RoverRelogHooks& hooks);

private:
    int m_index = 0;
    bool m_running = false;
};

}  // namespace contactlog
