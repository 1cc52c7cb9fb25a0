#include "platform/paste_filter.h"

#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>
#include <algorithm>
#include <memory>
#include <utility>

namespace platform {

namespace {

constexpr int UnlimitedLength = 32767;

// A line edit hands every change of its text to its validator, which may
// rewrite it. The part that differs from the text accepted before is what
// arrived, and only that part goes through the rule: what the box held
// stays as it was. A change the box can undo is the operator's (typing, a
// paste, a drop); setText clears the undo history, so text the program
// sets passes unchanged.
class PasteFilter final : public QValidator {
public:
    PasteFilter(QLineEdit* box, TypedKeyRule rule)
        : QValidator(box), m_box(box), m_rule(std::move(rule)), m_accepted(box->text())
    {
        // The box's own limit would cut a paste before its dropped
        // characters are taken out; the filter keeps the limit instead.
        if (box->maxLength() < UnlimitedLength) {
            m_maxLength = box->maxLength();
            box->setMaxLength(UnlimitedLength);
        }
    }

    State validate(QString& input, int& pos) const override
    {
        if (input == m_accepted)
            return Acceptable;
        if (!m_box || !m_box->isUndoAvailable()) {
            if (m_maxLength > 0 && input.size() > m_maxLength)
                input.truncate(m_maxLength);
            pos = std::min(pos, static_cast<int>(input.size()));
            m_accepted = input;
            return Acceptable;
        }
        const qsizetype before = m_accepted.size();
        const qsizetype after = input.size();
        // What follows the caret was there before; the rest of the common
        // ends is found from both sides.
        const qsizetype tailCap = std::clamp<qsizetype>(after - pos, 0, after);
        qsizetype tail = 0;
        while (tail < tailCap && tail < before && m_accepted.at(before - 1 - tail) == input.at(after - 1 - tail))
            ++tail;
        qsizetype head = 0;
        while (head < before - tail && head < after - tail && m_accepted.at(head) == input.at(head))
            ++head;
        const QString arrived = input.mid(head, after - head - tail);
        const QString left = typeInto(input.left(head), arrived, m_rule, m_maxLength, tail);
        const QString result = left + input.right(tail);
        if (result != input) {
            const qsizetype arrivedEnd = head + arrived.size();
            if (pos >= arrivedEnd)
                pos = static_cast<int>(pos - arrivedEnd + left.size());
            else
                pos = static_cast<int>(std::min<qsizetype>(pos, left.size()));
            input = result;
        }
        m_accepted = input;
        return Acceptable;
    }

private:
    QPointer<QLineEdit> m_box;
    TypedKeyRule m_rule;
    int m_maxLength = 0;
    mutable QString m_accepted;
};

}  // namespace

void filterPastes(QLineEdit* box, TypedKeyRule rule)
{
    if (box)
        box->setValidator(new PasteFilter(box, std::move(rule)));
}

void filterPastes(QLineEdit* box, std::function<void(int& KeyAscii)> keyFilter)
{
    filterPastes(box, TypedKeyRule([keyFilter = std::move(keyFilter)](int& KeyAscii, QString&) {
                     if (keyFilter)
                         keyFilter(KeyAscii);
                 }));
}

void typePastes(QLineEdit* box, std::function<void(const QString& text)> typed)
{
    if (!box)
        return;
    auto arrived = std::make_shared<QString>();
    auto typeArrived = [arrived, typed = std::move(typed)] {
        const QString text = std::exchange(*arrived, {});
        if (typed && !text.isEmpty())
            typed(text);
    };
    filterPastes(box, TypedKeyRule([box, arrived, typeArrived](int& KeyAscii, QString&) {
                     if (arrived->isEmpty())
                         QTimer::singleShot(0, box, typeArrived);
                     *arrived += QChar(static_cast<char16_t>(KeyAscii));
                     KeyAscii = 0;
                 }));
}

}  // namespace platform
