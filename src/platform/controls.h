#pragma once
// Windows are laid out in twips (15 to a pixel) on a 9,600 by 7,200 twip
// design screen. Each control remembers its geometry in twips and its kind,
// so that the scaling routines can treat it as its kind requires without
// rounding errors piling up.

#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>

namespace platform {

enum class ControlKind {
    Other,
    Label,
    TextBox,
    CommandButton,
    ListBox,
    ComboBox,
    Frame,
    CheckBox,
    OptionButton,
    Image,
    ListView,
    Line,
};

struct FontSpec {
    QString family = QStringLiteral("MS Sans Serif");
    double points = 8.25;
    bool bold = false;
};

void setKind(QWidget* control, ControlKind kind);
[[nodiscard]] ControlKind kindOf(const QWidget* control);

/// Geometry of a control in twips, relative to its container.
void setTwipGeometry(QWidget* control, const QRectF& twips);
[[nodiscard]] QRectF twipGeometry(const QWidget* control);

/// A window's size (its client area) and position on the screen, in twips.
void setWindowTwipSize(QWidget* window, double width, double height);
void setWindowTwipPos(QWidget* window, double left, double top);
[[nodiscard]] QRectF windowTwipGeometry(const QWidget* window);

void setFontSpec(QWidget* control, const FontSpec& spec);
[[nodiscard]] int twipsToPixels(double twips);

/// Creates a control of type W under parent, named name, of the given kind,
/// twip geometry and font.
template <class W>
W* makeControl(QWidget* parent, const char* name, ControlKind kind, const QRectF& twips,
               const FontSpec& font = {})
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    setKind(w, kind);
    setFontSpec(w, font);
    setTwipGeometry(w, twips);
    return w;
}

/// A straight line between two points, in twips of its container.
class LineControl : public QWidget {
public:
    explicit LineControl(QWidget* parent);
    void setLine(double x1, double y1, double x2, double y2);
    double X1() const { return m_x1; }
    double Y1() const { return m_y1; }
    double X2() const { return m_x2; }
    double Y2() const { return m_y2; }
    void setColor(const QColor& c);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    QColor m_color{Qt::black};
};

}  // namespace platform
