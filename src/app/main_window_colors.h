#pragma once
// The background colours of the main windows' message lines.

#include <QColor>
#include <QLabel>
#include <QPalette>

namespace app {

inline const QColor DialogTeal(0, 192, 192);      ///< the dialog line's normal colour
inline const QColor DialogRed(255, 0, 0);         ///< a duplicate
inline const QColor DialogPaleYellow(255, 255, 192);  ///< keyboard-CW mode

inline void setBackColor(QLabel* label, const QColor& color)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Window, color);
    label->setPalette(p);
}

}  // namespace app
