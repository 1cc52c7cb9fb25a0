#include "reports/frmCountyList.h"

#include "app/app_state.h"
#include "platform/controls.h"
#include "platform/scaling.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

using platform::ControlKind;

frmCountyList::frmCountyList(app::AppState& state, QLineEdit* countyBox, QWidget* parent)
    : QDialog(parent), m_state(state), m_countyBox(countyBox)
{
    setObjectName(QStringLiteral("frmCountyList"));
    setWindowTitle(QStringLiteral("County List"));
    platform::setWindowTwipSize(this, 3150, 6105);
    ListView1 = platform::makeControl<QTreeWidget>(this, "ListView1", ControlKind::ListView,
                                                   QRectF(120, 120, 2915, 5895));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(ListView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { ListView1_Click(item); });
}

void frmCountyList::showModal(app::AppState& state, QLineEdit* countyBox, QWidget* parent,
                              const ModalRunner& runner)
{
    frmCountyList window(state, countyBox, parent);
    window.Form_Load();
    runner(window);
}

void frmCountyList::Form_Load()
{
    const platform::ScreenMetrics screen = m_state.services.screen.metrics();
    // The list's own scaling: the shared factors, its font capped at one and
    // a half times, and placed a sixth of the free height from the top.
    (void)platform::scaleWindow(this, screen, platform::ScaleRule::countyChange(true));
    const QRectF g = platform::windowTwipGeometry(this);
    platform::setWindowTwipPos(this, (screen.widthTwips - g.width()) / 2, (screen.heightTwips - g.height()) / 6);

    ListView1->setHeaderLabels({QStringLiteral("County"), QStringLiteral("Abbreviation")});
    const int columnWidth = platform::twipsToPixels(1300 * screen.widthTwips / 9600);
    ListView1->header()->resizeSection(0, columnWidth);
    ListView1->header()->resizeSection(1, columnWidth);
    QList<QTreeWidgetItem*> rows;
    for (const auto& county : m_state.counties.rows)
        rows.append(new QTreeWidgetItem(QStringList{county.CountyName, county.CountyAbbrev}));
    ListView1->addTopLevelItems(rows);
}

void frmCountyList::ListView1_Click(QTreeWidgetItem* item)
{
    // A click beside the rows changes nothing and leaves the list open.
    if (!item)
        return;
    if (m_countyBox)
        m_countyBox->setText(item->text(0));
    hide();
}
