#include "platform/caption_label.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QTableView>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace platform {

namespace {
// The font, condensed and if need be smaller, in which text fits room.
QFont fittedFont(QFont f, const QString& text, int room)
{
    const int needed = QFontMetrics(f).horizontalAdvance(text);
    if (needed <= room || needed == 0)
        return f;
    for (int stretch = std::max(50, room * 100 / needed);; --stretch) {
        f.setStretch(stretch);
        if (QFontMetrics(f).horizontalAdvance(text) <= room)
            return f;
        if (stretch <= 50)
            break;
    }
    for (double size = f.pointSizeF() - 0.5; size >= 4; size -= 0.5) {
        f.setPointSizeF(size);
        if (QFontMetrics(f).horizontalAdvance(text) <= room)
            break;
    }
    return f;
}

// The font, smaller if need be, in which text wrapped at its blanks fits
// area: a list of calls longer than its area stays whole, in smaller print.
QFont fittedWrappedFont(QFont f, const QString& text, const QRect& area)
{
    auto fits = [&](const QFont& font) {
        const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), QWIDGETSIZE_MAX),
                                                             Qt::TextWordWrap, text);
        return needed.height() <= area.height() && needed.width() <= area.width();
    };
    if (fits(f) || f.pointSizeF() <= 0)
        return f;
    for (double size = f.pointSizeF() - 0.5; size >= 4; size -= 0.5) {
        f.setPointSizeF(size);
        if (fits(f))
            break;
    }
    return f;
}

QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}
}  // namespace

bool CaptionLabel::drawsPlainText() const
{
    return !text().isEmpty() && textFormat() != Qt::RichText &&
           !(textFormat() == Qt::AutoText && Qt::mightBeRichText(text()));
}

bool CaptionLabel::drawsPlainLine() const { return drawsPlainText() && !wordWrap() && !text().contains(u'\n'); }

bool CaptionLabel::drawsWrappedText() const { return drawsPlainText() && wordWrap(); }

QRect CaptionLabel::textArea() const { return contentsRect().adjusted(margin(), margin(), -margin(), -margin()); }

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
    if (drawsWrappedText())
        return fittedWrappedFont(font(), text(), textArea());
    if (!drawsPlainLine())
        return font();
    return fittedFont(font(), text(), roomForCaption());
}

QRect CaptionLabel::captionArea() const
{
    QRect area = textArea();
    if (drawsPlainLine())
        area.setWidth(std::max(roomForCaption(), 0));
    return area;
}

void CaptionLabel::paintEvent(QPaintEvent* event)
{
    if (!drawsPlainLine() && !drawsWrappedText()) {
        QLabel::paintEvent(event);
        return;
    }
    const QFont f = captionFont();
    const QRect area = captionArea();
    if (f == font() && area == textArea()) {
        QLabel::paintEvent(event);
        return;
    }
    // The frame and background are QLabel's; only the caption is drawn here,
    // the way QLabel draws plain text, in the fitted font and, beside a
    // control standing on the label, in the room left of that control (a
    // centred caption is centred there, not under the control).
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(f);
    int flags = static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment()));
    if (drawsWrappedText())
        flags |= Qt::TextWordWrap;
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), text(), foregroundRole());
}

int CaptionButton::roomForCaption() const
{
    // The inside the style draws the caption in, less a little air on each side.
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    return std::max(0, contents.width() - 12);
}

QFont CaptionButton::captionFont() const
{
    if (text().isEmpty())
        return font();
    return fittedFont(font(), withoutMnemonic(text()), roomForCaption());
}

void CaptionButton::paintEvent(QPaintEvent* event)
{
    const QFont f = captionFont();
    if (f == font()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.setFont(f);
    option.fontMetrics = QFontMetrics(f);
    painter.drawControl(QStyle::CE_PushButton, option);
}

int CaptionFrame::roomForCaption() const
{
    // The title starts as far in from the left edge as the style puts it,
    // and keeps as much room at the right.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    option.text.clear();
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    return std::max(0, width() - 2 * std::max(0, label.left()));
}

QFont CaptionFrame::captionFont() const
{
    if (title().isEmpty())
        return font();
    // The style sets a blank's width aside behind the title.
    return fittedFont(font(), withoutMnemonic(title()) + u' ', roomForCaption());
}

void CaptionFrame::paintEvent(QPaintEvent* event)
{
    const QFont f = captionFont();
    if (f == font()) {
        QGroupBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    painter.setFont(f);
    option.fontMetrics = QFontMetrics(f);
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

void fitColumnsToContents(QWidget* listView)
{
    auto* view = qobject_cast<QTableView*>(listView);
    if (!view || !view->model())
        return;
    QHeaderView* header = view->horizontalHeader();
    // The rows in sight and the next twenty are measured (the whole list of
    // the last twenty contacts), so a list of every contact costs no more.
    header->setResizeContentsPrecision(20);
    view->verticalHeader()->setResizeContentsPrecision(20);
    const auto count = static_cast<std::size_t>(header->count());
    std::vector<int> width(count), need(count), heading(count);
    int total = 0;
    bool tooNarrow = false;
    for (std::size_t c = 0; c < count; ++c) {
        const int section = static_cast<int>(c);
        width[c] = header->sectionSize(section);
        const bool shown = !header->isSectionHidden(section) && width[c] > 0;
        heading[c] = shown ? header->sectionSizeHint(section) : width[c];
        need[c] = shown ? std::max(heading[c], static_cast<QAbstractItemView*>(view)->sizeHintForColumn(section))
                        : width[c];
        total += width[c];
        tooNarrow = tooNarrow || need[c] > width[c];
    }
    if (!tooNarrow)
        return;
    // The view's inside less a vertical scroll bar (a list longer than its
    // height has one), measured so it holds before the view is first shown.
    const int available = view->contentsRect().width() - view->verticalScrollBar()->sizeHint().width();
    // A column that is too narrow takes the room left at the right of the
    // list first, then what the others have beyond their own contents.
    int missing = 0;
    for (std::size_t c = 0; c < count; ++c)
        missing += std::max(0, need[c] - width[c]);
    int fromOthers = std::max(0, missing - std::max(0, available - total));
    for (std::size_t c = 0; c < count && fromOthers > 0; ++c) {
        const int give = std::min(width[c] - need[c], fromOthers);
        if (give > 0) {
            width[c] -= give;
            fromOthers -= give;
        }
    }
    total = 0;
    for (std::size_t c = 0; c < count; ++c) {
        width[c] = std::max(width[c], need[c]);
        total += width[c];
    }
    // Still wider than the view (a long country name in a small window):
    // the widest columns give way down to their headings, so every column
    // stays in sight and only their longest texts end in an ellipsis.
    while (total > available) {
        std::size_t widest = count;
        for (std::size_t c = 0; c < count; ++c)
            if (width[c] > heading[c] && (widest == count || width[c] > width[widest]))
                widest = c;
        if (widest == count)
            break;
        const int give = std::min(total - available, width[widest] - heading[widest]);
        width[widest] -= give;
        total -= give;
    }
    for (std::size_t c = 0; c < count; ++c)
        header->resizeSection(static_cast<int>(c), width[c]);
}

}  // namespace platform
