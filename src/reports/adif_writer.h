#pragma once
// The ADIF export (".adi") for general loggers and award programs: a short
// header, "<EOH>", then one record per contact in log order, each field
// written as <Name:length>value and each record ended by "<eor>". Lines end
// in CR LF; the file is 8-bit Latin-1, so a field's length is the number of
// bytes of its value as written.

#include "log/contact_log.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

namespace reports {

/// ADIFCnt.txt: country names and their ADIF country numbers, in pairs.
class AdifCountryTable {
public:
    static constexpr int MaxPairs = 1000;

    /// Reads the pairs; on failure error says why and the table is empty.
    [[nodiscard]] static std::optional<AdifCountryTable> parse(const QByteArray& bytes, QString& error);

    /// The number of the first row whose name equals name exactly (letter
    /// case counts), 0 when none does.
    [[nodiscard]] int number(const QString& name) const { return m_numbers.value(name, 0); }
    [[nodiscard]] int size() const { return m_rows; }

private:
    QHash<QString, int> m_numbers;
    int m_rows = 0;
};

/// What goes on every record and into the header.
struct AdifOptions {
    QString partyState;
    QString programVersion;
    QString exportDateText;  ///< today, in the system's short date form
    QString power;           ///< empty: no <Tx_Pwr:> field
    QString comment;         ///< empty: no <Comment:> field
};

/// The four-character time of a contact ("16:02:41" gives "1602").
[[nodiscard]] QString adifTime(const QString& logTime);

/// One record, "<eor>" and the empty line after it included.
[[nodiscard]] QByteArray adifRecord(const contactlog::ContactRecord& r, const AdifOptions& options,
                                    const AdifCountryTable& countries);

/// The whole file.
[[nodiscard]] QByteArray writeAdif(const contactlog::ContactLog& log, const AdifOptions& options,
                                   const AdifCountryTable& countries);

}  // namespace reports
