#include "reports/CountyMapCA.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "reports/county_map.h"

#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>

using platform::ControlKind;

CountyMapPicture::CountyMapPicture(QWidget* parent) : QWidget(parent) {}

void CountyMapPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

CountyMapCA::CountyMapCA(app::AppState& state, std::function<QStringList()> worked, QWidget* parent)
    : QDialog(parent), m_state(state), m_worked(std::move(worked))
{
    setObjectName(QStringLiteral("CountyMapCA"));
    setWindowTitle(QStringLiteral(" Zivudaduri County Map"));
    platform::setWindowTwipSize(this, 6180, 6825);
    setFixedSize(size());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    Picture1 = new CountyMapPicture(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    platform::setKind(Picture1, ControlKind::Image);
    Picture1->image = reports::countyMapPicture();
    Picture1->setGeometry((width() - reports::MapWidth) / 2, platform::twipsToPixels(60), reports::MapWidth,
                          reports::MapHeight);

    const auto& rectangles = reports::countyRectangles();
    for (std::size_t k = 0; k < rectangles.size(); ++k) {
        auto* l = new QLabel(Picture1);
        l->setObjectName(QStringLiteral("lblCounty"));
        l->setGeometry(rectangles[k].rect());
        l->setText(QString::fromLatin1(rectangles[k].name));
        lblCounty[k] = l;
    }

    Label1 = new QLabel(Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(256, 32, 121, 49);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setText(QStringLiteral("Counties will change color when worked."));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void CountyMapCA::showModal(app::AppState& state, std::function<QStringList()> worked, QWidget* parent,
                            const ModalRunner& runner)
{
    CountyMapCA window(state, std::move(worked), parent);
    window.Form_Load();
    runner(window);
}

void CountyMapCA::Form_Load()
{
    // The map keeps its picture's size on every screen.
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    const QRectF g = platform::windowTwipGeometry(this);
    platform::setWindowTwipPos(this, (screen.widthTwips - g.width()) / 2, (screen.heightTwips - g.height()) / 2);
    // Each rectangle becomes an empty, see-through tool-tip area over its county.
    for (QLabel* l : lblCounty) {
        l->setToolTip(l->text());
        l->clear();
        l->setAutoFillBackground(false);
    }
    if (m_state.log.contacts.ContactCount() > 0)
        Label1->hide();
    Timer1->start();
}

void CountyMapCA::Timer1_Timer()
{
    Timer1->stop();
    PaintCounties();
}

void CountyMapCA::PaintCounties()
{
    // One generator for the whole painting, seeded once: counties painted
    // within one tick of the clock still get colours of their own.
    QRandomGenerator random = QRandomGenerator::securelySeeded();
    reports::paintWorkedCounties(Picture1->image, m_worked ? m_worked() : QStringList(), random);
    Picture1->update();
}
