#pragma once
// The contact list as text for the clipboard: the column headings, then the
// rows from the list's last row up to its first, cells separated by one TAB
// and lines ended by CR LF, without quoting of any kind.

#include <QString>
#include <QStringList>
#include <functional>

namespace reports {

/// cell(row, column) gives the text the list shows in that cell.
[[nodiscard]] QString listClipboardText(const QStringList& headings, int rowCount,
                                        const std::function<QString(int row, int column)>& cell);

}  // namespace reports
