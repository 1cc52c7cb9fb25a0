#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

namespace app {

QPixmap drawLogo()
{
    QPixmap pix(1000, 563);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 563);
    sky.setColorAt(0, QColor(8, 20, 58));
    sky.setColorAt(0.6, QColor(22, 64, 120));
    sky.setColorAt(1, QColor(240, 140, 40));
    p.fillRect(pix.rect(), sky);

    // Rolling hills of the party state.
    QPainterPath hills;
    hills.moveTo(0, 470);
    for (int x = 0; x <= 1000; x += 10)
        hills.lineTo(x, 450 + 30 * std::sin(x / 90.0) + 15 * std::sin(x / 37.0));
    hills.lineTo(1000, 563);
    hills.lineTo(0, 563);
    p.fillPath(hills, QColor(20, 40, 24));

    // A lattice tower with waves going out from its top.
    const QPointF top(210, 170);
    p.setPen(QPen(QColor(200, 200, 210), 4));
    p.drawLine(top, QPointF(160, 460));
    p.drawLine(top, QPointF(260, 460));
    for (int i = 1; i < 8; ++i) {
        const double y = 170 + i * 36;
        const double half = (y - 170) * 50.0 / 290.0;
        p.drawLine(QPointF(210 - half, y), QPointF(210 + half, y + 36 > 460 ? 460 : y + 36));
    }
    for (int r = 1; r <= 4; ++r) {
        p.setPen(QPen(QColor(255, 210, 90, 255 - r * 45), 6));
        p.drawArc(QRectF(top.x() - r * 45, top.y() - r * 45, r * 90, r * 90), -40 * 16, 80 * 16);
    }

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Arial"), 54, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(330, 120, 660, 90), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zivudaduri"));
    QFont sub(QStringLiteral("Arial"), 34, QFont::Bold);
    p.setFont(sub);
    p.setPen(QColor(255, 210, 90));
    p.drawText(QRectF(330, 215, 660, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QSO Party Logger"));
    QFont small(QStringLiteral("Arial"), 16);
    p.setFont(small);
    p.setPen(QColor(220, 230, 255));
    p.drawText(QRectF(330, 290, 660, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Counties, serials, rates and the radio in one window"));
    return pix;
}

QPixmap drawBanner()
{
    QPixmap pix(316, 85);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 316, 0);
    g.setColorAt(0, QColor(120, 20, 20));
    g.setColorAt(1, QColor(200, 60, 20));
    p.fillRect(pix.rect(), g);
    p.setPen(QPen(QColor(255, 220, 120), 3));
    p.drawRect(QRectF(2, 2, 312, 81));
    p.setPen(Qt::white);
    p.setFont(QFont(QStringLiteral("Arial"), 20, QFont::Bold));
    p.drawText(QRectF(0, 8, 316, 40), Qt::AlignCenter, QStringLiteral("Ostrel Software"));
    p.setFont(QFont(QStringLiteral("Arial"), 11));
    p.drawText(QRectF(0, 46, 316, 30), Qt::AlignCenter, QStringLiteral("Good luck in the contest!"));
    return pix;
}

}  // namespace app
