#include "platform/typed_text.h"

namespace platform {

bool isControlCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029;
}

QString withoutControlCharacters(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (!isControlCharacter(c))
            kept += c;
    return kept;
}

QString typeInto(const QString& before, const QString& arrived, const TypedKeyRule& rule, int maxLength,
                 qsizetype after)
{
    QString text = before;
    for (const QChar c : arrived) {
        if (isControlCharacter(c))
            continue;
        int key = c.unicode();
        if (rule)
            rule(key, text);
        if (key <= 0 || key > 0xffff || isControlCharacter(QChar(static_cast<char16_t>(key))))
            continue;
        if (maxLength > 0 && text.size() + after >= maxLength)
            continue;
        text += QChar(static_cast<char16_t>(key));
    }
    return text;
}

}  // namespace platform
