#include "reports/county_list_window.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/scaling.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

using platform::ControlKind;

CountyListWindow::CountyListWindow(app::AppState& state, QLineEdit* countyBox, QWidget* parent)
    : QDialog(parent), m_state(state), m_countyBox(countyBox)
{
    setObjectName(QStringLiteral("CountyListWindow"));
    setWindowTitle(QStringLiteral("County List"));
    platform::setWindowTwipSize(this, 3150, 6105);
    countyList = platform::makeControl<QTreeWidget>(this, "countyList", ControlKind::ListView,
                                                   QRectF(120, 120, 2915, 5895));
    countyList->setRootIsDecorated(false);
    countyList->setUniformRowHeights(true);
    countyList->setSelectionMode(QAbstractItemView::SingleSelection);
    countyList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(countyList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { onCountyListClicked(item); });
}

void CountyListWindow::showModal(app::AppState& state, QLineEdit* countyBox, QWidget* parent,
                              const ModalRunner& runner)
{
    CountyListWindow window(state, countyBox, parent);
    window.onLoad();
    runner(window);
}

void CountyListWindow::onLoad()
{
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    // The list's own scaling: the shared factors, its font capped at one and
    // a half times, and placed a sixth of the free height from the top.
    (void)platform::scaleWindow(this, screen, platform::ScaleRule::countyChange(true));
    const QRectF g = platform::windowTwipGeometry(this);
    platform::setWindowTwipPos(this, (screen.widthTwips - g.width()) / 2, (screen.heightTwips - g.height()) / 6);

    countyList->setHeaderLabels({QStringLiteral("County"), QStringLiteral("Abbreviation")});
    const int columnWidth = platform::twipsToPixels(1300 * screen.widthTwips / 9600);
    countyList->header()->resizeSection(0, columnWidth);
    countyList->header()->resizeSection(1, columnWidth);
    QList<QTreeWidgetItem*> rows;
    for (const auto& county : m_state.counties.rows)
        rows.append(new QTreeWidgetItem(QStringList{county.CountyName, county.CountyAbbrev}));
    countyList->addTopLevelItems(rows);
}

void CountyListWindow::onCountyListClicked(QTreeWidgetItem* item)
{
    // A click beside the rows changes nothing and leaves the list open.
    if (!item)
        return;
    if (m_countyBox)
        m_countyBox->setText(item->text(0));
    hide();
}
