#include "platform/caption_label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace platform {

bool CaptionLabel::drawsPlainLine() const
{
    return !wordWrap() && !text().isEmpty() && !text().contains(u'\n') && textFormat() != Qt::RichText &&
           !(textFormat() == Qt::AutoText && Qt::mightBeRichText(text()));
}

int CaptionLabel::roomForCaption() const
{
    const QRect own = contentsRect().adjusted(margin(), 0, -margin(), 0);
    int right = own.right();
    if (QWidget* parent = parentWidget()) {
        const QObjectList& siblings = parent->children();
        const auto self = std::find(siblings.begin(), siblings.end(), this);
        // Children later in the list are drawn on top of this label.
        for (auto it = self == siblings.end() ? self : self + 1; it != siblings.end(); ++it) {
            auto* w = qobject_cast<QWidget*>(*it);
            if (!w || !w->isVisibleTo(parent) || qobject_cast<const CaptionLabel*>(w))
                continue;
            const QRect r = w->geometry().translated(-pos());
            // Only a control covering the right part of the caption's line
            // takes room from it.
            if (r.intersects(own) && r.left() > own.left() + own.width() / 3)
                right = std::min(right, r.left() - 1);
        }
    }
    return std::max(0, right - own.left() + 1);
}

QFont CaptionLabel::captionFont() const
{
    QFont f = font();
    if (!drawsPlainLine())
        return f;
    const int room = roomForCaption();
    const int needed = QFontMetrics(f).horizontalAdvance(text());
    if (needed <= room || needed == 0)
        return f;
    // Condense in steps until it fits; a caption that needs more than half
    // its width again is also made smaller.
    int stretch = std::max(50, room * 100 / needed);
    for (;; --stretch) {
        f.setStretch(stretch);
        if (QFontMetrics(f).horizontalAdvance(text()) <= room)
            return f;
        if (stretch <= 50)
            break;
    }
    for (double size = f.pointSizeF() - 0.5; size >= 4; size -= 0.5) {
        f.setPointSizeF(size);
        if (QFontMetrics(f).horizontalAdvance(text()) <= room)
            break;
    }
    return f;
}

void CaptionLabel::paintEvent(QPaintEvent* event)
{
    if (!drawsPlainLine()) {
        QLabel::paintEvent(event);
        return;
    }
    const QFont f = captionFont();
    if (f == font()) {
        QLabel::paintEvent(event);
        return;
    }
    // The frame and background are QLabel's; only the caption is drawn here,
    // the way QLabel draws plain text, in the condensed font.
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(f);
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    area.setWidth(std::max(roomForCaption(), 0));
    Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
    // Fitted text fills its room: centring or right alignment then place it
    // the same as left alignment would.
    style()->drawItemText(&painter, area, static_cast<int>(align), palette(), isEnabled(), text(),
                          foregroundRole());
}

}  // namespace platform
