// Making room for the spot display at the bottom of a main window. Coming
// up, every label, box, button, list and line of the window moves up and
// shrinks to nine tenths, and the display takes the strip freed below the
// lowest of them; going away, they grow back by 1.1111111. Switching
// between the list and the band map moves nothing; the band map is drawn
// afresh whenever it shows again.

#include "spots/spot_display.h"

#include "app/forwarding_window.h"
#include "app/main_window_base.h"
#include "platform/controls.h"
#include "platform/screen.h"

#include <QLabel>
#include <QMenuBar>
#include <QTreeView>

namespace spots {

namespace {

using K = platform::ControlKind;

constexpr double Shrink = 0.9;
constexpr double Grow = 1.1111111;
constexpr double ParkedTop = 1000;

bool isMoved(K kind)
{
    return kind == K::Label || kind == K::TextBox || kind == K::CommandButton || kind == K::ListBox
           || kind == K::ListView;
}

/// The window's controls in the order the window holds them.
QList<QWidget*> controlsOf(QWidget* window)
{
    QList<QWidget*> result;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (platform::kindOf(w) != K::Other)
            result.append(w);
    return result;
}

/// Scales Top and Height of the moved controls and Y1 and Y2 of the lines by
/// factor; returns the lowest bottom edge of the moved controls.
double scaleVertically(QWidget* window, double factor)
{
    double bottom = 0;
    for (QWidget* c : controlsOf(window)) {
        const K kind = platform::kindOf(c);
        if (kind == K::Line) {
            auto* line = static_cast<platform::LineControl*>(c);
            line->setLine(line->X1(), line->Y1() * factor, line->X2(), line->Y2() * factor);
        } else if (isMoved(kind)) {
            const QRectF t = platform::twipGeometry(c);
            platform::setTwipGeometry(c, QRectF(t.left(), t.top() * factor, t.width(), t.height() * factor));
            const QRectF now = platform::twipGeometry(c);
            bottom = std::max(bottom, now.top() + now.height());
        }
    }
    return bottom;
}

/// The lowest bottom edge the moved controls would have after scaling.
double bottomAfter(QWidget* window, double factor)
{
    double bottom = 0;
    for (QWidget* c : controlsOf(window))
        if (isMoved(platform::kindOf(c))) {
            const QRectF t = platform::twipGeometry(c);
            bottom = std::max(bottom, t.top() * factor + t.height() * factor);
        }
    return bottom;
}

/// The height of the window's client area, in twips: the window less its
/// menu bar, whether or not the window has been laid out yet.
double scaleHeight(MainWindowBase& window)
{
    double height = platform::windowTwipGeometry(&window).height();
    const QMenuBar* menu = window.menuBar();
    if (menu && !menu->isNativeMenuBar() && !menu->isHidden())
        height -= menu->sizeHint().height() * platform::TwipsPerPixel;
    return height;
}

void showBandMap(MainWindowBase& w, bool shown, bool withSpotLabels)
{
    w.lblDX->setVisible(shown);
    w.LineDX->setVisible(shown);
    for (QLabel* l : w.lblFreqSpot)
        l->setVisible(shown);
    if (!shown || withSpotLabels)
        for (QLabel* l : w.lblDXSpot)
            l->setVisible(shown);
    if (shown) {
        // The panel lies behind its line and labels.
        w.lblDX->raise();
        w.LineDX->raise();
        for (QLabel* l : w.lblFreqSpot)
            l->raise();
        for (QLabel* l : w.lblDXSpot)
            l->raise();
    }
}

bool isNone(const QString& type) { return type.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0; }

}  // namespace

void SpotDisplay::PacketResize(MainWindowBase& w, bool listChosen, const QString& connectionType,
                               ForwardingWindow* form1)
{
    // Switching a display that shows already: nothing moves. The band map
    // is drawn as it comes back: its labels were last drawn before the list
    // showed, and since then spots have come and gone, the band may have
    // changed, and a label whose spot has left the store no longer works.
    if (!w.txtDX->isHidden() && !listChosen) {
        w.txtDX->hide();
        showBandMap(w, true, false);
        if (form1)
            form1->setBandMapShown(true);
        DisplayBandMapLabels(w);
    } else if (!w.lblDX->isHidden() && listChosen) {
        w.txtDX->show();
        w.txtDX->raise();
        if (form1)
            form1->setBandMapShown(false);
        showBandMap(w, false, true);
    }

    if (w.txtDX->isHidden() && w.lblDX->isHidden() && !isNone(connectionType)) {
        const double width = platform::windowTwipGeometry(&w).width();
        // A window whose lowest control would still end below the client
        // area leaves no room: the display stays hidden and nothing moves.
        if (scaleHeight(w) - bottomAfter(&w, Shrink) < 0)
            return;
        const double bottom = scaleVertically(&w, Shrink);
        w.FitListHeights();
        const QRectF panel(0.01 * width, bottom, 0.97 * width, scaleHeight(w) - bottom);
        platform::setTwipGeometry(w.txtDX, panel);
        platform::setTwipGeometry(w.lblDX, panel);
        const double half = platform::twipGeometry(w.lblDXSpot[0]).width() / 2;
        const double y = panel.top() + panel.height() / 2;
        w.LineDX->setLine(panel.left() + half, y, panel.left() + panel.width() - half, y);
        for (QLabel* l : w.lblFreqSpot) {
            QRectF g = platform::twipGeometry(l);
            g.moveTop(w.LineDX->Y1() + 0.004 * platform::windowTwipGeometry(&w).height());
            platform::setTwipGeometry(l, g);
        }
        SetBandMapScale(w);
        const double x1 = w.LineDX->X1();
        const double length = w.LineDX->X2() - x1;
        for (int i = 0; i < 5; ++i) {
            QLabel* l = w.lblFreqSpot[static_cast<std::size_t>(i)];
            QRectF g = platform::twipGeometry(l);
            g.moveLeft(x1 + i * 0.25 * length - g.width() / 2);
            platform::setTwipGeometry(l, g);
        }
        if (listChosen) {
            w.txtDX->show();
            w.txtDX->raise();
            showBandMap(w, false, true);
        } else {
            w.txtDX->hide();
            showBandMap(w, true, false);
        }
    }

    if (isNone(connectionType) && (!w.txtDX->isHidden() || !w.lblDX->isHidden())) {
        scaleVertically(&w, Grow);
        w.FitListHeights();
        auto park = [](QWidget* c) {
            c->hide();
            QRectF g = platform::twipGeometry(c);
            g.moveTop(ParkedTop);
            platform::setTwipGeometry(c, g);
        };
        park(w.txtDX);
        park(w.lblDX);
        w.LineDX->setLine(w.LineDX->X1(), ParkedTop, w.LineDX->X2(), ParkedTop);
        w.LineDX->hide();
        for (QLabel* l : w.lblDXSpot)
            park(l);
        for (QLabel* l : w.lblFreqSpot)
            park(l);
    }
}

}  // namespace spots
