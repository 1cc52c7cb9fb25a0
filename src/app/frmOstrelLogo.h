#pragma once
// The logo window shown while the program starts: the built-in logo, and
// after 1.1 s a banner in its lower right corner; it closes itself after
// 1.9 s or at a click on the logo. A splash.jpg in the Shared folder is shown
// alone for 2.7 s instead.

#include <QDialog>

class QLabel;
class QTimer;

namespace app {
struct AppState;
struct UserFolderEnvironment;
}

class frmOstrelLogo : public QDialog {
public:
    frmOstrelLogo(app::AppState& state, const app::UserFolderEnvironment& env,
                  QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

private:
    void Form_Load(const app::UserFolderEnvironment& env);
    void Image1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    bool eventFilter(QObject* watched, QEvent* event) override;

    app::AppState& m_state;
    bool m_bannerEnabled = true;
};
