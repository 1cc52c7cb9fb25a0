#pragma once
// "On the Air Code Practice": random groups, pasted or typed text sent one
// character at a time through the CW sender, each character echoed into
// "Text Sent"; a typing box sends each key as it is pressed. Shown modally
// from the CW window, which discards it when it closes.

#include <QDialog>

class CWFrm;
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

class frmCodePractice : public QDialog {
public:
    frmCodePractice(app::AppState& state, CWFrm& cw, QWidget* parent = nullptr);

    void Form_Load();
    /// The closing: stops the sending; false (refused) while the port
    /// sender is still keying a character.
    bool Form_Unload();

    QPlainTextEdit* Text1 = nullptr;  ///< Text to Send
    QPlainTextEdit* Text2 = nullptr;  ///< Text Sent
    QLineEdit* Text3 = nullptr;       ///< groups
    QLineEdit* Text4 = nullptr;       ///< characters per group
    QGroupBox* Frame1 = nullptr;      ///< "Include:"
    QRadioButton* Option1 = nullptr;  ///< Letters Only
    QRadioButton* Option2 = nullptr;  ///< All
    QLineEdit* Text5 = nullptr;       ///< the typing box
    QLabel* Label8 = nullptr;         ///< speed
    QPushButton* Command1 = nullptr;  ///< Paste from Clipboard
    QPushButton* Command2 = nullptr;  ///< Generate Random Characters
    QPushButton* Command3 = nullptr;  ///< Send
    QPushButton* Command4 = nullptr;  ///< Stop
    QPushButton* Command5 = nullptr;  ///< Clear (Text Sent)
    QPushButton* Command6 = nullptr;  ///< Clear (Text to Send)
    QPushButton* Command7 = nullptr;  ///< Faster
    QPushButton* Command8 = nullptr;  ///< Slower

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void wireEvents();
    void Text5_KeyPress(int& KeyAscii);
    void echo(const QString& character);
    void showSpeed();

    app::AppState& m_state;
    CWFrm& m_cw;
    platform::KeyRouter* m_keys = nullptr;
    QString m_practiceText;
    bool m_sending = false;
};
