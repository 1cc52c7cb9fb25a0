// Every caption of both main windows shows whole on a 1280 by 1024 screen,
// at full window size and at 75 %: labels, buttons, the contact list's
// headings and cells (with a real contact in it), and the possible-duplicates
// line wraps so no listed call is hidden.

#include "main_window_fixture.h"
#include "platform/caption_label.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The width a label's caption may use: its contents, less any control drawn
// over its right part (worked out here apart from the label's own rule).
int roomOf(const QLabel* label)
{
    const QRect own = label->contentsRect();
    int right = own.right();
    const QObjectList& siblings = label->parentWidget()->children();
    bool above = false;
    for (QObject* o : siblings) {
        if (o == label) {
            above = true;
            continue;
        }
        auto* w = qobject_cast<QWidget*>(o);
        if (!above || !w || !w->isVisible() || qobject_cast<QLabel*>(w))
            continue;
        const QRect r = w->geometry().translated(-label->pos());
        if (r.intersects(own) && r.left() > own.left() + own.width() / 3)
            right = std::min(right, r.left() - 1);
    }
    return right - own.left() + 1;
}

QStringList clippedCaptions(MainWindowBase& w)
{
    QStringList clipped;
    for (QLabel* label : w.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().isEmpty() || label->text().contains(u'&'))
            continue;
        const auto* fitted = qobject_cast<platform::CaptionLabel*>(label);
        const QFont font = fitted ? fitted->captionFont() : label->font();
        const int needed = QFontMetrics(font).horizontalAdvance(label->text());
        // The caption is drawn within its area: that area must hold it and
        // stay left of any control standing on the label.
        const QRect own = label->contentsRect();
        const QRect drawn = fitted ? fitted->captionArea() : own;
        const bool covered = drawn.right() + 1 > own.left() + roomOf(label);
        if (needed > roomOf(label) || needed > drawn.width() || covered ||
            (fitted && font.stretch() > 0 && font.stretch() < 70))
            clipped << QStringLiteral("%1 \"%2\" needs %3 of %4 (stretch %5)")
                           .arg(label->objectName(), label->text())
                           .arg(needed)
                           .arg(roomOf(label))
                           .arg(font.stretch());
    }
    for (QPushButton* button : w.findChildren<QPushButton*>()) {
        if (!button->isVisible())
            continue;
        // The caption itself, mnemonic marker aside, must fit inside the frame.
        const auto* fitted = qobject_cast<platform::CaptionButton*>(button);
        const QFont font = fitted ? fitted->captionFont() : button->font();
        const int text = QFontMetrics(font).horizontalAdvance(QString(button->text()).remove(u'&'));
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (text > inside.width())
            clipped << QStringLiteral("%1 \"%2\" needs %3 of %4").arg(button->objectName(), button->text()).arg(text).arg(button->width());
    }
    QTableView* list = w.contactListView;
    for (int c = 0; c < list->model()->columnCount(); ++c) {
        const int width = list->horizontalHeader()->sectionSize(c);
        int needed = list->horizontalHeader()->sectionSizeHint(c);
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            const QModelIndex index = list->model()->index(r, c);
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.font = list->font();
            needed = std::max(needed, list->itemDelegateForIndex(index)->sizeHint(option, index).width());
        }
        if (needed > width)
            clipped << QStringLiteral("list column %1 \"%2\" needs %3 of %4")
                           .arg(c)
                           .arg(list->model()->headerData(c, Qt::Horizontal).toString())
                           .arg(needed)
                           .arg(width);
    }
    // Every column in sight, no scrolling sideways needed.
    if (list->horizontalHeader()->length() > list->viewport()->width())
        clipped << QStringLiteral("list columns take %1 of %2")
                       .arg(list->horizontalHeader()->length())
                       .arg(list->viewport()->width());
    return clipped;
}

struct Case {
    const char* name;
    int outOfState;
    int percent;
};

class CaptionsFit : public ::testing::TestWithParam<Case> {};

