// What reaches a text box other than by a typed key: the clipboard (Ctrl+V),
// a drop, the program's own setText.

#include "platform/paste_filter.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void digitsOnly(int& k)
{
    if (k < '0' || k > '9')
        k = 0;
}

void capitals(int& k)
{
    if (k >= 'a' && k <= 'z')
        k -= 32;
}

void pasteWithCtrlV(QLineEdit& box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

void drop(QLineEdit& box, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPointF at(box.width() - 2, box.height() / 2.0);  // past the end of the text
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
    QDropEvent event(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &event);
}

}  // namespace

TEST(TypedText, EachCharacterGoesThroughTheRuleAndControlCharactersNever)
{
    const platform::TypedKeyRule firstCapital = [](int& k, QString& before) {
        if (before.isEmpty())
            capitals(k);
    };
    const platform::TypedKeyRule secondSmall = [](int& k, QString& before) {
        capitals(k);
        if (before.size() == 2)
            before[1] = before.at(1).toLower();
    };
    struct Case {
        const char* name;
        QString before;
        QString arrived;
        platform::TypedKeyRule rule;
        int maxLength;
        QString expected;
    };
    const Case cases[] = {
        {"line breaks, tabs, C1 and separators", {}, QStringLiteral("a\r\nb\tc\u0085d\u2028e\u007f"), {}, 0,
         QStringLiteral("abcde")},
        {"the rule sees the text before", {}, QStringLiteral("san diego"), firstCapital, 0, QStringLiteral("San diego")},
        {"and may change it", QStringLiteral("J"), QStringLiteral("apan"), secondSmall, 0, QStringLiteral("JaPAN")},
        {"dropped characters take no room", {}, QStringLiteral("1 2 3 4 5"), [](int& k, QString&) { digitsOnly(k); },
         4, QStringLiteral("1234")},
        {"a full box takes nothing", QStringLiteral("12"), QStringLiteral("3"), {}, 2, QStringLiteral("12")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::typeInto(c.before, c.arrived, c.rule, c.maxLength), c.expected);
    }
}

TEST(PasteFilter, PastesAndDropsKeepWhatTypingWouldAndTheProgramsTextStaysAsSet)
{
    QLineEdit box;
    box.setMaxLength(6);
    platform::filterPastes(&box, capitals);
    box.show();
    box.setFocus();

    pasteWithCtrlV(box, QStringLiteral("n6\r\nab\t\"c"));
    EXPECT_EQ(box.text(), QStringLiteral("N6AB\"C"));  // this rule keeps the quote: only its rule decides
    EXPECT_EQ(box.cursorPosition(), 6);

    // A paste inside the text filters what it brings; the box's limit counts
    // what is kept, and the caret stays after it.
    box.setText(QStringLiteral("K6"));
    box.setCursorPosition(1);
    pasteWithCtrlV(box, QStringLiteral("\r\nx\r\ny\r\nz"));
    EXPECT_EQ(box.text(), QStringLiteral("KXYZ6"));
    EXPECT_EQ(box.cursorPosition(), 4);

    box.setText(QStringLiteral("W"));
    box.setCursorPosition(1);
    drop(box, QStringLiteral("1aw\n/p extra"));
    EXPECT_EQ(box.text(), QStringLiteral("W1AW/P"));

    // What the program sets is not typed: it stays as set, cut to the limit.
    box.setText(QStringLiteral("ab\tc"));
    EXPECT_EQ(box.text(), QStringLiteral("ab\tc"));
    box.setText(QStringLiteral("abcdefgh"));
    EXPECT_EQ(box.text(), QStringLiteral("abcdef"));

    // Typed characters pass the same rule.
    box.clear();
    QTest::keyClicks(&box, QStringLiteral("k6"));
    EXPECT_EQ(box.text(), QStringLiteral("K6"));
}

TEST(PasteFilter, AKeyFilterThatDropsEverythingLeavesThePasteOut)
{
    QLineEdit box;
    platform::filterPastes(&box, [](int& k) { k = 0; });
    box.show();
    box.setFocus();
    box.setText(QStringLiteral("kept"));
    box.selectAll();
    pasteWithCtrlV(box, QStringLiteral("gone"));
    EXPECT_EQ(box.text(), QString());
}
