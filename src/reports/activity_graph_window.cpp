// The activity graph window: its controls, its scaling to the work area and
// the background button. The drawing is in activity_graph_window_paint.cpp.

#include "reports/activity_graph_window.h"

#include "app/app_state.h"
#include "platform/controls.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

using platform::ControlKind;
using platform::FontSpec;
using platform::LineControl;
using platform::makeControl;

namespace {

constexpr double DesignWidth = 9465;
constexpr double DesignHeight = 6825;
const FontSpec LabelFont{QStringLiteral("Arial"), 6.75, false};
const FontSpec LegendFont{QStringLiteral("Arial"), 8.25, true};
const FontSpec ButtonFont{QStringLiteral("Times New Roman"), 6, false};
const QColor Grey(128, 128, 128);

LineControl* makeLine(QWidget* parent, const QString& name, double x1, double y1, double x2, double y2,
                      const QColor& color)
{
    auto* line = new LineControl(parent);
    line->setObjectName(name);
    line->setLine(x1, y1, x2, y2);
    line->setColor(color);
    return line;
}

}  // namespace

ActivityGraphWindow::ActivityGraphWindow(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("ActivityGraphWindow"));
    setWindowTitle(QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    buildControls();
    connect(backgroundButton, &QPushButton::clicked, this, [this] { onBackgroundClicked(); });
}

void ActivityGraphWindow::buildControls()
{
    plotLeftLine = makeLine(this, QStringLiteral("plotLeftLine"), 480, 120, 480, 5880, Qt::white);
    plotRightLine = makeLine(this, QStringLiteral("plotRightLine"), 9240, 120, 9240, 5880, Qt::white);
    plotTopLine = makeLine(this, QStringLiteral("plotTopLine"), 480, 120, 9240, 120, Qt::white);
    plotBottomLine = makeLine(this, QStringLiteral("plotBottomLine"), 480, 5880, 9240, 5880, Qt::white);
    static const char* const gridNames[15] = {"gridLine",  "gridLine",  "gridLine",  "gridLine", "gridLine",
                                              "gridLine", "gridLine", "gridLine", "gridLine", "gridLine",
                                              "gridLine", "gridLine", "gridLine", "gridLine", "gridLine"};
    for (int k = 0; k < 15; ++k) {
        const double y = 480 + 360.0 * k;
        gridLines[static_cast<std::size_t>(k)] =
            makeLine(this, QString::fromLatin1(gridNames[k]), 500, y, k < 3 ? 9240 : 9220, y, Grey);
    }
    stripTopLine = makeLine(this, QStringLiteral("stripTopLine"), 480, 5900, 9240, 5900, Qt::white);
    stripBottomLine = makeLine(this, QStringLiteral("stripBottomLine"), 480, 6000, 9240, 6000, Qt::white);

    auto label = [this](const char* name, const QRectF& twips, const FontSpec& font, Qt::Alignment align,
                        const QString& text) {
        auto* l = makeControl<QLabel>(this, name, ControlKind::Label, twips, font);
        l->setAlignment(align);
        l->setText(text);
        setTextColor(l, Qt::white);
        return l;
    };
    for (int k = 0; k <= 16; ++k)
        lblY[static_cast<std::size_t>(k)] =
            label("lblY", QRectF(0, 30 + 360.0 * (16 - k), 450, 195), LabelFont,
                  Qt::AlignRight | Qt::AlignTop, QStringLiteral("0"));
    bandLabel = label("bandLabel", QRectF(0, 5880, 495, 135), LabelFont, Qt::AlignRight | Qt::AlignTop,
                   QStringLiteral("Band "));
    for (int k = 0; k < 15; ++k) {
        const double left = 120 + 627.0 * k;
        lblTime[static_cast<std::size_t>(k)] = label("lblTime", QRectF(left, 6080, 615, 195), LabelFont,
                                                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("00:00"));
        lblDate[static_cast<std::size_t>(k)] = label("lblDate", QRectF(left, 6290, 615, 195), LabelFont,
                                                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("MM/DD"));
    }
    static const char* const bands[7] = {"160", "80", "40", "20", "15", "10", "Other"};
    const reports::BandColors colors = reports::defaultBandColors();
    const double legendWidth = (6735.0 - 3660.0) / 7;
    for (int k = 0; k < 7; ++k) {
        QLabel* l = label("lblBnd", QRectF(3660 + legendWidth * k, 6495, legendWidth, 195), LegendFont,
                          Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(bands[k]));
        setTextColor(l, QColor::fromRgb(colors[static_cast<std::size_t>(k)]));
        lblBnd[static_cast<std::size_t>(k)] = l;
    }
    backgroundButton = makeControl<QPushButton>(this, "backgroundButton", ControlKind::CommandButton,
                                        QRectF(8160, 6600, 1215, 220), ButtonFont);
    backgroundButton->setText(QStringLiteral("Black Background"));
    backgroundButton->setAutoDefault(false);
}

