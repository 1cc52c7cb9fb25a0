// The mouse on the spot displays: the spot list, the band map's background
// and its spot labels. What a click does to the rig and the spot store is
// DX spotting's; the window only passes the clicks on.

#include "app/main_window_base.h"
#include "platform/painted_rows.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeView>
#include <functional>

namespace {

/// The mouse buttons as the handlers number them: 1 left, 2 right, 4 middle.
int buttonNumber(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

// Runs a handler for one kind of mouse event on a control.
class MouseHook : public QObject {
public:
    MouseHook(QObject* parent, QEvent::Type type, std::function<void(const QMouseEvent&)> handler)
        : QObject(parent), m_type(type), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == m_type)
            m_handler(*static_cast<QMouseEvent*>(event));
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void(const QMouseEvent&)> m_handler;
};

}  // namespace

void MainWindowBase::wireSpotEvents()
{
    // A row clicked while the program was busy is the row the operator saw
    // there, though spots stored meanwhile have put rows on top of the list.
    // The hooks below are installed after it, so they see every press first.
    platform::keepPressesOnPaintedRows(txtDX);
    auto hook = [this](QWidget* w, QEvent::Type type, std::function<void(const QMouseEvent&)> handler) {
        w->installEventFilter(new MouseHook(this, type, std::move(handler)));
    };
    hook(txtDX->viewport(), QEvent::MouseButtonRelease, [this](const QMouseEvent& e) {
        if (e.button() == Qt::LeftButton)
            onSpotListClicked();
    });
    hook(txtDX->viewport(), QEvent::MouseButtonDblClick, [this](const QMouseEvent&) { onSpotListDoubleClicked(); });
    hook(lblDX, QEvent::MouseButtonRelease, [this](const QMouseEvent& e) {
        if (e.button() == Qt::LeftButton)
            onBandMapClicked();
    });
    hook(lblDX, QEvent::MouseButtonDblClick, [this](const QMouseEvent&) { onBandMapDoubleClicked(); });
    for (int i = 0; i < static_cast<int>(lblDXSpot.size()); ++i) {
        QLabel* l = lblDXSpot[static_cast<std::size_t>(i)];
        l->setMouseTracking(true);
        hook(l, QEvent::MouseButtonPress,
             [this, i](const QMouseEvent& e) { onSpotLabelMouseDown(i, buttonNumber(e.button())); });
        hook(l, QEvent::MouseMove, [this, i](const QMouseEvent&) { onSpotLabelMouseMove(i); });
    }
}

void MainWindowBase::onSpotListClicked() { m_services.spotListClicked(*this); }

void MainWindowBase::onSpotListDoubleClicked() { m_services.open(*this, app::MenuWindow::SpectrumMap); }

void MainWindowBase::onBandMapClicked() { m_services.open(*this, app::ShortcutWindow::DxSpotting); }

void MainWindowBase::onBandMapDoubleClicked() { m_services.open(*this, app::MenuWindow::SpectrumMap); }

void MainWindowBase::onSpotLabelMouseDown(int Index, int Button)
{
    m_services.spotLabelPressed(*this, Index, Button);
}

void MainWindowBase::onSpotLabelMouseMove(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(lblDXSpot.size()))
        return;
    lblDupe->setText(lblDXSpot[static_cast<std::size_t>(Index)]->toolTip());
}

void MainWindowBase::takeSpotCall(const QString& call)
{
    txtCall->setFocus(Qt::OtherFocusReason);
    takeCallForNewContact(call);
    tabFrom(txtCall);
}

void MainWindowBase::takeCallForNewContact(const QString& call)
{
    forgetEntryEdits();
    txtCall->setText(call);
}
