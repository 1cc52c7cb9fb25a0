#include "spots/all_bands_window.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "platform/caption_label.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/scaling.h"
#include "spots/band_scales.h"
#include "spots/spot_store.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>

namespace spots {

namespace {

using platform::ControlKind;
using platform::makeControl;

const platform::FontSpec MapFont{QStringLiteral("MS Serif"), 6.75, false};
constexpr double DesignWidth = 9480;
constexpr double DesignHeight = 6795;
constexpr double TickLabelHeight = 195;

void setTextColor(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    w->setPalette(p);
}

/// The mouse buttons as the handlers number them: 1 left, 2 right, 4 middle.
int buttonNumber(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

class PressHook : public QObject {
public:
    PressHook(QObject* parent, std::function<void(int)> onPress) : QObject(parent), m_onPress(std::move(onPress)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            m_onPress(buttonNumber(static_cast<QMouseEvent*>(event)->button()));
            return true;
        }
        return false;
    }

private:
    std::function<void(int)> m_onPress;
};

/// The clock's local time with its offset from UTC fixed, as the store keeps
/// the spots' times.
QDateTime localNow(const app::AppState& state)
{
    const QDateTime now = state.services.clock.now();
    return now.toOffsetFromUtc(now.offsetFromUtc());
}

}  // namespace

SpectrumMap::SpectrumMap(app::AppState& state, SpotStore& store, SpectrumMapLinks links, QWidget* parent)
    : QDialog(parent), m_state(state), m_store(store), m_links(std::move(links))
{
    setObjectName(QStringLiteral("SpectrumMap"));
    setWindowTitle(QStringLiteral(" HF Spectrum Map"));
    platform::setWindowTwipSize(this, DesignWidth, DesignHeight);
    QPalette back = palette();
    back.setColor(QPalette::Window, Qt::black);
    setPalette(back);
    setAutoFillBackground(true);

    // Made back to front: the strips, then the lines, then the captions and
    // the spot labels.
    for (int b = 0; b < 11; ++b) {
        auto* strip = makeControl<QLabel>(this, QByteArray("lblHFSpots(" + QByteArray::number(b) + ")").constData(),
                                          ControlKind::Label, QRectF(120, 120 + 600.0 * b, 9255, 495), MapFont);
        QPalette p = strip->palette();
        p.setColor(QPalette::Window, QColor(0, 0, 128));
        p.setColor(QPalette::WindowText, Qt::white);
        strip->setPalette(p);
        strip->setAutoFillBackground(true);
        strip->setFrameStyle(QFrame::Box | QFrame::Plain);
        lblHFSpots[static_cast<std::size_t>(b)] = strip;
    }
    for (int b = 0; b < 11; ++b) {
        auto* line = new platform::LineControl(this);
        line->setObjectName(QStringLiteral("lineHF(%1)").arg(b));
        line->setColor(Qt::white);
        line->setLine(360, 360 + 600.0 * b, 9120, 360 + 600.0 * b);
        lineHF[static_cast<std::size_t>(b)] = line;
    }
    for (int k = 0; k < 55; ++k) {
        QLabel* l = makeControl<platform::CaptionLabel>(
            this, QByteArray("lblFreqSpot(" + QByteArray::number(k) + ")").constData(), ControlKind::Label,
            QRectF(0, 0, 615, TickLabelHeight), MapFont);
        l->setText(QStringLiteral("lblFreqSpot"));
        l->setAlignment(Qt::AlignCenter);
        setTextColor(l, Qt::white);
        l->hide();
        lblFreqSpot[static_cast<std::size_t>(k)] = l;
    }
    for (int i = 0; i < 50; ++i) {
        QLabel* l = makeControl<QLabel>(this, QByteArray("lblDXSpot(" + QByteArray::number(i) + ")").constData(),
                                        ControlKind::Label, QRectF(0, 0, 600, 180), MapFont);
        l->setText(QStringLiteral("DXLBL"));
        l->setAlignment(Qt::AlignCenter);
        setTextColor(l, Qt::white);
        l->hide();
        l->installEventFilter(new PressHook(l, [this, i](int button) { onSpotLabelMouseDown(i, button); }));
        lblDXSpot[static_cast<std::size_t>(i)] = l;
    }
}

SpectrumMap::~SpectrumMap() = default;

void SpectrumMap::onLoad()
{
    // The shared scaling steps, centred exactly; a step that fails ends the
    // load, and the captions then stay hidden.
    platform::ScaleRule rule = platform::ScaleRule::resizeForm();
    rule.placement = platform::ScaleRule::Placement::ExactCentre;
    if (!platform::scaleWindow(this, m_state.services.screen.metrics(), rule).isEmpty())
        return;
    // The newest spot lies above any label it overlaps.
    lblDXSpot[49]->raise();
    (void)LayoutBandScales(geometry());
    for (QLabel* l : lblFreqSpot)
        l->show();
    ResizeToWorkArea();
    platform::letPendingEventsRun();
}

void SpectrumMap::ResizeToWorkArea()
{
    const QRectF old = platform::windowTwipGeometry(this);
    const QRectF area = m_state.services.screen.metrics().workAreaTwips;
    if (!(old.width() > 0 && old.height() > 0 && area.width() > 0 && area.height() > 0))
        return;
    const double rw = area.width() / old.width();
    const double rh = area.height() / old.height();
    platform::setWindowTwipSize(this, area.width(), area.height());
    platform::setWindowTwipPos(this, area.left(), area.top());
    for (platform::LineControl* line : lineHF)
        line->setLine(line->X1() * rw, line->Y1() * rh, line->X2() * rw, line->Y2() * rh);
    auto scale = [&](QWidget* w) {
        const QRectF t = platform::twipGeometry(w);
        platform::setTwipGeometry(w, QRectF(t.left() * rw, t.top() * rh, t.width() * rw, t.height() * rh));
    };
    for (QLabel* l : lblHFSpots)
        scale(l);
    for (QLabel* l : lblFreqSpot)
        scale(l);
    for (QLabel* l : lblDXSpot)
        scale(l);
}

SpectrumGeometry SpectrumMap::geometry() const
{
    SpectrumGeometry g;
    for (std::size_t b = 0; b < lineHF.size(); ++b)
        g.lines[b] = {lineHF[b]->X1(), lineHF[b]->X2(), lineHF[b]->Y1()};
    g.windowHeight = platform::windowTwipGeometry(this).height();
    g.tickLabelWidth = platform::twipGeometry(lblFreqSpot[0]).width();
    g.spotLabelSize = platform::twipGeometry(lblDXSpot[0]).size();
    return g;
}

SpectrumScales SpectrumMap::LayoutBandScales(const SpectrumGeometry& g)
{
    SpectrumScales scales = spots::LayoutBandScales(m_store, g);
    for (std::size_t k = 0; k < scales.ticks.size(); ++k) {
        const SpectrumTick& tick = scales.ticks[k];
        QLabel* l = lblFreqSpot[k];
        l->setText(tick.caption);
        const QRectF old = platform::twipGeometry(l);
        platform::setTwipGeometry(l, QRectF(tick.left, tick.top, old.width(), old.height()));
    }
    return scales;
}

void SpectrumMap::BandMapLabelDisplay()
{
    setCursor(Qt::WaitCursor);
    for (QLabel* l : lblDXSpot)
        l->hide();
    lblDXSpotShows.fill(0);
    const SpectrumGeometry g = geometry();
    const SpectrumScales scales = LayoutBandScales(g);
    const auto placements = placeSpectrumSpots(m_store, scales, g, localNow(m_state), m_state.prefs.UtcOffsetHours);
    for (const SpotLabelPlacement& p : placements) {
        QLabel* l = lblDXSpot[static_cast<std::size_t>(p.slot)];
        lblDXSpotShows[static_cast<std::size_t>(p.slot)] = p.spot;
        l->setToolTip(p.tooltip);
        l->setText(p.caption);
        platform::setTwipGeometry(l, QRectF(p.left, p.top, g.spotLabelSize.width(), g.spotLabelSize.height()));
        setTextColor(l, p.color);
        l->show();
    }
    unsetCursor();
}

void SpectrumMap::onSpotLabelMouseDown(int Index, int Button)
{
    if (Index < 0 || Index >= SpotStore::Capacity)
        return;
    // The spot the label shows, wherever spots stored since its redraw have
    // moved it; one shifted out of the store meanwhile is clicked no more.
    const int at = m_store.slotOf(lblDXSpotShows[static_cast<std::size_t>(Index)]);
    if (at < 0)
        return;
    if (Button != 2) {
        m_store.deleteSpot(at);
        BandMapLabelDisplay();
        return;
    }
    // The spot as it is now: a spot that arrives or is deleted while the rig
    // tunes changes neither what is tuned nor the call handed on.
    const SpotSlot& slot = m_store.slot(at);
    float frequency = slot.SpotFrequency;
    const QString call = slot.SpotCall;
    const SpectrumMapLinks links = m_links;
    QPointer<SpectrumMap> self(this);
    // The tune lets events run; the main window is looked up afterwards.
    if (frequency > 0 && links.tune)
        links.tune(frequency);
    QPointer<MainWindowBase> main = links.mainWindow ? links.mainWindow() : nullptr;
    if (main)
        main->takeCallForNewContact(call);
    if (self)
        hide();
    if (main) {
        main->activateWindow();
        main->txtCall->setFocus(Qt::OtherFocusReason);
    }
}

void SpectrumMap::onActivate() { BandMapLabelDisplay(); }

bool SpectrumMap::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        onActivate();
    return QDialog::event(e);
}

void SpectrumMap::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    // Shown without becoming active (no window manager, or a test), the map
    // still shows its spots.
    if (!isActiveWindow())
        BandMapLabelDisplay();
}

}  // namespace spots
