#include "radio/privileges_window.h"

#include "app/app_state.h"
#include "platform/colors.h"
#include "platform/controls.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;

namespace radio {

namespace {

constexpr double DesignWidth = 9480;
constexpr double DesignHeight = 6690;

QString rgbText(qint32 bbggrr)
{
    const QColor c = platform::vbColorToQColor(bbggrr);
    return QStringLiteral("rgb(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

/// A label's colours and its single-line border.
void paintLabel(QLabel* l, qint32 back, qint32 fore)
{
    l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; border: 1px solid black; }")
                         .arg(rgbText(back), rgbText(fore)));
}

void paintLabelNoBorder(QLabel* l, qint32 back, qint32 fore)
{
    l->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; }").arg(rgbText(back), rgbText(fore)));
}

}  // namespace

PrivilegesWindow::PrivilegesWindow(app::AppState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("PrivilegesWindow"));
    setWindowTitle(QStringLiteral("Frequency Privileges"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    buildControls();
    wireEvents();
}

void PrivilegesWindow::showModal(app::AppState& state, QWidget* parent, const std::function<void(QDialog&)>& runModal)
{
    PrivilegesWindow window(state, parent);
    window.onLoad();
    if (runModal)
        runModal(window);
    else
        window.exec();
}

void PrivilegesWindow::buildControls()
{
    // The class buttons stand along the top, left to right; the date line
    // is under them; the heading and its two legends are at the top right.
    QPushButton** buttons[] = {&noviceButton, &technicianButton, &techPlusButton, &generalButton, &advancedButton, &extraButton};
    static const char* const names[] = {"noviceButton", "technicianButton", "techPlusButton", "generalButton", "advancedButton", "extraButton"};
    for (std::size_t i = 0; i < classButtons.size(); ++i) {
        auto* b = makeControl<QPushButton>(this, names[i], ControlKind::CommandButton,
                                           QRectF(120 + 1075.0 * static_cast<double>(i), 60, 1020, 345));
        b->setText(QString::fromLatin1(licenceClassButtons()[i].caption));
        *buttons[i] = b;
        classButtons[i] = b;
    }
    planDateLabel = makeControl<QLabel>(this, "planDateLabel", ControlKind::Label, QRectF(120, 435, 4200, 240),
                                 FontSpec{QStringLiteral("Arial"), 9, false});
    planDateLabel->setText(QStringLiteral("Frequencies Effective"));
    paintLabelNoBorder(planDateLabel, chart_color::Navy, chart_color::White);
    headingLabel = makeControl<QLabel>(this, "headingLabel", ControlKind::Label, QRectF(6720, 60, 2640, 255),
                                 FontSpec{QStringLiteral("Arial Narrow"), 8.25, false});
    headingLabel->setText(QStringLiteral("Privelages"));
    headingLabel->setAlignment(Qt::AlignCenter);
    paintLabelNoBorder(headingLabel, chart_color::Navy, chart_color::White);
    cwLegend = makeControl<QLabel>(this, "cwLegend", ControlKind::Label, QRectF(6720, 375, 1260, 255));
    cwLegend->setText(QStringLiteral("CW"));
    phoneLegend = makeControl<QLabel>(this, "phoneLegend", ControlKind::Label, QRectF(8100, 375, 1260, 255));
    phoneLegend->setText(QStringLiteral("Phone"));
    for (QLabel* legend : {cwLegend, phoneLegend})
        legend->setAlignment(Qt::AlignCenter);
    headingLine = new platform::LineControl(this);
    headingLine->setObjectName(QStringLiteral("headingLine"));
    headingLine->setLine(0, 720, DesignWidth, 720);
    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton,
                                        QRectF(4140, 6195, 1215, 375));
    doneButton->setText(QStringLiteral("Done"));

    // Done comes first in the tab order, then the classes left to right.
    setTabOrder(doneButton, noviceButton);
    for (std::size_t i = 1; i < classButtons.size(); ++i)
        setTabOrder(classButtons[i - 1], classButtons[i]);
}

void PrivilegesWindow::wireEvents()
{
    for (std::size_t i = 0; i < classButtons.size(); ++i)
        connect(classButtons[i], &QPushButton::clicked, this, [this, i] { onClassClicked(i); });
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
}

double PrivilegesWindow::fontFactor() const
{
    return std::min(m_state.services.screen.metrics().widthTwips / 9600.0, 1.5);
}

