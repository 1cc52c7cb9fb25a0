#include "app/frmOstrelLogo.h"

#include "app/app_state.h"
#include "app/artwork.h"
#include "app/user_folders.h"
#include "platform/controls.h"
#include "platform/file_system.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

using platform::ControlKind;

frmOstrelLogo::frmOstrelLogo(app::AppState& state, const app::UserFolderEnvironment& env,
                             QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), m_state(state)
{
    setObjectName(QStringLiteral("frmOstrelLogo"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    platform::setWindowTwipSize(this, 14355, 7920);

    Image1 = platform::makeControl<QLabel>(this, "Image1", ControlKind::Image,
                                           QRectF(-480, -240, 15060, 8505));
    Image1->setPixmap(app::drawLogo());
    Image1->setScaledContents(true);
    Image1->installEventFilter(this);

    Image2 = platform::makeControl<QLabel>(this, "Image2", ControlKind::Image,
                                           QRectF(9000, 6120, 4740, 1275));
    Image2->setPixmap(app::drawBanner());
    Image2->setScaledContents(true);
    Image2->hide();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1900);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1100);
    connect(Timer1, &QTimer::timeout, this, &frmOstrelLogo::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmOstrelLogo::Timer2_Timer);

    Form_Load(env);
    Timer1->start();
    if (m_bannerEnabled)
        Timer2->start();
}

void frmOstrelLogo::Form_Load(const app::UserFolderEnvironment& env)
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
    Image1->setScaledContents(false);
    Image1->setPixmap(picture);
    const QRectF t = platform::twipGeometry(Image1);
    platform::setTwipGeometry(Image1, QRectF(t.left(), t.top(), picture.width() * platform::TwipsPerPixel,
                                             picture.height() * platform::TwipsPerPixel));
    Timer1->setInterval(2700);
    m_bannerEnabled = false;
}

bool frmOstrelLogo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        Image1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmOstrelLogo::Image1_Click() { accept(); }

void frmOstrelLogo::Timer1_Timer()
{
    Timer1->stop();
    accept();
}

void frmOstrelLogo::Timer2_Timer() { Image2->show(); }
