#pragma once
// BandPlan.txt: the date from which the plan applies, then one row per line
// of band, licence class, mode and the segment's edges in MHz. "O" rows give
// a band's edges and come first in their band's run. Two readers keep a
// table of their own: the rig interface keeps the Extra-class rows to choose
// a sideband when it tunes, the privileges window keeps every row.

#include <QByteArray>
#include <QString>
#include <vector>

namespace radio {

struct BandPlanEntry {
    QString Band;          ///< "160", "80", …
    QString LicenceClass;  ///< "N", "T", "P", "G", "A", "E"; "O" for a band's edges
    QString Mode;          ///< "CW" or "PH"
    float LowMHz = 0;
    float HighMHz = 0;
};

struct BandPlan {
    static constexpr int MaxRows = 200;
    static constexpr const char* FileName = "BandPlan.txt";

    enum class Problem {
        None,
        Missing,      ///< no file, or it cannot be read
        ShortRow,     ///< the last row lacks values, or something follows it
        TooManyRows,  ///< a row beyond the table's 200 was left out
    };

    QString EffectiveDate;
    bool dateRead = false;  ///< false when the file ends before its leading value
    std::vector<BandPlanEntry> rows;  ///< rows[0] is row 1
    Problem problem = Problem::None;
};

/// Reads a band plan's text. With keepClass empty every row is kept,
/// otherwise only the rows of that class (compared exactly). Reading stops
/// at the first problem, keeping the rows read before it.
[[nodiscard]] BandPlan parseBandPlan(const QByteArray& bytes, const QString& keepClass = {});

/// The same from a file; a missing file gives no rows and Problem::Missing.
[[nodiscard]] BandPlan readBandPlanFile(const QString& path, const QString& keepClass = {});

/// The sideband the rig is put in for a frequency: the first row whose
/// edges enclose it (strictly) names the band and the mode; "PH" becomes
/// "LSB" on 80, 60 and 40 m and "USB" elsewhere, "CW" stays, and on 160 m
/// no mode is set (mode becomes empty). With no row, mode keeps its value.
void SidebandFromBandPlan(const std::vector<BandPlanEntry>& rows, float frequency, QString& mode);

}  // namespace radio
