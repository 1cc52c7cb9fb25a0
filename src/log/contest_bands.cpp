#include "log/contest_bands.h"

#include "platform/settings_stream.h"

namespace contactlog {

int contestBandIndex(double frequency)
{
    for (std::size_t i = 0; i < ContestBands.size(); ++i)
        if (frequency > ContestBands[i].low && frequency < ContestBands[i].high)
            return static_cast<int>(i);
    return -1;
}

QString frequencyAfterBandChange(const QString& frequency, const QString& oldBand, const QString& newBand)
{
    if (frequency.trimmed().isEmpty() || newBand.compare(oldBand, Qt::CaseInsensitive) == 0)
        return frequency;
    // The log holds the frequency without a leading zero (".475").
    const auto mhz = platform::parseNumber(frequency.trimmed());
    if (mhz) {
        const int index = contestBandIndex(*mhz);
        if (index >= 0 && newBand.compare(QString::fromLatin1(ContestBands[static_cast<std::size_t>(index)].name),
                                          Qt::CaseInsensitive) == 0)
            return frequency;
    }
    return QString();
}

}  // namespace contactlog
