#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace platform {

void installFontSubstitutions()
{
    const QStringList narrowSans = {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                    QStringLiteral("Arimo"), QStringLiteral("Helvetica")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), narrowSans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), narrowSans);
    QFont::insertSubstitutions(QStringLiteral("MS Serif"),
                               {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman"),
                                QStringLiteral("Tinos"), QStringLiteral("Times")});
}

}  // namespace platform
