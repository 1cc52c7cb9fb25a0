#include "keying/code_practice_window.h"

#include "app/app_state.h"
#include "keying/cw_window.h"
#include "keying/code_practice.h"
#include "keying/work_area.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "platform/typed_text.h"
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

CodePracticeWindow::CodePracticeWindow(app::AppState& state, CwWindow& cw, QWidget* parent)
    : QDialog(parent), m_state(state), m_cw(cw)
{
    setObjectName(QStringLiteral("CodePracticeWindow"));
    setWindowTitle(QStringLiteral("On the Air Code Practice"));
    platform::setWindowTwipSize(this, 7320, 6180);
    buildControls();
    wireEvents();
}

void CodePracticeWindow::buildControls()
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
    QLabel* help = label("helpLabel", QRectF(120, 120, 7080, 540),
                         QStringLiteral("Fill \"Text to Send\" by pasting from the clipboard, by generating random "
                                        "characters or by typing into it. Send sends the characters over the air "
                                        "through the CW keying set up in the CW window."));
    help->setWordWrap(true);
    label("textToSendLabel", QRectF(120, 780, 3000, 255), QStringLiteral(" Text to Send"));
    clearToSendButton = button("clearToSendButton", QRectF(6240, 720, 960, 315), QStringLiteral("&Clear"));
    textToSendBox = makeControl<QPlainTextEdit>(this, "textToSendBox", ControlKind::TextBox, QRectF(120, 1080, 7080, 1200));
    label("textSentLabel", QRectF(120, 2340, 3000, 255), QStringLiteral(" Text Sent"));
    clearSentButton = button("clearSentButton", QRectF(6240, 2280, 960, 315), QStringLiteral("Cl&ear"));
    textSentBox = makeControl<QPlainTextEdit>(this, "textSentBox", ControlKind::TextBox, QRectF(120, 2640, 7080, 960));

    label("generateLabel", QRectF(120, 3810, 840, 255), QStringLiteral("Generate"));
    groupCountBox = makeControl<QLineEdit>(this, "groupCountBox", ControlKind::TextBox, QRectF(960, 3780, 600, 315));
    groupCountBox->setText(QStringLiteral("10"));
    label("groupsOfLabel", QRectF(1680, 3810, 900, 255), QStringLiteral("groups of"));
    groupLengthBox = makeControl<QLineEdit>(this, "groupLengthBox", ControlKind::TextBox, QRectF(2580, 3780, 600, 315));
    groupLengthBox->setText(QStringLiteral("5"));
    label("charactersEachLabel", QRectF(3300, 3810, 1560, 255), QStringLiteral("characters each."));

    includeGroup = makeControl<QGroupBox>(this, "includeGroup", ControlKind::Frame, QRectF(5040, 3660, 2160, 780));
    includeGroup->setTitle(QStringLiteral("Include:"));
    includeLettersOnly = makeControl<QRadioButton>(includeGroup, "includeLettersOnly", ControlKind::OptionButton, QRectF(120, 240, 1900, 240));
    includeLettersOnly->setText(QStringLiteral("Letters Only"));
    includeAll = makeControl<QRadioButton>(includeGroup, "includeAll", ControlKind::OptionButton, QRectF(120, 480, 1900, 240));
    includeAll->setText(QStringLiteral("All"));
    includeAll->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(includeLettersOnly);
    group->addButton(includeAll);

    label("typingBoxLabel", QRectF(120, 4620, 4200, 255), QStringLiteral("Type characters here to send text from keyboard:"));
    typingBox = makeControl<QLineEdit>(this, "typingBox", ControlKind::TextBox, QRectF(4380, 4590, 2820, 315));

    speedLabel = label("speedLabel", QRectF(120, 5100, 480, 255), QString());
    speedLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label("wpmLabel", QRectF(660, 5100, 600, 255), QStringLiteral("WPM"));
    fasterButton = button("fasterButton", QRectF(1320, 5040, 1080, 375), QStringLiteral("&Faster"));
    slowerButton = button("slowerButton", QRectF(2520, 5040, 1080, 375), QStringLiteral("S&lower"));

    pasteButton = button("pasteButton", QRectF(120, 5580, 2040, 420), QStringLiteral("&Paste from Clipboard"));
    generateButton = button("generateButton", QRectF(2280, 5580, 2640, 420), QStringLiteral("&Generate Random Characters"));
    sendButton = button("sendButton", QRectF(5040, 5580, 1020, 420), QStringLiteral("&Send"));
    stopButton = button("stopButton", QRectF(6180, 5580, 1020, 420), QStringLiteral("S&top"));
}

void CodePracticeWindow::wireEvents()
{
    m_keys = new platform::KeyRouter(this);
    m_keys->onKeyPress(textToSendBox, [](int& k) {
        if (k >= 'a' && k <= 'z')
            k -= 32;
    });
    m_keys->onKeyPress(typingBox, [this](int& k) { onTypingBoxKeyPress(k); });
    // Each typed key is sent and shown under Text Sent, the typing box
    // keeping nothing; a paste is sent the same way.
    platform::typePastes(typingBox, [this](const QString& text) { onTypingBoxPaste(text); });
    m_keys->attachAll();

    connect(pasteButton, &QPushButton::clicked, this, [this] { onPasteClicked(); });
    connect(generateButton, &QPushButton::clicked, this, [this] { onGenerateClicked(); });
    connect(sendButton, &QPushButton::clicked, this, [this] { onSendClicked(); });
    connect(stopButton, &QPushButton::clicked, this, [this] { onStopClicked(); });
    connect(clearSentButton, &QPushButton::clicked, this, [this] { textSentBox->clear(); });
    connect(clearToSendButton, &QPushButton::clicked, this, [this] { textToSendBox->clear(); });
    connect(fasterButton, &QPushButton::clicked, this, [this] {
        m_cw.onSpeedUp();
        showSpeed();
    });
    connect(slowerButton, &QPushButton::clicked, this, [this] {
        m_cw.onSpeedDown();
        showSpeed();
    });
}

