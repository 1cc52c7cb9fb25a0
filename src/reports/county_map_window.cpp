#include "reports/county_map_window.h"

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

CountyMapWindow::CountyMapWindow(app::AppState& state, std::function<QStringList()> worked, QWidget* parent)
    : QDialog(parent), m_state(state), m_worked(std::move(worked))
{
    setObjectName(QStringLiteral("CountyMapWindow"));
    setWindowTitle(QStringLiteral(" Zivudaduri County Map"));
    platform::setWindowTwipSize(this, 6180, 6825);
    setFixedSize(size());
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    mapPicture = new CountyMapPicture(this);
    mapPicture->setObjectName(QStringLiteral("mapPicture"));
    platform::setKind(mapPicture, ControlKind::Image);
    mapPicture->image = reports::countyMapPicture();
    mapPicture->setGeometry((width() - reports::MapWidth) / 2, platform::twipsToPixels(60), reports::MapWidth,
                          reports::MapHeight);

    const auto& rectangles = reports::countyRectangles();
    for (std::size_t k = 0; k < rectangles.size(); ++k) {
        auto* l = new QLabel(mapPicture);
        l->setObjectName(QStringLiteral("lblCounty"));
        l->setGeometry(rectangles[k].rect());
        l->setText(QString::fromLatin1(rectangles[k].name));
        lblCounty[k] = l;
    }

    hintLabel = new QLabel(mapPicture);
    hintLabel->setObjectName(QStringLiteral("hintLabel"));
    hintLabel->setGeometry(256, 32, 121, 49);
    hintLabel->setWordWrap(true);
    hintLabel->setAlignment(Qt::AlignCenter);
    hintLabel->setText(QStringLiteral("Counties will change color when worked."));

    paintTimer = new QTimer(this);
    paintTimer->setObjectName(QStringLiteral("paintTimer"));
    paintTimer->setInterval(1);
    connect(paintTimer, &QTimer::timeout, this, [this] { onPaintTick(); });
}

void CountyMapWindow::showModal(app::AppState& state, std::function<QStringList()> worked, QWidget* parent,
                            const ModalRunner& runner)
{
    CountyMapWindow window(state, std::move(worked), parent);
    window.onLoad();
    runner(window);
}

void CountyMapWindow::onLoad()
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
        hintLabel->hide();
    paintTimer->start();
}

void CountyMapWindow::onPaintTick()
{
    paintTimer->stop();
    PaintCounties();
}

void CountyMapWindow::PaintCounties()
{
    // One generator for the whole painting, seeded once: counties painted
    // within one tick of the clock still get colours of their own.
    QRandomGenerator random = QRandomGenerator::securelySeeded();
    reports::paintWorkedCounties(mapPicture->image, m_worked ? m_worked() : QStringList(), random);
    mapPicture->update();
}
