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

class LogoWindow : public QDialog {
public:
    LogoWindow(app::AppState& state, const app::UserFolderEnvironment& env,
                  QWidget* parent = nullptr);

    QLabel* logoImage = nullptr;
    QLabel* bannerImage = nullptr;
    QTimer* closeTimer = nullptr;
    QTimer* bannerTimer = nullptr;

private:
    void onLoad(const app::UserFolderEnvironment& env);
    void onLogoClicked();
    void onCloseTick();
    void onBannerTick();
    bool eventFilter(QObject* watched, QEvent* event) override;

    app::AppState& m_state;
    bool m_bannerEnabled = true;
};
