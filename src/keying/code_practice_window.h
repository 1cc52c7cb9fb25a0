#pragma once
// "On the Air Code Practice": random groups, pasted or typed text sent one
// character at a time through the CW sender, each character echoed into
// "Text Sent"; a typing box sends each key as it is pressed. Shown modally
// from the CW window, which discards it when it closes.

#include <QDialog>

class CwWindow;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

class CodePracticeWindow : public QDialog {
public:
    CodePracticeWindow(app::AppState& state, CwWindow& cw, QWidget* parent = nullptr);

    void onLoad();
    /// The closing: stops the sending; false (refused) while the port
    /// sender is still keying a character.
    bool onUnload();

    QPlainTextEdit* textToSendBox = nullptr;  ///< Text to Send
    QPlainTextEdit* textSentBox = nullptr;  ///< Text Sent
    QLineEdit* groupCountBox = nullptr;       ///< groups
    QLineEdit* groupLengthBox = nullptr;       ///< characters per group
    QGroupBox* includeGroup = nullptr;      ///< "Include:"
    QRadioButton* includeLettersOnly = nullptr;  ///< Letters Only
    QRadioButton* includeAll = nullptr;  ///< All
    QLineEdit* typingBox = nullptr;       ///< the typing box
    QLabel* speedLabel = nullptr;         ///< speed
    QPushButton* pasteButton = nullptr;  ///< Paste from Clipboard
    QPushButton* generateButton = nullptr;  ///< Generate Random Characters
    QPushButton* sendButton = nullptr;  ///< Send
    QPushButton* stopButton = nullptr;  ///< Stop
    QPushButton* clearSentButton = nullptr;  ///< Clear (Text Sent)
    QPushButton* clearToSendButton = nullptr;  ///< Clear (Text to Send)
    QPushButton* fasterButton = nullptr;  ///< Faster
    QPushButton* slowerButton = nullptr;  ///< Slower

    void onPasteClicked();
    void onGenerateClicked();
    void onSendClicked();
    void onStopClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void wireEvents();
    void onTypingBoxKeyPress(int& KeyAscii);
    /// A paste into the typing box, sent as typing it would be, at once.
    void onTypingBoxPaste(const QString& text);
    /// Echoes text under Text Sent and queues it for the CW sender.
    void sendTyped(const QString& text);
    /// Stop's and closing's work: nothing more is keyed after the current
    /// character.
    void stopTheKeyer();
    void echo(const QString& character);
    void showSpeed();

    app::AppState& m_state;
    CwWindow& m_cw;
    platform::KeyRouter* m_keys = nullptr;
    QString m_practiceText;
    bool m_sending = false;
};
