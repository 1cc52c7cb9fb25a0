#pragma once
// A label whose one-line caption always shows whole. The windows are laid
// out in the widths of the fonts they were designed with; the fonts that
// stand in for them here run wider, and a caption that changes as the
// operator works ("Cnty Wkd - 23") may need more room than its first text.
// Where the caption does not fit the room it has (its own width, less any
// control standing on top of its right part), it is drawn in a font
// condensed just enough to fit, so no character is cut off. A caption that
// wraps (a list of calls) and would run past the label's bottom is drawn
// smaller until every line of it is in sight.

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

class QTableView;

namespace platform {

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    /// The width the caption may take: the label's contents, up to the first
    /// visible control above it that covers its right part.
    [[nodiscard]] int roomForCaption() const;
    /// The font the caption is drawn in: the label's own, condensed when the
    /// caption would not fit roomForCaption(), smaller when a wrapped caption
    /// would not fit the label's height.
    [[nodiscard]] QFont captionFont() const;
    /// Where the caption is drawn (aligned within it): the label's contents,
    /// for a one-line caption only as wide as roomForCaption().
    [[nodiscard]] QRect captionArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] bool drawsPlainText() const;
    [[nodiscard]] bool drawsPlainLine() const;
    [[nodiscard]] bool drawsWrappedText() const;
    [[nodiscard]] QRect textArea() const;
};

/// A command button whose caption always shows whole, for the same reason as
/// CaptionLabel: drawn in a font condensed just enough to fit inside its frame.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
    /// The room inside the frame for the caption.
    [[nodiscard]] int roomForCaption() const;
    /// The font the caption is drawn in.
    [[nodiscard]] QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

/// A frame whose title always shows whole, for the same reason as
/// CaptionLabel: drawn in a font condensed just enough to fit along its top
/// edge. The controls inside keep their own fonts.
class CaptionFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
    /// The room along the top edge for the title.
    [[nodiscard]] int roomForCaption() const;
    /// The font the title is drawn in.
    [[nodiscard]] QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

/// Gives each column of a list view the width its heading and the rows in
/// sight need: a column too narrow takes the room left at the list's right,
/// then what other columns have beyond their own contents; only when that
/// is not enough does the list grow wider than its view.
void fitColumnsToContents(QWidget* listView);

}  // namespace platform