void CodePracticeWindow::showSpeed() { speedLabel->setText(m_cw.speedBox->text()); }

void CodePracticeWindow::onLoad()
{
    keying::scaleToWorkArea(this, m_state.services.screen.metrics());
    showSpeed();
}

void CodePracticeWindow::onPasteClicked()
{
    if (const QClipboard* clipboard = QGuiApplication::clipboard())
        textToSendBox->setPlainText(clipboard->text());
}

void CodePracticeWindow::onGenerateClicked()
{
    if (!platform::isNumeric(groupCountBox->text()))
        groupCountBox->setText(QStringLiteral("10"));
    if (!platform::isNumeric(groupLengthBox->text()))
        groupLengthBox->setText(QStringLiteral("5"));
    auto whole = [](const QLineEdit* box) {
        const double v = platform::typedNumber(box->text()).value_or(0);
        return static_cast<int>(std::clamp(std::floor(v), -1.0, 1e6));
    };
    QRandomGenerator random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    textToSendBox->setPlainText(keying::generatePracticeGroups(whole(groupCountBox), whole(groupLengthBox), includeLettersOnly->isChecked(),
                                                       [&random] { return random.generateDouble(); }));
}

void CodePracticeWindow::echo(const QString& character)
{
    textSentBox->moveCursor(QTextCursor::End);
    textSentBox->insertPlainText(character);
    const QString sent = textSentBox->toPlainText();
    if (!sent.isEmpty()) {
        QTextCursor caret = textSentBox->textCursor();
        caret.setPosition(static_cast<int>(sent.size() - 1));
        textSentBox->setTextCursor(caret);
    }
}

void CodePracticeWindow::onSendClicked()
{
    // A second Send while one runs would interleave the two texts.
    if (m_sending)
        return;
    m_sending = true;
    keying::KeyingState& k = m_state.keying;
    m_practiceText = textToSendBox->toPlainText();
    textToSendBox->setFocus();
    qsizetype i = 1;
    while (i <= m_practiceText.size()) {
        // The practice ends with the program, whatever is left of it.
        if (k.programEnding)
            break;
        m_practiceText = textToSendBox->toPlainText();
        const QString character = i <= m_practiceText.size() ? QString(m_practiceText[i - 1]) : QString();
        k.CWSendBuffer = character;
        if (k.CWSendingFlag == 0) {
            m_cw.LoopThroughCWBuffer();
            // Each character is a message of its own: a key line that
            // failed would be reported again for every one, each box
            // hiding Stop. The practice ends at the first, which was not sent.
            if (m_cw.sendFailed()) {
                m_practiceText.clear();
                k.CWSendBuffer.clear();
                break;
            }
        }
        echo(character);
        QTextCursor caret = textToSendBox->textCursor();
        caret.setPosition(static_cast<int>(std::min(i, static_cast<qsizetype>(textToSendBox->toPlainText().size()))));
        textToSendBox->setTextCursor(caret);
        platform::letPendingEventsRun();
        ++i;
    }
    m_sending = false;
}

void CodePracticeWindow::onStopClicked()
{
    m_practiceText.clear();
    stopTheKeyer();
}

void CodePracticeWindow::stopTheKeyer()
{
    // What is waiting is dropped; a WinKey keyer is emptied as well, since
    // a paste leaves it holding up to a buffer's worth, which it would go on
    // keying long after Stop with nothing left here to stop it.
    m_cw.stopSending();
}

void CodePracticeWindow::onTypingBoxKeyPress(int& KeyAscii)
{
    keying::KeyingState& k = m_state.keying;
    if (KeyAscii == platform::vbkey::Tab)
        return;
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    if (KeyAscii == platform::vbkey::Back) {
        if (!k.CWSendBuffer.isEmpty())
            k.CWSendBuffer.chop(1);
        QString sent = textSentBox->toPlainText();
        if (!sent.isEmpty()) {
            sent.chop(1);
            textSentBox->setPlainText(sent);
            textSentBox->moveCursor(QTextCursor::End);
        }
    } else if (KeyAscii > 0) {
        const QString character(QChar(static_cast<char16_t>(KeyAscii)));
        KeyAscii = 0;
        sendTyped(character);
    }
    KeyAscii = 0;
}

void CodePracticeWindow::onTypingBoxPaste(const QString& text)
{
    // A paste holds no control character: what typing it leaves is its
    // letters in capitals.
    sendTyped(platform::typeInto({}, text, [](int& KeyAscii, QString&) {
        if (KeyAscii >= 'a' && KeyAscii <= 'z')
            KeyAscii -= 32;
    }));
}

void CodePracticeWindow::sendTyped(const QString& text)
{
    if (text.isEmpty())
        return;
    keying::KeyingState& k = m_state.keying;
    echo(text);
    // Queued whole, so that Stop and closing the window, which empty the
    // buffer, end a long paste as they end a message.
    k.CWSendBuffer += text;
    if (k.CWSendingFlag == 0)
        m_cw.LoopThroughCWBuffer();
}

bool CodePracticeWindow::onUnload()
{
    stopTheKeyer();
    m_practiceText.clear();
    return m_state.keying.CWSendingFlag != 1;
}

void CodePracticeWindow::closeEvent(QCloseEvent* event)
{
    if (onUnload())
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void CodePracticeWindow::reject()
{
    if (onUnload())
        QDialog::reject();
}
