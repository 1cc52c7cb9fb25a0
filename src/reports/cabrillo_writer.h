#pragma once
// The contest submission file in the Cabrillo 2.0 form: a header of tagged
// lines, one fixed-column "QSO:" line per contact in log order, and
// "END-OF-LOG:", every line ended by CR LF, 8-bit Latin-1.
//
// QSO line columns (1 is the first character):
//   1-4 "QSO:", 6-10 band edge, 12 mode, 15-24 date yyyy-mm-dd, 26-29 time
//   hhmm, 31-39 own call, serial sent ending in 44, sent exchange from 46,
//   call worked 56-64, serial received ending in 69, received exchange from 71.
// A field too long for its room would push the next field off its column;
// it then keeps one blank before the next field, so that every contact stays
// on one line and the robots that split the line on blanks still read it.

#include "log/contact_log.h"
#include "log/county_table.h"
#include "log/log_state.h"

#include <QByteArray>
#include <QHash>
#include <QString>

namespace reports {

/// What the summary dialog collects.
struct CabrilloEntry {
    QString category = QStringLiteral("SINGLE-OP");  ///< operator category text
    QString power = QStringLiteral("LOW");
    QString mode = QStringLiteral("MIXED");
    bool useCountyAbbrevs = true;
    QString clubName;
    QString operators;  ///< the multi-op calls; empty gives the own call
    QString name;
    QString address1;
    QString address2;
    QString email;
    QString soapbox;
};

/// The station values the file carries.
struct CabrilloStation {
    QString MyCall;  ///< already trimmed
    QString MySPC;
    QString MyArrlSection;
    QString PartyState;
    bool outOfState = false;
    QString programVersion;
    qint64 claimedScore = 0;
};

/// The band's lower edge as the frequency column shows it (five characters),
/// or empty for a band outside the contest bands. Letter case ignored.
[[nodiscard]] QString cabrilloBandFrequency(const QString& band);

/// Looks counties up by name, letter case ignored, for their abbreviations;
/// the first row of an equal name wins.
class CountyAbbreviations {
public:
    explicit CountyAbbreviations(const contactlog::CountyTable& table);
    /// The abbreviation of name, or nullptr when name is no county of the table.
    [[nodiscard]] const QString* find(const QString& name) const;

private:
    QHash<QString, QString> m_byName;
};

/// One "QSO:" line without its line end.
[[nodiscard]] QString cabrilloQsoLine(const contactlog::ContactRecord& r, const CabrilloStation& station,
                                      const CountyAbbreviations* abbrevs);

/// The claimed score as the main window's score panel shows it: QSO points
/// times the multipliers (counties worked out of state, states and
/// provinces worked in state), its whole part.
[[nodiscard]] qint64 claimedScoreOf(const contactlog::LogState& log, bool outOfState);

/// The whole file.
[[nodiscard]] QByteArray writeCabrillo(const contactlog::ContactLog& log, const contactlog::CountyTable& counties,
                                       const CabrilloStation& station, const CabrilloEntry& entry);

}  // namespace reports
