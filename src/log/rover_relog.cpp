#include "log/rover_relog.h"

namespace contactlog {

namespace {

/// Ends a re-logging however it is left: the own county back to the first
/// county of the list and the running mark cleared.
class RestoreOnExit {
public:
    RestoreOnExit(const QString& firstCounty, const RoverRelogHooks& hooks, int& index,
                  bool& running)
        : m_firstCounty(firstCounty), m_hooks(hooks), m_index(index), m_running(running)
    {
        m_running = true;
    }
    ~RestoreOnExit()
    {
        try {
            if (m_hooks.setOwnCounty)
                m_hooks.setOwnCounty(m_firstCounty);
        } catch (...) {
            // Nothing sensible is left to do in a destructor; the running mark
            // is still cleared so the next contact can be re-logged.
        }
        m_index = 0;
        m_running = false;
    }
    RestoreOnExit(const RestoreOnExit&) = delete;
    RestoreOnExit& operator=(const RestoreOnExit&) = delete;

private:
    QString m_firstCounty;
    const RoverRelogHooks& m_hooks;
    int& m_index;
    bool& m_running;
};

}  // namespace

RoverSource roverSourceOf(const ContactLog& log, int n)
{
    RoverSource s;
    if (n < 1 || n > log.ContactCount())
        return s;
    const ContactRecord& r = log.record(n);
    s.record = n;
    s.LogCall = r.LogCall;
    s.LogSerialRcvd = r.LogSerialRcvd;
    s.LogSerialSent = r.LogSerialSent;
    s.LogSPC = r.LogSPC;
    s.LogCountyRcvd = r.LogCountyRcvd;
    s.LogDate = r.LogDate;
    s.LogTime = r.LogTime;
    s.LogMode = r.LogMode;
    s.LogBand = r.LogBand;
    s.LogFrequency = r.LogFrequency;
    return s;
}

EntryValues roverCopyEntry(const RoverCopy& copy, const QString& nextSerial)
{
    const RoverSource& s = copy.source;
    EntryValues e;
    e.call = s.LogCall;
    e.serialRcvd = s.LogSerialRcvd;
    e.county = s.LogCountyRcvd;
    e.spc = s.LogSPC;
    e.nextSerial = copy.keepSerialSent ? s.LogSerialSent : nextSerial;
    e.stamp = ContactStamp{s.LogDate, s.LogTime, s.LogFrequency};
    return e;
}

LoggingContext roverCopyContext(LoggingContext windowContext, const RoverCopy& copy)
{
    windowContext.MyCounty = copy.county;
    windowContext.CurrentBand = copy.source.LogBand;
    windowContext.CurrentMode = copy.source.LogMode;
    return windowContext;
}

bool RoverRelogger::shouldRun(bool roverFlag, const QStringList& counties,
                              const RoverSource& justStored) const
{
    return roverFlag && counties.size() > 1 && !m_running && justStored.record > 0;
}

RoverRelogResult RoverRelogger::LogRoverCounties(const QStringList& counties, bool incrementSerial,
                                                 const RoverSource& source,
                                                 const RoverRelogHooks& hooks)
{
    RoverRelogResult result;
    if (m_running || counties.size() <= 1 || source.record <= 0 || !hooks.logCopy)
        return result;
    result.ran = true;

    // The operator may change the list while events run between the copies;
    // the re-logging works from the list as it was when the contact was stored.
    const QStringList list = counties;
    RestoreOnExit restore(list.first(), hooks, m_index, m_running);

    for (int i = 1; i < list.size(); ++i) {
        m_index = i;
        RoverCopy copy;
        copy.listIndex = i;
        copy.county = list.at(i);
        copy.keepSerialSent = !incrementSerial;
        copy.source = source;

        RoverCopyOutcome outcome = RoverCopyOutcome::Failed;
        try {
            if (hooks.setOwnCounty)
                hooks.setOwnCounty(copy.county);
            outcome = hooks.logCopy(copy);
        } catch (...) {
            outcome = RoverCopyOutcome::Failed;
        }
        if (outcome == RoverCopyOutcome::Failed) {
            result.failed = true;
            if (hooks.reportFailure)
                hooks.reportFailure();
            break;
        }
        if (outcome == RoverCopyOutcome::Stored)
            ++result.stored;
        else
            ++result.notStored;
    }
    return result;
}

}  // namespace contactlog
