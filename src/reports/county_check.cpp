#include "reports/county_check.h"

#include "app/app_state.h"
#include "log/key_filters.h"
#include "platform/paste_filter.h"
#include "reports/county_typeahead.h"

#include <QLabel>
#include <QLineEdit>

namespace reports {

void styleInvalidMark(QLabel* mark)
{
    mark->setText(QStringLiteral("   Invalid!"));
    mark->setAutoFillBackground(true);
    QPalette p = mark->palette();
    p.setColor(QPalette::Window, QColor(128, 0, 0));
    p.setColor(QPalette::WindowText, QColor(255, 255, 255));
    mark->setPalette(p);
    mark->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    mark->hide();
}

bool checkCountyBox(app::AppState& state, const QLineEdit* box, QLabel* mark)
{
    mark->hide();
    if (state.counties.contains(box->text()))
        return true;
    state.services.beeper.beep();
    mark->show();
    return false;
}

void filterCountyPastes(QLineEdit* box)
{
    platform::filterPastes(box, [](int& KeyAscii, QString& before) {
        if (before.isEmpty())
            contactlog::UpperCaseKey(KeyAscii);
    });
}

void applyCountyTypeAhead(const contactlog::CountyTable& table, QLineEdit* box, int& KeyAscii)
{
    const int caret = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    const TypeAheadEdit edit = countyTypeAhead(table, box->text(), caret, KeyAscii);
    if (!edit.replaceText)
        return;
    box->setText(edit.text);
    box->setSelection(edit.selectionStart, edit.selectionLength);
}

}  // namespace reports
