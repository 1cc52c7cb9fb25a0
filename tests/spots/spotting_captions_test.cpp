// Every caption of the spotting window shows whole on a 1024 by 768 screen,
// with the main window at full size and at 75 %: labels, frame titles,
// option buttons, the check box and the command buttons.

#include "spotting_fixture.h"

#include "platform/caption_label.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <gtest/gtest.h>

using namespace spots_testing;

namespace {

QStringList clippedCaptions(SpottingWindow& w)
{
    QStringList clipped;
    const auto report = [&](const QWidget* control, const QString& caption, int needed, int room) {
        clipped << QStringLiteral("%1 \"%2\" needs %3 of %4").arg(control->objectName(), caption).arg(needed).arg(room);
    };
    for (QLabel* label : w.findChildren<QLabel*>()) {
        if (label->isHidden() || label->wordWrap() || label->text().isEmpty())
            continue;
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
        if (needed > label->contentsRect().width())
            report(label, label->text(), needed, label->contentsRect().width());
    }
    // A frame's title is drawn over its top edge, as far in from the right
    // edge as from the left; it must end inside the frame.
    for (QGroupBox* box : w.findChildren<QGroupBox*>()) {
        if (box->title().isEmpty())
            continue;
        const auto* fitted = qobject_cast<platform::CaptionFrame*>(box);
        const QFont font = fitted ? fitted->captionFont() : box->font();
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.fontMetrics = QFontMetrics(font);
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        const int needed = QFontMetrics(font).horizontalAdvance(box->title());
        if (title.left() + needed > box->width() - title.left())
            report(box, box->title(), title.left() + needed, box->width() - title.left());
    }
    for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
        if (button->isHidden())
            continue;
        if (qobject_cast<QPushButton*>(button)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const int needed = QFontMetrics(button->font()).horizontalAdvance(QString(button->text()).remove(u'&'));
            if (needed > inside.width())
                report(button, button->text(), needed, inside.width());
        } else if (button->sizeHint().width() > button->width()) {
            // An option button or the check box: its mark and its caption.
            report(button, button->text(), button->sizeHint().width(), button->width());
        }
    }
    return clipped;
}

}  // namespace

TEST(SpottingCaptions, EveryCaptionShowsWholeOnA1024By768Screen)
{
    for (int percent : {100, 75}) {
        SpottingFixture f;
        f.fx.fakes.screen.set({15360, 11520, QRectF(0, 0, 15360, 10920)});
        f.fx.state.prefs.FormSizePercent = static_cast<quint8>(percent);
        f.writePackSpot(packSpot("TNC", 1));
        SpottingWindow& w = f.openSpotting();
        QApplication::processEvents();
        const QStringList clipped = clippedCaptions(w);
        EXPECT_TRUE(clipped.isEmpty()) << percent << " %:\n" << clipped.join(QStringLiteral("\n")).toStdString();
    }
}
