#include "app/logo_window.h"

#include "app/app_state.h"
#include "app/artwork.h"
#include "app/user_folders.h"
#include "platform/controls.h"
#include "platform/file_system.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

using platform::ControlKind;

LogoWindow::LogoWindow(app::AppState& state, const app::UserFolderEnvironment& env,
                             QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_state(state)
{
    setObjectName(QStringLiteral("LogoWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    platform::setWindowTwipSize(this, 14355, 7920);

    logoImage = platform::makeControl<QLabel>(this, "logoImage", ControlKind::Image,
                                           QRectF(-480, -240, 15060, 8505));
    logoImage->setPixmap(app::drawLogo());
    logoImage->setScaledContents(true);
    logoImage->installEventFilter(this);

    bannerImage = platform::makeControl<QLabel>(this, "bannerImage", ControlKind::Image,
                                           QRectF(9000, 6120, 4740, 1275));
    bannerImage->setPixmap(app::drawBanner());
    bannerImage->setScaledContents(true);
    bannerImage->hide();

    closeTimer = new QTimer(this);
    closeTimer->setInterval(1900);
    bannerTimer = new QTimer(this);
    bannerTimer->setInterval(1100);
    connect(closeTimer, &QTimer::timeout, this, &LogoWindow::onCloseTick);
    connect(bannerTimer, &QTimer::timeout, this, &LogoWindow::onBannerTick);

    onLoad(env);
    closeTimer->start();
    if (m_bannerEnabled)
        bannerTimer->start();
}

void LogoWindow::onLoad(const app::UserFolderEnvironment& env)
{
    const auto screen = m_state.services.screen.metrics();
    const QRectF g = platform::windowTwipGeometry(this);
    platform::setWindowTwipPos(this, (screen.widthTwips - g.width()) / 2,
                               (screen.heightTwips - g.height()) / 2 - 170);

    QString base;
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Shared"), env,
                       m_state.services.prompt);
    const auto splash = platform::existingPath(platform::joinPath(base, QStringLiteral("Shared/splash.jpg")));
    if (!splash)
        return;
    QPixmap picture;
    // A splash.jpg that is not a picture is passed over: the built-in logo shows.
    if (!picture.load(*splash))
        return;
    logoImage->setScaledContents(false);
    logoImage->setPixmap(picture);
    const QRectF t = platform::twipGeometry(logoImage);
    platform::setTwipGeometry(logoImage, QRectF(t.left(), t.top(), picture.width() * platform::TwipsPerPixel,
                                             picture.height() * platform::TwipsPerPixel));
    closeTimer->setInterval(2700);
    m_bannerEnabled = false;
}

bool LogoWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == logoImage && event->type() == QEvent::MouseButtonRelease) {
        onLogoClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void LogoWindow::onLogoClicked() { accept(); }

void LogoWindow::onCloseTick()
{
    closeTimer->stop();
    accept();
}

void LogoWindow::onBannerTick() { bannerImage->show(); }
