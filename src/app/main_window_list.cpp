// The contact list and the buttons beside it: recent contacts, edit,
// delete, sorting by a column, last 20 or all, possible duplicates on/off.

#include "app/main_window_base.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/recent_contacts.h"
#include "platform/caption_label.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>

void MainWindowBase::ListRecentContacts()
{
    const auto& log = m_state.log.contacts;
    const auto records = contactlog::recentContactRecords(log, m_state.log.ListAllFlag);
    // Newest first, one unbroken run of records: the model shows it without
    // copying anything of the log.
    if (records.empty())
        m_listModel->clearRows();
    else
        m_listModel->showNewestFirst(records.back(), records.front());
    // The designed widths were made for narrower fonts: a column whose
    // heading or rows would be cut gets room from the others.
    platform::fitColumnsToContents(contactListView);
    nextSerialLabel->setText(contactlog::NextSerial(log));
    onNextSerialChanged();
}

int MainWindowBase::selectedRecord() const
{
    const QModelIndexList rows = contactListView->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? contactListView->currentIndex().row() : rows.first().row();
    return m_listModel->recordAt(row);
}

void MainWindowBase::showEditButtons(bool shown)
{
    cmdEdit->setVisible(shown);
    cmdDelete->setVisible(shown);
}

void MainWindowBase::onEditClicked()
{
    const int n = selectedRecord();
    if (n < 1)
        return;
    m_state.log.EditRecordIndex = n;
    m_services.editContact(*this, n);
    showEditButtons(false);
    const auto written = contactlog::RewriteLog(m_state.log.contacts, logPath());
    if (!written.ok)
        m_state.services.prompt.message(
            QStringLiteral("The log could not be written to log.txt in the working directory, so "
                           "the change was not kept:\n") +
                written.error,
            QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
    ReloadLog();
}

void MainWindowBase::onDeleteClicked()
{
    const bool yes = m_state.services.prompt.askYesNo(QStringLiteral("Are you sure?"),
                                                      QStringLiteral("Are you sure?"));
    showEditButtons(false);
    if (!yes)
        return;
    const int n = selectedRecord();
    if (n < 1)
        return;
    const auto written = contactlog::DeleteContact(m_state.log.contacts, n, logPath());
    if (!written.ok)
        m_state.services.prompt.message(
            QStringLiteral("The contact could not be deleted: log.txt in the working directory "
                           "could not be written.\n") +
                written.error,
            QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
    ReloadLog();
}

void MainWindowBase::onListLengthClicked()
{
    auto& flag = m_state.log.ListAllFlag;
    if (flag == 1) {
        cmdList->setText(QStringLiteral("Last 20"));
        flag = 0;
    } else {
        cmdList->setText(QStringLiteral("All"));
        flag = 1;
    }
    ListRecentContacts();
    txtCall->setFocus();
}

void MainWindowBase::onPartialDupesClicked()
{
    QPalette p = lblDupe->palette();
    p.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    lblDupe->setPalette(p);
    auto& flag = m_state.log.PartialDupesFlag;
    if (flag == 1) {
        flag = 0;
        cmdDup->setText(QStringLiteral("Off"));
    } else {
        flag = 1;
        cmdDup->setText(QStringLiteral("On"));
    }
    txtCall->setFocus();
}

void MainWindowBase::onContactListClicked()
{
    if (m_listModel->rowCount() >= 1)
        showEditButtons(true);
}

void MainWindowBase::onContactListLostFocus() { onContactListClicked(); }

void MainWindowBase::onContactListColumnClicked(int column) { m_listModel->sortByColumnText(column); }

void MainWindowBase::onContactListMouseUp(int button)
{
    if (m_listModel->rowCount() >= 1 && button == 2)
        onEditClicked();
}
