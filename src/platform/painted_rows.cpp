#include "platform/painted_rows.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPersistentModelIndex>
#include <QScrollBar>
#include <QStyleHints>
#include <QTreeView>
#include <vector>

namespace platform {

namespace {

class PaintedRows : public QObject {
public:
    explicit PaintedRows(QTreeView* view) : QObject(view), m_view(view)
    {
        const auto changed = [this] { m_changedSincePaint = true; };
        if (QAbstractItemModel* model = view->model()) {
            connect(model, &QAbstractItemModel::rowsInserted, this, changed);
            connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
            connect(model, &QAbstractItemModel::rowsMoved, this, changed);
            connect(model, &QAbstractItemModel::layoutChanged, this, changed);
            connect(model, &QAbstractItemModel::modelReset, this, changed);
        }
        connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, changed);
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            // Only a drawing of the whole list replaces what the operator
            // sees; a part drawn leaves the rest as it was.
            if (static_cast<QPaintEvent*>(event)->region().contains(m_view->viewport()->rect()))
                recordRows();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return pressOnPaintedRow(*static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            // Moved with the button held, the view would select the row now
            // under the mouse.
            return m_holding && static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton;
        case QEvent::MouseButtonRelease:
            m_holding = false;
            return false;
        default:
            return false;
        }
    }

private:
    struct PaintedRow {
        int top = 0;
        int bottom = 0;
        QPersistentModelIndex index;
    };

    void recordRows()
    {
        m_changedSincePaint = false;
        m_painted = true;
        m_rows.clear();
        const int height = m_view->viewport()->height();
        for (QModelIndex i = m_view->indexAt(QPoint(0, 0)); i.isValid(); i = m_view->indexBelow(i)) {
            const QRect r = m_view->visualRect(i);
            if (r.top() >= height)
                break;
            m_rows.push_back({r.top(), r.bottom(), i});
        }
    }

    /// The press of a double-click that began on a painted row: the second
    /// press falls where the first did, though the list may have been drawn
    /// again in between (the first click's handling let events run).
    [[nodiscard]] bool continuesRedirectedClick(const QMouseEvent& press) const
    {
        return m_redirected && (press.position().toPoint() - m_redirectedAt).manhattanLength()
                                   <= QApplication::startDragDistance()
               && press.timestamp() - m_redirectedTime
                      <= static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    }

    /// True when the press has been dealt with here: the view must not
    /// select the row now under the mouse.
    bool pressOnPaintedRow(const QMouseEvent& press)
    {
        const QPoint at = press.position().toPoint();
        const QModelIndex now = m_view->indexAt(at);
        QModelIndex shown;
        if (m_changedSincePaint && m_painted) {
            bool rowWasThere = false;
            for (const PaintedRow& r : m_rows)
                if (at.y() >= r.top && at.y() <= r.bottom) {
                    rowWasThere = true;
                    shown = r.index;
                    break;
                }
            if (!rowWasThere && !now.isValid())
                return passOn();
        } else if (continuesRedirectedClick(press)) {
            shown = m_redirectedTo;
        } else {
            return passOn();
        }
        if (shown.isValid() && now.isValid() && shown.row() == now.row() && shown.parent() == now.parent())
            return passOn();
        // The row drawn there, wherever it is now; none when it has gone.
        if (shown.isValid())
            m_view->setCurrentIndex(shown);
        else if (QItemSelectionModel* selection = m_view->selectionModel())
            selection->clear();
        m_redirected = true;
        m_redirectedAt = at;
        m_redirectedTime = press.timestamp();
        m_redirectedTo = shown;
        m_holding = true;
        return true;
    }

    bool passOn()
    {
        m_redirected = false;
        return false;
    }

    QTreeView* m_view;
    std::vector<PaintedRow> m_rows;
    bool m_painted = false;
    bool m_changedSincePaint = false;
    /// The last press taken to a painted row, and where and when it fell.
    bool m_redirected = false;
    QPoint m_redirectedAt;
    quint64 m_redirectedTime = 0;
    QPersistentModelIndex m_redirectedTo;
    /// The button of that press is still down.
    bool m_holding = false;
};

}  // namespace

void keepPressesOnPaintedRows(QTreeView* view)
{
    if (view)
        new PaintedRows(view);
}

}  // namespace platform
