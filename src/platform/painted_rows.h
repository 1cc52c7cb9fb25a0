#pragma once
// Keeps a press on a list's rows on the row the operator saw under the
// mouse. A press that waited while the program was busy is handled after
// whatever else waited with it: rows put on top of the list meanwhile have
// moved every row down, and the row now under the mouse is another one
// than the list showed when it was clicked.

class QTreeView;

namespace platform {

/// From now on a mouse press or double-click on view's rows, handled after
/// its rows were inserted, removed or scrolled and before the list was
/// drawn again, selects the row that was drawn under the mouse (wherever it
/// is now), and selects no row when that row has gone or none was drawn
/// there; the second press of a double-click goes where the first went.
/// Moving the mouse with the button held changes nothing then. The view's
/// model is the one it has now. Install it before any other filter that
/// must see the view's presses: a press taken to another row stops here.
void keepPressesOnPaintedRows(QTreeView* view);

}  // namespace platform