TEST_P(CaptionsFit, NoCaptionIsClipped)
{
    MainWindowFixture m;
    m.fx.fakes.screen.set({19200, 15360, QRectF(0, 0, 19200, 14760)});
    m.fx.state.prefs.OutOfStateFlag = static_cast<quint8>(GetParam().outOfState);
    m.fx.state.prefs.FormSizePercent = static_cast<quint8>(GetParam().percent);
    // A contact whose date, time and country are as wide as they come.
    writeBytes(m.fx.path(QStringLiteral("log.txt")),
               logLine(QStringLiteral("DL1ABC"), QString(), QStringLiteral("123"), QStringLiteral("2021/12/28"),
                       QStringLiteral("23:58:59"), QStringLiteral("CW"), QStringLiteral("20"), QStringLiteral("456"))
                   .replace(",\"\",\"\",\"\",\"\",", ",\"\",\"\",\"Fed. Rep. of Germany\",\"\","));
    MainWindowBase& w = m.open();
    // Counts of two digits in the in-state county headings.
    if (auto* in = dynamic_cast<InStateWindow*>(&w)) {
        in->lblStation[8]->setText(QStringLiteral("Cnty Wkd - 23"));
        in->lblStation[7]->setText(QStringLiteral("Cnty Rem - 35"));
    }
    QApplication::processEvents();
    const QStringList clipped = clippedCaptions(w);
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(QStringLiteral("\n")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothWindows, CaptionsFit,
                         ::testing::Values(Case{"OutOfState100", 1, 100}, Case{"OutOfState75", 1, 75},
                                           Case{"InState100", 0, 100}, Case{"InState75", 0, 75}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

// The possible-duplicates line wraps within its area: with seventeen calls
// matching, every one of them is in sight.
TEST(DupeLine, EveryMatchingCallIsInSight)
{
    for (int outOfState : {1, 0}) {
        MainWindowFixture m;
        m.fx.fakes.screen.set({19200, 15360, QRectF(0, 0, 19200, 14760)});
        m.fx.state.prefs.OutOfStateFlag = static_cast<quint8>(outOfState);
        QByteArray log;
        for (int i = 0; i < 300; ++i) {
            const QString call = i % 17 == 0 ? QStringLiteral("W6A%1").arg(QChar(u'A' + i / 17))
                                             : QStringLiteral("K%1Z%2").arg(i % 10).arg(QChar(u'A' + i % 26));
            contactlog::ContactRecord r;
            r.LogCall = call;
            r.LogCountyRcvd = QStringLiteral("ALAMEDA");
            r.LogCountySent = QStringLiteral("Alameda");  // the operator's own county (in-state)
            r.LogSerialSent = QStringLiteral("%1").arg(i + 1, 3, 10, QChar(u'0'));
            r.LogDate = QStringLiteral("2021/10/02");
            r.LogTime = QStringLiteral("16:00:00");
            r.LogMode = QStringLiteral("CW");
            r.LogBand = QStringLiteral("20");
            r.LogSerialRcvd = QString::number(i + 1);
            log += contactlog::formatContactLine(r);
        }
        writeBytes(m.fx.path(QStringLiteral("log.txt")), log);
        MainWindowBase& w = m.open();
        m.type(QStringLiteral("W6"));
        QApplication::processEvents();
        const QString listed = w.lblDupe->text();
        EXPECT_EQ(listed.split(u' ', Qt::SkipEmptyParts).size(), 18) << listed.toStdString();
        const auto* dupe = qobject_cast<platform::CaptionLabel*>(w.lblDupe);
        ASSERT_NE(dupe, nullptr);
        const QFont font = dupe->captionFont();
        const QRect area = w.lblDupe->contentsRect();
        const QRect needed =
            QFontMetrics(font).boundingRect(QRect(0, 0, area.width(), 100000), Qt::TextWordWrap, listed);
        EXPECT_LE(needed.height(), area.height()) << "window " << outOfState << ": " << listed.toStdString();
        EXPECT_GE(QFontInfo(font).pixelSize(), 9) << "too small to read";
    }
}
