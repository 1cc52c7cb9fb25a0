#include "platform/key_events.h"
#include "support/test_support.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using platform::KeyRouter;

TEST(KeyRouter, WindowSeesKeysBeforeTheControlAndMayChangeThem)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* button = new QPushButton(&window);
    KeyRouter keys(&window);
    std::vector<QString> order;
    keys.setFormKeyDown([&](int& code, int) { order.push_back(QStringLiteral("formDown %1").arg(code)); });
    keys.setFormKeyPress([&](int& ascii) {
        order.push_back(QStringLiteral("formPress %1").arg(ascii));
        if (ascii == '\'')
            ascii = 0;  // quotes never reach a field
    });
    keys.onKeyPress(box, [&](int& ascii) {
        order.push_back(QStringLiteral("boxPress %1").arg(ascii));
        if (ascii >= 'a' && ascii <= 'z')
            ascii -= 32;
    });
    keys.attachAll();
    window.show();
    box->setFocus();

    QTest::keyClicks(box, QStringLiteral("k'6"));
    EXPECT_EQ(box->text(), QStringLiteral("K6"));
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[0], QStringLiteral("formDown 75"));
    EXPECT_EQ(order[1], QStringLiteral("formPress 107"));
    EXPECT_EQ(order[2], QStringLiteral("boxPress 107"));

    // A function key on a button still reaches the window's handler once.
    order.clear();
    QTest::keyClick(button, Qt::Key_F1);
    EXPECT_EQ(order, std::vector<QString>{QStringLiteral("formDown 112")});
}

TEST(KeyRouter, SuppressedKeyDownStopsTheControlsOwnHandling)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    KeyRouter keys(&window);
    keys.setFormKeyDown([](int& code, int) {
        if (code == platform::vbkey::Left)
            code = 0;
    });
    keys.attachAll();
    window.show();
    box->setText(QStringLiteral("AB"));
    box->setFocus();
    box->setCursorPosition(2);
    QTest::keyClick(box, Qt::Key_Left);
    EXPECT_EQ(box->cursorPosition(), 2);
}

TEST(KeyRouter, FocusHandlers)
{
    QWidget window;
    auto* a = new QLineEdit(&window);
    auto* b = new QLineEdit(&window);
    KeyRouter keys(&window);
    int got = 0, lost = 0;
    keys.onGotFocus(b, [&] { ++got; });
    keys.onLostFocus(a, [&] { ++lost; });
    window.show();
    QApplication::setActiveWindow(&window);
    a->setFocus(Qt::TabFocusReason);
    b->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(got, 1);
    EXPECT_EQ(lost, 1);
}

TEST(KeyRouter, AltCombinationsTypeNothing)
{
    QWidget window;
    auto* box = new QLineEdit(&window);
    KeyRouter keys(&window);
    keys.attachAll();
    window.show();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::AltModifier);
    QTest::keyClick(box, Qt::Key_A);
    EXPECT_EQ(box->text(), QStringLiteral("a"));
}

TEST(KeyRouter, EveryKeyGoesDownWithACode)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {{Qt::Key_Alt, Qt::AltModifier, 18},
                          {Qt::Key_CapsLock, Qt::NoModifier, 20},
                          {Qt::Key_Apostrophe, Qt::NoModifier, 222},
                          {Qt::Key_QuoteDbl, Qt::ShiftModifier, 222},
                          {Qt::Key_Semicolon, Qt::NoModifier, 186},
                          {Qt::Key_Question, Qt::ShiftModifier, 191},
                          {Qt::Key_Exclam, Qt::ShiftModifier, '1'},
                          {Qt::Key_Asterisk, Qt::KeypadModifier, 106},
                          {Qt::Key_Minus, Qt::KeypadModifier, 109},
                          {Qt::Key_Minus, Qt::NoModifier, 189},
                          {Qt::Key_Eacute, Qt::NoModifier, 255}};
    for (const Case& c : cases) {
        const QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers);
        EXPECT_EQ(platform::vbKeyCode(e), c.code) << c.key;
    }
    const QKeyEvent none(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("x"));
    EXPECT_EQ(platform::vbKeyCode(none), 0);
}

TEST(KeyRouter, GotFocusRunsAfterTheControlHasTakenTheFocus)
{
    QWidget window;
    auto* a = new QLineEdit(&window);
    auto* b = new QLineEdit(&window);
    b->setText(QStringLiteral("Sacramento"));
    KeyRouter keys(&window);
    // What the handler does must not be undone by the control's own
    // select-all on a Tab focus.
    keys.onGotFocus(b, [b] { b->deselect(); });
    window.show();
    QApplication::setActiveWindow(&window);
    a->setFocus(Qt::TabFocusReason);
    b->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(b->selectedText(), QString());
}
