#pragma once
// A label whose one-line caption always shows whole. The windows are laid
// out in the widths of the fonts they were designed with; the fonts that
// stand in for them here run wider, and a caption that changes as the
// operator works ("Cnty Wkd - 23") may need more room than its first text.
// Where the caption does not fit the room it has (its own width, less any
// control standing on top of its right part), it is drawn in a font
// condensed just enough to fit, so no character is cut off.

#include <QLabel>

namespace platform {

class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    /// The width the caption may take: the label's contents, up to the first
    /// visible control above it that covers its right part.
    [[nodiscard]] int roomForCaption() const;
    /// The font the caption is drawn in: the label's own, condensed when the
    /// caption would not fit roomForCaption().
    [[nodiscard]] QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] bool drawsPlainLine() const;
};

}  // namespace platform
