#include "app/contact_list_model.h"

#include "log/contact_log.h"

#include <QDate>
#include <QTime>
#include <algorithm>

namespace app {

ContactListModel::ContactListModel(const contactlog::ContactLog& log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log)
{
}

void ContactListModel::setColumns(std::vector<Column> columns, const QStringList& headers)
{
    beginResetModel();
    m_columns = std::move(columns);
    m_headers = headers;
    endResetModel();
}

void ContactListModel::showNewestFirst(int first, int last)
{
    const int count = last >= first ? last - first + 1 : 0;
    if (!m_explicit && m_runCount > 0 && count > 0 && last == m_runLast + 1 &&
        count >= m_runCount && count <= m_runCount + 1) {
        // The newest contact joins the top of the run (and, with a window
        // of twenty, the oldest leaves its foot): the view moves what it
        // shows instead of laying out every row again.
        const bool grows = count == m_runCount + 1;
        beginInsertRows({}, 0, 0);
        m_runLast = last;
        ++m_runCount;
        endInsertRows();
        if (!grows) {
            beginRemoveRows({}, m_runCount - 1, m_runCount - 1);
            --m_runCount;
            endRemoveRows();
        }
        return;
    }
    beginResetModel();
    m_explicit = false;
    m_records.clear();
    m_runLast = last;
    m_runCount = last >= first ? last - first + 1 : 0;
    endResetModel();
}

void ContactListModel::clearRows() { showNewestFirst(1, 0); }

void ContactListModel::appendRecord(int n)
{
    if (!m_explicit) {
        // Turn the run into a list first, so that the new row joins it.
        std::vector<int> rows;
        rows.reserve(static_cast<std::size_t>(m_runCount) + 1);
        for (int r = 0; r < m_runCount; ++r)
            rows.push_back(m_runLast - r);
        beginResetModel();
        m_records = std::move(rows);
        m_explicit = true;
        m_runCount = 0;
        endResetModel();
    }
    const int row = static_cast<int>(m_records.size());
    beginInsertRows({}, row, row);
    m_records.push_back(n);
    endInsertRows();
}

void ContactListModel::sortByColumnText(int column)
{
    if (column < 0 || column >= columnCount())
        return;
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r)
        rows.push_back(recordAt(r));
    const Column c = m_columns[static_cast<std::size_t>(column)];
    std::vector<std::pair<QString, int>> keyed;
    keyed.reserve(rows.size());
    for (int n : rows)
        keyed.emplace_back(text(n, c), n);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    beginResetModel();
    m_explicit = true;
    m_runCount = 0;
    m_records.clear();
    for (const auto& k : keyed)
        m_records.push_back(k.second);
    endResetModel();
}

int ContactListModel::recordAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    return m_explicit ? m_records[static_cast<std::size_t>(row)] : m_runLast - row;
}

QString ContactListModel::cellText(int row, int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    return text(recordAt(row), m_columns[static_cast<std::size_t>(column)]);
}

int ContactListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_explicit ? static_cast<int>(m_records.size()) : m_runCount;
}

int ContactListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ContactListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

QVariant ContactListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size())
        return m_headers.at(section);
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString ContactListModel::dateTimeText(const contactlog::ContactRecord& r)
{
    // A date or time that cannot be read is shown as it is stored.
    QString date = r.LogDate;
    const QDate d = QDate::fromString(r.LogDate.trimmed(), QStringLiteral("yyyy/M/d"));
    if (d.isValid())
        date = d.toString(QStringLiteral("MM/dd"));
    QString time = r.LogTime;
    QTime t = QTime::fromString(r.LogTime.trimmed(), QStringLiteral("H:m:s"));
    if (!t.isValid())
        t = QTime::fromString(r.LogTime.trimmed(), QStringLiteral("H:m"));
    if (t.isValid())
        time = t.toString(QStringLiteral("HH:mm"));
    return date + QLatin1Char(' ') + time;
}

QString ContactListModel::text(int n, Column column) const
{
    const contactlog::ContactRecord& r = m_log.record(n);
    switch (column) {
    case Column::RecNo: return QString::number(n);
    case Column::Call: return r.LogCall;
    case Column::Rec: return r.LogSerialRcvd;
    case Column::SPC: return r.LogSPC;
    case Column::County: return r.LogCountyRcvd;
    case Column::Snt: return r.LogSerialSent;
    case Column::DateTime: return dateTimeText(r);
    case Column::Mo: return r.LogMode;
    case Column::Bnd: return r.LogBand;
    case Column::CountySent: return r.LogCountySent;
    }
    return {};
}

}  // namespace app
