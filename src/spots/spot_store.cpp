#include "spots/spot_store.h"

#include "platform/number_text.h"
#include "platform/settings_stream.h"
#include "spots/spot_line.h"

#include <QLocale>
#include <cmath>

namespace spots {

void SpotStore::store(const QString& call, float frequencyMHz, const QDateTime& receivedLocal)
{
    // The label always follows the call, so moving it with the call is the
    // same as computing it afresh.
    for (int i = 1; i <= Newest; ++i)
        m_slots[static_cast<std::size_t>(i - 1)] = std::move(m_slots[static_cast<std::size_t>(i)]);
    SpotSlot& newest = m_slots[Newest];
    newest.SpotCall = call;
    newest.SpotFrequency = frequencyMHz;
    newest.SpotTime = receivedLocal;
    newest.receivedMs = receivedLocal.toMSecsSinceEpoch();
    newest.receivedSecondOfDay = receivedLocal.time().msecsSinceStartOfDay() / 1000;
    newest.SpotLabel = SpotPrefix(call);
    newest.id = ++m_lastId;

    // The older copy of the call leaves the maps. The scan stops at the first
    // equal call, live or not, and never looks at slot 0.
    for (int i = Newest - 1; i >= 1; --i) {
        SpotSlot& s = m_slots[static_cast<std::size_t>(i)];
        if (s.SpotCall.compare(call, Qt::CaseInsensitive) == 0) {
            s.SpotFrequency = 0;
            break;
        }
    }
}

int SpotStore::slotOf(SpotId id) const
{
    if (id == 0)
        return -1;
    for (int i = Newest; i >= 0; --i)
        if (m_slots[static_cast<std::size_t>(i)].id == id)
            return i;
    return -1;
}

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

}  // namespace

QString SpotPrefix(const QString& call)
{
    const qsizetype length = call.size();
    if (length < 3)
        return {};
    qsizetype slash = 0;      // 1-based position of the last "/", 0 none
    qsizetype lastDigit = 0;  // 1-based position of the last digit, 0 none
    for (qsizetype i = 0; i < length; ++i) {
        if (call.at(i) == u'/')
            slash = i + 1;
        else if (isDigit(call.at(i)))
            lastDigit = i + 1;
    }
    const qsizetype L = lastDigit > 0 ? lastDigit : length;
    if (slash == 0)
        return call.left(L);
    if (static_cast<double>(slash) < length / 2.0 + 1)
        return call.left(slash - 1);
    // The count taken after the "/" is the position of the call's last
    // digit, not the length of what follows it.
    const QString after = call.mid(slash, L);
    if (allDigits(after)) {
        qsizetype firstDigit = 0;
        while (firstDigit < length && !isDigit(call.at(firstDigit)))
            ++firstDigit;
        return call.left(firstDigit) + after;
    }
    return after;
}

std::optional<double> spotFrequencyMHz(const QString& kHzText)
{
    // Clusters write plain numbers with a point; the local number form is
    // the fallback for anything else that reads as a number.
    auto kHz = platform::parseNumber(trimBlanks(kHzText));
    if (!kHz)
        kHz = platform::typedNumber(kHzText);
    if (!kHz || !std::isfinite(*kHz) || *kHz <= 0)
        return std::nullopt;
    const double mhz = *kHz / 1000;
    // The store holds single precision: a value beyond it would become
    // infinite on the maps.
    if (!std::isfinite(static_cast<float>(mhz)) || static_cast<float>(mhz) <= 0)
        return std::nullopt;
    return mhz;
}

QString recordBeforeCR(const QString& record)
{
    const qsizetype cr = record.indexOf(u'\r');
    return cr < 0 ? record : record.left(cr);
}

QString frequencyColumnText(double frequencyMHz)
{
    return QString::number(frequencyMHz, 'f', QLocale::FloatingPointShortest);
}

SpotListRow spotListRow(const QString& call, double frequencyMHz, const QString& record,
                        const QString& country)
{
    SpotListRow row;
    row.text[0] = call;
    row.text[1] = frequencyColumnText(frequencyMHz);
    row.text[2] = country;
    row.text[4] = trimBlanks(record.mid(0, 11)) + QStringLiteral("  ") + trimBlanks(record.mid(34, 25));
    row.text[5] = trimBlanks(record.mid(61, 5));
    row.text[6] = record.mid(67, 4);
    row.text[7] = trimBlanks(record.mid(72, 4));
    return row;
}

}  // namespace spots