void ActivityGraphWindow::setTextColor(QLabel* label, const QColor& color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

std::vector<LineControl*> ActivityGraphWindow::lines() const
{
    std::vector<LineControl*> all{plotTopLine, plotBottomLine, plotRightLine, plotLeftLine, stripTopLine, stripBottomLine};
    all.insert(all.end(), gridLines.begin(), gridLines.end());
    return all;
}

void ActivityGraphWindow::showModal(app::AppState& state, QWidget* parent, const ModalRunner& runner)
{
    ActivityGraphWindow window(state, parent);
    window.onLoad();
    runner(window);
}

void ActivityGraphWindow::onLoad()
{
    scaleToWorkArea();
    // The drawing is made for one size; the window keeps it.
    setFixedSize(size());
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(m_background);
    DrawRateGraph();
}

void ActivityGraphWindow::scaleToWorkArea()
{
    // The graph takes the work area, not the whole screen, so that the
    // taskbar never hides its time labels.
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    const double areaWidth = screen.workAreaTwips.width();
    const double areaHeight = screen.workAreaTwips.height();
    const double width = areaWidth * DesignWidth / 9600;
    const double height = areaHeight * DesignHeight / 7200;
    if (!(width > 0 && height > 0))
        return;  // a screen that reports no work area: keep the design size
    platform::setWindowTwipSize(this, width, height);
    platform::setWindowTwipPos(this, (areaWidth - width) / 2, (areaHeight - height) / 2);
    const double rw = width / DesignWidth;
    const double rh = height / DesignHeight;
    const double fontFactor = std::min(screen.widthTwips / 9600, 1.5);
    auto scaleFont = [](QWidget* w, double factor) {
        QFont f = w->font();
        if (f.pointSizeF() > 0)
            f.setPointSizeF(f.pointSizeF() * factor);
        w->setFont(f);
    };
    scaleFont(this, width / 9600);
    for (QWidget* c : findChildren<QWidget*>()) {
        const ControlKind kind = platform::kindOf(c);
        if (kind == ControlKind::Other)
            continue;
        if (kind == ControlKind::Line) {
            auto* line = static_cast<LineControl*>(c);
            line->setLine(line->X1() * rw, line->Y1() * rh, line->X2() * rw, line->Y2() * rh);
            continue;
        }
        const QRectF t = platform::twipGeometry(c);
        platform::setTwipGeometry(c, QRectF(t.left() * rw, t.top() * rh, t.width() * rw, t.height() * rh));
        scaleFont(c, fontFactor);
    }
}

void ActivityGraphWindow::onBackgroundClicked()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool toWhite = backgroundButton->text() == QLatin1String("Black Background");
    backgroundButton->setText(toWhite ? QStringLiteral("White Background") : QStringLiteral("Black Background"));
    m_background = toWhite ? QColor(Qt::white) : QColor(Qt::black);
    const QColor ink = toWhite ? QColor(Qt::black) : QColor(Qt::white);
    for (auto* group : {&lblTime, &lblDate})
        for (QLabel* l : *group)
            setTextColor(l, ink);
    for (QLabel* l : lblY)
        setTextColor(l, ink);
    setTextColor(bandLabel, ink);
    for (LineControl* line : lines())
        line->setColor(ink);
    m_image.fill(m_background);
    update();
    DrawRateGraph();
    QApplication::restoreOverrideCursor();
}

void ActivityGraphWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}
