#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

ScreenMetrics Screen::metrics() const
{
    ScreenMetrics m;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect g = screen->geometry();
        const QRect a = screen->availableGeometry();
        m.widthTwips = g.width() * TwipsPerPixel;
        m.heightTwips = g.height() * TwipsPerPixel;
        m.workAreaTwips = QRectF((a.x() - g.x()) * TwipsPerPixel, (a.y() - g.y()) * TwipsPerPixel,
                                 a.width() * TwipsPerPixel, a.height() * TwipsPerPixel);
    }
    return m;
}

}  // namespace platform
