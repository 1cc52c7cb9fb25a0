#include "keying/frmCodePractice.h"

#include "app/app_state.h"
#include "keying/CWFrm.h"
#include "keying/code_practice.h"
#include "keying/work_area.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/key_events.h"
#include "platform/number_text.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTextCursor>

#include <cmath>

using platform::ControlKind;
using platform::makeControl;

frmCodePractice::frmCodePractice(app::AppState& state, CWFrm& cw, QWidget* parent)
    : QDialog(parent), m_state(state), m_cw(cw)
{
    setObjectName(QStringLiteral("frmCodePractice"));
    setWindowTitle(QStringLiteral("On the Air Code Practice"));
    platform::setWindowTwipSize(this, 7320, 6180);
    buildControls();
    wireEvents();
}

void frmCodePractice::buildControls()
{
    auto label = [this](const char* name, const QRectF& twips, const QString& caption) {
        auto* l = makeControl<QLabel>(this, name, ControlKind::Label, twips);
        l->setText(caption);
        return l;
    };
    auto button = [this](const char* name, const QRectF& twips, const QString& caption) {
        auto* b = makeControl<QPushButton>(this, name, ControlKind::CommandButton, twips);
        b->setText(caption);
        b->setAutoDefault(false);
        return b;
    };
    QLabel* help = label("Label9", QRectF(120, 120, 7080, 540),
                         QStringLiteral("Fill \"Text to Send\" by pasting from the clipboard, by generating random "
                                        "characters or by typing into it. Send sends the characters over the air "
                                        "through the CW keying set up in the CW window."));
    help->setWordWrap(true);
    label("Label1", QRectF(120, 780, 3000, 255), QStringLiteral(" Text to Send"));
    Command6 = button("Command6", QRectF(6240, 720, 960, 315), QStringLiteral("&Clear"));
    Text1 = makeControl<QPlainTextEdit>(this, "Text1", ControlKind::TextBox, QRectF(120, 1080, 7080, 1200));
    label("Label2", QRectF(120, 2340, 3000, 255), QStringLiteral(" Text Sent"));
    Command5 = button("Command5", QRectF(6240, 2280, 960, 315), QStringLiteral("Cl&ear"));
    Text2 = makeControl<QPlainTextEdit>(this, "Text2", ControlKind::TextBox, QRectF(120, 2640, 7080, 960));

    label("Label3", QRectF(120, 3810, 840, 255), QStringLiteral("Generate"));
    Text3 = makeControl<QLineEdit>(this, "Text3", ControlKind::TextBox, QRectF(960, 3780, 600, 315));
    Text3->setText(QStringLiteral("10"));
    label("Label4", QRectF(1680, 3810, 900, 255), QStringLiteral("groups of"));
    Text4 = makeControl<QLineEdit>(this, "Text4", ControlKind::TextBox, QRectF(2580, 3780, 600, 315));
    Text4->setText(QStringLiteral("5"));
    label("Label5", QRectF(3300, 3810, 1560, 255), QStringLiteral("characters each."));

    Frame1 = makeControl<QGroupBox>(this, "Frame1", ControlKind::Frame, QRectF(5040, 3660, 2160, 780));
    Frame1->setTitle(QStringLiteral("Include:"));
    Option1 = makeControl<QRadioButton>(Frame1, "Option1", ControlKind::OptionButton, QRectF(120, 240, 1900, 240));
    Option1->setText(QStringLiteral("Letters Only"));
    Option2 = makeControl<QRadioButton>(Frame1, "Option2", ControlKind::OptionButton, QRectF(120, 480, 1900, 240));
    Option2->setText(QStringLiteral("All"));
    Option2->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(Option1);
    group->addButton(Option2);

    label("Label6", QRectF(120, 4620, 4200, 255), QStringLiteral("Type characters here to send text from keyboard:"));
    Text5 = makeControl<QLineEdit>(this, "Text5", ControlKind::TextBox, QRectF(4380, 4590, 2820, 315));

    Label8 = label("Label8", QRectF(120, 5100, 480, 255), QString());
    Label8->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label("Label7", QRectF(660, 5100, 600, 255), QStringLiteral("WPM"));
    Command7 = button("Command7", QRectF(1320, 5040, 1080, 375), QStringLiteral("&Faster"));
    Command8 = button("Command8", QRectF(2520, 5040, 1080, 375), QStringLiteral("S&lower"));

    Command1 = button("Command1", QRectF(120, 5580, 2040, 420), QStringLiteral("&Paste from Clipboard"));
    Command2 = button("Command2", QRectF(2280, 5580, 2640, 420), QStringLiteral("&Generate Random Characters"));
    Command3 = button("Command3", QRectF(5040, 5580, 1020, 420), QStringLiteral("&Send"));
    Command4 = button("Command4", QRectF(6180, 5580, 1020, 420), QStringLiteral("S&top"));
}

