#pragma once
// The rows of a main window's contact list. The list is a view of the
// contact log, never a copy: a row is only a record number, and the texts
// are read from the log when the view paints them. Showing every contact of
// a full log therefore costs nothing more than showing the last twenty.
//
// Rows come in two forms: a run of records newest first (the recent
// contacts, the usual case, held as two numbers) or an explicit list of
// record numbers (the earlier contacts of one call, or a list the operator
// sorted by a column).

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace contactlog {
class ContactLog;
struct ContactRecord;
}  // namespace contactlog

namespace app {

class ContactListModel final : public QAbstractTableModel {
public:
    enum class Column { RecNo, Call, Rec, SPC, County, Snt, DateTime, Mo, Bnd, CountySent };

    explicit ContactListModel(const contactlog::ContactLog& log, QObject* parent = nullptr);

    /// Sets the columns and their header captions.
    void setColumns(std::vector<Column> columns, const QStringList& headers);

    /// Lists records last down to first (newest first); none when last < first.
    void showNewestFirst(int first, int last);
    /// Removes every row.
    void clearRows();
    /// Adds one row at the end for record n.
    void appendRecord(int n);
    /// Sorts the rows once by the text of column, as text (so "10" comes
    /// before "8"), ascending; rows keep their order among equal texts.
    void sortByColumnText(int column);

    /// The record number shown in row (the "Rec#" of the row), 0 when none.
    [[nodiscard]] int recordAt(int row) const;
    /// The text of a cell, as the view shows it.
    [[nodiscard]] QString cellText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// "mm/dd hh:nn" of a record's date and time, as the list shows them.
    [[nodiscard]] static QString dateTimeText(const contactlog::ContactRecord& r);

private:
    [[nodiscard]] QString text(int record, Column column) const;

    const contactlog::ContactLog& m_log;
    std::vector<Column> m_columns;
    QStringList m_headers;
    // Newest-first run: rows 0..m_runCount-1 show m_runLast down.
    bool m_explicit = false;
    int m_runLast = 0;
    int m_runCount = 0;
    std::vector<int> m_records;
};

}  // namespace app
