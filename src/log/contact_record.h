#pragma once
// One logged contact: the twenty values of one line of log.txt, in file
// order. Only LogSpareNumber is a number; every other field is text, stored
// and moved as it stands (the store never interprets a value).

#include <QString>

namespace contactlog {

struct ContactRecord {
    QString LogCall;        ///< 1  call sign worked
    QString LogRstSent;     ///< 2  never filled by the entry windows
    QString LogRstRcvd;     ///< 3  never filled by the entry windows
    QString LogSPC;         ///< 4  state, province or country received (in-state window)
    QString LogCountyRcvd;  ///< 5  full county name received
    QString LogState;       ///< 6  never filled by the program
    QString LogCountySent;  ///< 7  the operator's own county (in-state window)
    QString LogSpare8;      ///< 8  always empty
    QString LogSpare9;      ///< 9  always empty
    QString LogSpare10;     ///< 10 always empty
    QString LogSerialSent;  ///< 11 serial number sent
    QString LogDate;        ///< 12 UTC date "yyyy/mm/dd"
    QString LogTime;        ///< 13 UTC time "hh:mm:ss" ("hh:mm" after the contest)
    QString LogMode;        ///< 14 "CW", "PH" or "DG"
    QString LogBand;        ///< 15 band in metres
    double LogSpareNumber = 0;  ///< 16 the only number; 0 from the program
    QString LogSpare17;     ///< 17 always empty
    QString LogSpare18;     ///< 18 always empty
    QString LogSerialRcvd;  ///< 19 serial number received
    QString LogFrequency;   ///< 20 rig frequency in MHz as text, or empty

    bool operator==(const ContactRecord&) const = default;
};

/// Number of values a record takes in the log file.
constexpr int ContactFieldCount = 20;

}  // namespace contactlog