void frmCodePractice::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(Text1, [](int& k) {
        if (k >= 'a' && k <= 'z')
            k -= 32;
    });
    m_keys->onKeyPress(Text5, [this](int& k) { Text5_KeyPress(k); });
    m_keys->attachAll();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Text2->clear(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Text1->clear(); });
    connect(Command7, &QPushButton::clicked, this, [this] {
        m_cw.UpDown1_UpClick();
        showSpeed();
    });
    connect(Command8, &QPushButton::clicked, this, [this] {
        m_cw.UpDown1_DownClick();
        showSpeed();
    });
}

void frmCodePractice::showSpeed() { Label8->setText(m_cw.Text11->text()); }

void frmCodePractice::Form_Load()
{
    keying::scaleToWorkArea(this, m_state.services.screen.metrics());
    showSpeed();
}

void frmCodePractice::Command1_Click()
{
    if (const QClipboard* clipboard = QGuiApplication::clipboard())
        Text1->setPlainText(clipboard->text());
}

void frmCodePractice::Command2_Click()
{
    if (!platform::isNumeric(Text3->text()))
        Text3->setText(QStringLiteral("10"));
    if (!platform::isNumeric(Text4->text()))
        Text4->setText(QStringLiteral("5"));
    auto whole = [](const QLineEdit* box) {
        const double v = platform::typedNumber(box->text()).value_or(0);
        return static_cast<int>(std::clamp(std::floor(v), -1.0, 1e6));
    };
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    Text1->setPlainText(keying::generatePracticeGroups(whole(Text3), whole(Text4), Option1->isChecked(),
                                                       [&random] { return random.generateDouble(); }));
}

void frmCodePractice::echo(const QString& character)
{
    Text2->moveCursor(QTextCursor::End);
    Text2->insertPlainText(character);
    const QString sent = Text2->toPlainText();
    if (!sent.isEmpty()) {
        QTextCursor caret = Text2->textCursor();
        caret.setPosition(static_cast<int>(sent.size() - 1));
        Text2->setTextCursor(caret);
    }
}

void frmCodePractice::Command3_Click()
{
    // A second Send while one runs would interleave the two texts.
    if (m_sending)
        return;
    m_sending = true;
    keying::KeyingState& k = m_state.keying;
    m_practiceText = Text1->toPlainText();
    Text1->setFocus();
    qsizetype i = 1;
    while (i <= m_practiceText.size()) {
        m_practiceText = Text1->toPlainText();
        const QString character = i <= m_practiceText.size() ? QString(m_practiceText[i - 1]) : QString();
        k.CWSendBuffer = character;
        if (k.CWSendingFlag == 0)
            m_cw.LoopThroughCWBuffer();
        echo(character);
        QTextCursor caret = Text1->textCursor();
        caret.setPosition(static_cast<int>(std::min(i, static_cast<qsizetype>(Text1->toPlainText().size()))));
        Text1->setTextCursor(caret);
        platform::letPendingEventsRun();
        ++i;
    }
    m_sending = false;
}

void frmCodePractice::Command4_Click()
{
    m_practiceText.clear();
    m_state.keying.CWSendBuffer.clear();
}

void frmCodePractice::Text5_KeyPress(int& KeyAscii)
{
    keying::KeyingState& k = m_state.keying;
    if (KeyAscii == platform::vbkey::Tab)
        return;
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    if (KeyAscii == platform::vbkey::Back) {
        if (!k.CWSendBuffer.isEmpty())
            k.CWSendBuffer.chop(1);
        QString sent = Text2->toPlainText();
        if (!sent.isEmpty()) {
            sent.chop(1);
            Text2->setPlainText(sent);
            Text2->moveCursor(QTextCursor::End);
        }
    } else if (KeyAscii > 0) {
        const QString character(QChar(static_cast<char16_t>(KeyAscii)));
        echo(character);
        k.CWSendBuffer += character;
        KeyAscii = 0;
        if (k.CWSendingFlag == 0)
            m_cw.LoopThroughCWBuffer();
    }
    KeyAscii = 0;
}

bool frmCodePractice::Form_Unload()
{
    m_state.keying.CWSendBuffer.clear();
    m_practiceText.clear();
    return m_state.keying.CWSendingFlag != 1;
}

void frmCodePractice::closeEvent(QCloseEvent* event)
{
    if (Form_Unload())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void frmCodePractice::reject()
{
    if (Form_Unload())
        QDialog::reject();
}
