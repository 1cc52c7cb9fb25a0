#pragma once
// The recent-contacts list and the next serial number to send.

#include "log/contact_log.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace contactlog {

/// The records to list, newest first: the last 20, or all with listAll.
[[nodiscard]] std::vector<int> recentContactRecords(const ContactLog& log, quint8 ListAllFlag);

/// "mm/dd hh:nn" from a stored date and time (a text that is not a date or
/// time is shown as it stands).
[[nodiscard]] QString listDateTime(const QString& LogDate, const QString& LogTime);

/// One row of the contact list for record i: "Rec#" first, then
/// out-of-state: Call, Rec, County, Snt, Date/Time, Mo, Bnd;
/// in-state: Call, Rec, SPC, County, Snt, Date/Time, Mo, Bnd and, for a
/// rover, County Sent.
[[nodiscard]] QStringList contactListRow(const ContactLog& log, int i, bool inState, bool rover);

/// True when a text holds a number the way a serial is read (leading zeros
/// and surrounding blanks allowed).
[[nodiscard]] bool isNumericText(const QString& text);

/// The next serial (nextSerialLabel): "1" for an empty log, the last contact's serial
/// sent plus one when numeric, else ContactCount + 1; padded with "0" on the
/// left to three characters.
[[nodiscard]] QString NextSerial(const ContactLog& log);

}  // namespace contactlog
