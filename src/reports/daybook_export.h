#pragma once
// LogExp.txt, the export for the general logger: one line per contact in log
// order and nothing else, sixteen comma-separated fields, texts in double
// quotes, fields 9 and 13 to 15 empty, CR LF line ends, 8-bit Latin-1.

#include "log/contact_log.h"

#include <QByteArray>
#include <QString>

namespace reports {

/// The country and state the export gives a contact.
struct DaybookPlace {
    QString country;
    QString state;
};
[[nodiscard]] DaybookPlace daybookPlace(const contactlog::ContactRecord& r, const QString& partyState);

/// One line, CR LF included.
[[nodiscard]] QByteArray daybookLine(const contactlog::ContactRecord& r, const QString& partyState,
                                     const QString& power);

/// The whole file (empty for an empty log).
[[nodiscard]] QByteArray writeDaybookExport(const contactlog::ContactLog& log, const QString& partyState,
                                            const QString& power);

}  // namespace reports
