#pragma once
// The privileges chart as plain data: for one licence class, one black bar
// per band the class may use, a yellow box with the band's name beside each
// bar, and the class's CW (blue) and phone (green) segments laid on the bars
// in proportion to the band's edges. The privileges window creates one label
// for each entry and draws nothing of its own.
//
// Geometry is in twips of the window's client area; colours are BBGGRR
// values (blue byte first), as the rest of the program keeps them.

#include "radio/band_plan.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace radio {

namespace chart_color {
constexpr qint32 Black = 0x000000;
constexpr qint32 White = 0xFFFFFF;
constexpr qint32 Blue = 0xFF0000;    ///< CW segments and the CW legend
constexpr qint32 Green = 0x00FF00;   ///< phone segments and the Phone legend
constexpr qint32 Yellow = 0x00FFFF;  ///< band-name boxes
constexpr qint32 Navy = 0x800000;    ///< the date line and the heading
}  // namespace chart_color

/// One class button: its caption, the heading it sets and the class letter
/// it draws.
struct LicenceClassButton {
    const char* caption;
    const char* heading;
    const char* letter;
};

/// The six class buttons, left to right: Novice, Technician, Tech +,
/// General, Advanced, Extra.
[[nodiscard]] const std::array<LicenceClassButton, 6>& licenceClassButtons();

/// A band edge in MHz as the chart writes it: three decimals, thousands
/// grouped, no zero before the point ("1.800", "1,240.000", ".500").
[[nodiscard]] QString formatBandEdge(double mhz);

struct ChartLabel {
    QString name;  ///< "blbl1", "bnlb1", "priv1", …
    QRectF twips;
    QString caption;
    QString toolTip;
    qint32 backColor = chart_color::Black;
    qint32 foreColor = chart_color::Black;
    QString fontFamily;     ///< empty: the window's own font
    double fontPoints = 0;  ///< 0: the window's own size
    bool bold = false;
};

/// The room the chart is drawn in.
struct ChartArea {
    double width = 0;       ///< the window's client width, twips
    double height = 0;      ///< its client height, twips
    double lineY = 0;       ///< the dividing line under the header; bars start below it
    double fontFactor = 1;  ///< screen width over 9,600, at most 1.5
};

struct PrivilegesChart {
    std::vector<ChartLabel> bars;      ///< "blbl" + n, in the bands' file order
    std::vector<ChartLabel> boxes;     ///< "bnlb" + n, one per bar
    std::vector<ChartLabel> segments;  ///< "priv" + n, drawn in front of the rest
    /// Bars whose band edges give no width to lay segments on (equal,
    /// reversed or out of range): the bar shows, its segments cannot.
    QStringList bandsWithoutWidth;
};

/// The chart of licenceClass ("N", "T", "P", "G", "A", "E"; compared
/// exactly) from the band plan's rows in file order.
///
/// A band gets a bar when one of the class's rows stands in the run of rows
/// that follows the band's "O" row, up to the first row of another band;
/// its edges for placing segments come from the first row carrying its
/// name. Every row of the class is then drawn on each bar of its band. The
/// bars share the room below the line however many there are; a segment
/// outside its band's edges is drawn outside its bar, cut only where it
/// would leave the window far behind.
[[nodiscard]] PrivilegesChart chartPrivileges(const std::vector<BandPlanEntry>& rows,
                                              const QString& licenceClass, const ChartArea& area);

}  // namespace radio
