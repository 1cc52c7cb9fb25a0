#include "platform/controls.h"

#include "platform/screen.h"

#include <QPainter>
#include <QVariant>
#include <cmath>

namespace platform {

namespace {
constexpr char KindProperty[] = "zqpKind";
constexpr char TwipProperty[] = "zqpTwips";
}  // namespace

int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

void setKind(QWidget* control, ControlKind kind)
{
    control->setProperty(KindProperty, static_cast<int>(kind));
}

ControlKind kindOf(const QWidget* control)
{
    const QVariant v = control->property(KindProperty);
    return v.isValid() ? static_cast<ControlKind>(v.toInt()) : ControlKind::Other;
}

void setTwipGeometry(QWidget* control, const QRectF& t)
{
    if (auto* line = dynamic_cast<LineControl*>(control)) {
        line->setLine(t.left(), t.top(), t.right(), t.bottom());
        return;
    }
    control->setProperty(TwipProperty, t);
    control->setGeometry(twipsToPixels(t.left()), twipsToPixels(t.top()),
                         std::max(0, twipsToPixels(t.width())),
                         std::max(0, twipsToPixels(t.height())));
}

QRectF twipGeometry(const QWidget* control)
{
    const QVariant v = control->property(TwipProperty);
    if (v.isValid())
        return v.toRectF();
    const QRect g = control->geometry();
    return QRectF(g.x() * TwipsPerPixel, g.y() * TwipsPerPixel, g.width() * TwipsPerPixel,
                  g.height() * TwipsPerPixel);
}

void setWindowTwipSize(QWidget* window, double width, double height)
{
    QRectF g = windowTwipGeometry(window);
    g.setWidth(width);
    g.setHeight(height);
    window->setProperty(TwipProperty, g);
    window->resize(std::max(1, twipsToPixels(width)), std::max(1, twipsToPixels(height)));
}

void setWindowTwipPos(QWidget* window, double left, double top)
{
    QRectF g = windowTwipGeometry(window);
    g.moveTo(left, top);
    window->setProperty(TwipProperty, g);
    window->move(twipsToPixels(left), twipsToPixels(top));
}

QRectF windowTwipGeometry(const QWidget* window)
{
    const QVariant v = window->property(TwipProperty);
    if (v.isValid())
        return v.toRectF();
    return QRectF(window->x() * TwipsPerPixel, window->y() * TwipsPerPixel,
                  window->width() * TwipsPerPixel, window->height() * TwipsPerPixel);
}

void setFontSpec(QWidget* control, const FontSpec& spec)
{
    QFont f(spec.family);
    f.setPointSizeF(spec.points);
    f.setBold(spec.bold);
    control->setFont(f);
}

LineControl::LineControl(QWidget* parent) : QWidget(parent)
{
    setKind(this, ControlKind::Line);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineControl::setLine(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    const int left = twipsToPixels(std::min(x1, x2));
    const int top = twipsToPixels(std::min(y1, y2));
    setGeometry(left, top, twipsToPixels(std::abs(x2 - x1)) + 1,
                twipsToPixels(std::abs(y2 - y1)) + 1);
    update();
}

void LineControl::setColor(const QColor& c)
{
    m_color = c;
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(m_color);
    const int ox = twipsToPixels(std::min(m_x1, m_x2));
    const int oy = twipsToPixels(std::min(m_y1, m_y2));
    p.drawLine(twipsToPixels(m_x1) - ox, twipsToPixels(m_y1) - oy, twipsToPixels(m_x2) - ox,
               twipsToPixels(m_y2) - oy);
}

}  // namespace platform
