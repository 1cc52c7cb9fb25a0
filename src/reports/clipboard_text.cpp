#include "reports/clipboard_text.h"

namespace reports {

QString listClipboardText(const QStringList& headings, int rowCount,
                          const std::function<QString(int row, int column)>& cell)
{
    const QString eol = QStringLiteral("\r\n");
    QString text = headings.join(u'\t') + eol;
    const int columns = static_cast<int>(headings.size());
    for (int row = rowCount - 1; row >= 0; --row) {
        for (int c = 0; c < columns; ++c) {
            text += cell(row, c);
            text += c < columns - 1 ? QStringLiteral("\t") : eol;
        }
    }
    return text;
}

}  // namespace reports
