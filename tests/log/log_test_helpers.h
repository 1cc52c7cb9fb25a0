#pragma once
// Small builders shared by the log tests.

#include "log/contact_log.h"
#include "log/county_table.h"

#include <QString>

namespace logtest {

inline contactlog::ContactRecord contact(const QString& call, const QString& serialRcvd, const QString& mode = "CW",
                                         const QString& band = "20", const QString& county = "ALAMEDA")
{
    contactlog::ContactRecord r;
    r.LogCall = call;
    r.LogSerialRcvd = serialRcvd;
    r.LogMode = mode;
    r.LogBand = band;
    r.LogCountyRcvd = county;
    r.LogDate = "2021/10/02";
    r.LogTime = "16:02:41";
    r.LogSerialSent = "001";
    return r;
}

inline contactlog::ContactLog logOf(std::initializer_list<contactlog::ContactRecord> records)
{
    contactlog::ContactLog log;
    log.replaceAll(std::vector<contactlog::ContactRecord>(records));
    return log;
}

inline contactlog::CountyTable counties()
{
    contactlog::CountyTable t;
    t.rows = {{"ALAMEDA", "ALAM"}, {"ALPINE", "ALPI"}, {"AMADOR", "AMAD"}, {"BUTTE", "BUTT"}};
    return t;
}

}  // namespace logtest