void PrivilegesWindow::scaleToWorkArea()
{
    // The window fills the work area; every control grows with it, fonts
    // with the screen's width, at most by half.
    const QRectF work = m_state.services.screen.metrics().workAreaTwips;
    const double rw = work.width() / DesignWidth;
    const double rh = work.height() / DesignHeight;
    if (!(rw > 0) || !(rh > 0))
        return;
    platform::setWindowTwipSize(this, work.width(), work.height());
    platform::setWindowTwipPos(this, work.left(), work.top());
    const double ff = fontFactor();
    for (QWidget* c : findChildren<QWidget*>()) {
        const ControlKind kind = platform::kindOf(c);
        if (kind == ControlKind::Other)
            continue;
        if (kind == ControlKind::Line) {
            auto* line = static_cast<platform::LineControl*>(c);
            line->setLine(line->X1() * rw, line->Y1() * rh, line->X2() * rw, line->Y2() * rh);
            continue;
        }
        const QRectF t = platform::twipGeometry(c);
        platform::setTwipGeometry(c, QRectF(t.left() * rw, t.top() * rh, t.width() * rw, t.height() * rh));
        QFont f = c->font();
        if (f.pointSizeF() > 0) {
            f.setPointSizeF(f.pointSizeF() * ff);
            c->setFont(f);
        }
    }
    setFixedSize(size());
}

void PrivilegesWindow::onLoad()
{
    scaleToWorkArea();
    paintLabel(phoneLegend, chart_color::Green, chart_color::Black);
    paintLabel(cwLegend, chart_color::Blue, chart_color::White);
    LoadBandPlan();
    doneButton->setFocus();
    if (!m_planUsable)
        return;
    headingLabel->setText(QString::fromLatin1(licenceClassButtons()[5].heading));
    ShowPrivileges(QStringLiteral("E"));
}

void PrivilegesWindow::LoadBandPlan()
{
    const BandPlan plan = readBandPlanFile(m_state.folders.programFile(QString::fromLatin1(BandPlan::FileName)));
    BandPlanRows = plan.rows;
    // A file that holds the date alone is a plan without rows: the window
    // shows the date and an empty chart. The date is shown whenever it
    // was read.
    if (plan.dateRead)
        planDateLabel->setText(QStringLiteral("Frequencies Effective: ") + plan.EffectiveDate);
    m_planUsable = plan.problem == BandPlan::Problem::None;
    if (!m_planUsable)
        m_state.services.prompt.message(QStringLiteral("Band data not available."),
                                        QStringLiteral("Band Data Not Available."));
}

void PrivilegesWindow::onClassClicked(std::size_t index)
{
    const LicenceClassButton& button = licenceClassButtons()[index];
    headingLabel->setText(QString::fromLatin1(button.heading));
    ShowPrivileges(QString::fromLatin1(button.letter));
}

void PrivilegesWindow::onDoneClicked() { hide(); }

void PrivilegesWindow::removeChart()
{
    for (QLabel* l : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QString name = l->objectName();
        if (name.startsWith(u"blbl") || name.startsWith(u"priv") || name.startsWith(u"bnlb"))
            delete l;
    }
    m_chart = {};
}

void PrivilegesWindow::ShowPrivileges(const QString& licenceClass)
{
    removeChart();
    // What was read of a damaged plan is no chart to go by: a band missing
    // from it would look like a band the class may not use.
    if (!m_planUsable)
        return;
    const QRectF client = platform::windowTwipGeometry(this);
    ChartArea area;
    area.width = client.width();
    area.height = client.height();
    area.lineY = headingLine->Y1();
    area.fontFactor = fontFactor();
    m_chart = chartPrivileges(BandPlanRows, licenceClass, area);

    auto create = [this](const ChartLabel& c) {
        auto* l = new QLabel(this);
        l->setObjectName(c.name);
        platform::setKind(l, ControlKind::Label);
        if (!c.fontFamily.isEmpty()) {
            QFont f(c.fontFamily);
            f.setPointSizeF(c.fontPoints > 0 ? c.fontPoints : font().pointSizeF());
            f.setBold(c.bold);
            l->setFont(f);
        }
        platform::setTwipGeometry(l, c.twips);
        l->setText(c.caption);
        l->setToolTip(c.toolTip);
        l->setAlignment(Qt::AlignCenter);
        paintLabel(l, c.backColor, c.foreColor);
        l->show();
        l->raise();
        return l;
    };
    for (const ChartLabel& bar : m_chart.bars)
        create(bar);
    for (const ChartLabel& box : m_chart.boxes)
        create(box);
    for (const ChartLabel& segment : m_chart.segments)
        create(segment);
}

}  // namespace radio
