#include "reports/rate_graph.h"

#include <cmath>

namespace reports {

namespace {

/// Reads one unsigned whole number from text at pos, up to the separator.
bool readNumber(const QString& text, int& pos, QChar separator, int& value)
{
    const int start = pos;
    value = 0;
    while (pos < text.size() && text[pos].isDigit() && pos - start < 5) {
        value = value * 10 + text[pos].digitValue();
        ++pos;
    }
    if (pos == start)
        return false;
    if (pos < text.size()) {
        if (text[pos] != separator)
            return false;
        ++pos;
    }
    return true;
}

/// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

struct Civil {
    int year, month, day, hour, minute;
};

Civil civilFromSeconds(qint64 seconds)
{
    qint64 days = seconds / 86400;
    qint64 rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const qint64 y = static_cast<qint64>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d), static_cast<int>(rest / 3600),
            static_cast<int>(rest / 60 % 60)};
}

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

/// Whole number nearest to v, halves to the even neighbour.
qint64 roundHalfEven(double v) { return static_cast<qint64>(std::nearbyint(v)); }

QString twoDigits(int a, int b, char separator)
{
    return QStringLiteral("%1%2%3")
        .arg(a, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(separator))
        .arg(b, 2, 10, QLatin1Char('0'));
}

QRgb bandColor(const QString& band, const BandColors& bands)
{
    static const char* const names[] = {"160", "80", "40", "20", "15", "10"};
    for (int k = 0; k < 6; ++k)
        if (band == QLatin1String(names[k]))
            return bands[static_cast<std::size_t>(k)];
    return bands[6];
}

}  // namespace

BandColors defaultBandColors()
{
    return {qRgb(255, 255, 255), qRgb(0, 0, 255),   qRgb(255, 0, 0),  qRgb(0, 255, 0),
            qRgb(128, 255, 255), qRgb(255, 0, 255), qRgb(255, 255, 0)};
}

std::optional<qint64> contactMoment(const QString& date, const QString& time)
{
    const QString d = date.trimmed();
    const QString t = time.trimmed();
    int pos = 0;
    int year = 0, month = 0, day = 0;
    if (!readNumber(d, pos, u'/', year) || !readNumber(d, pos, u'/', month) ||
        !readNumber(d, pos, u'/', day) || pos != d.size())
        return std::nullopt;
    static const int monthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 100 || month < 1 || month > 12 || day < 1 ||
        day > monthDays[month - 1] + (month == 2 && leapYear(year) ? 1 : 0))
        return std::nullopt;
    pos = 0;
    int hour = 0, minute = 0, second = 0;
    if (!readNumber(t, pos, u':', hour) || !readNumber(t, pos, u':', minute))
        return std::nullopt;
    if (pos < t.size() && !readNumber(t, pos, u':', second))
        return std::nullopt;
    if (pos != t.size() || t.endsWith(u':') || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
           hour * 3600 + minute * 60 + second;
}

RateGraph computeRateGraph(const std::vector<contactlog::ContactRecord>& contacts, QRgb background,
                           const BandColors& bands)
{
    RateGraph g;
    const int count = static_cast<int>(contacts.size());
    if (count < GraphMinimumContacts)
        return g;

    for (int c = 1; c <= GraphColumns + 10; ++c)
        g.ColumnColor[static_cast<std::size_t>(c)] = background;
    g.RateMin = 100000;
    g.RateMax = -1;

    // Every moment once: the rate count reads each of them many times.
    std::vector<std::optional<qint64>> moments;
    moments.reserve(contacts.size());
    for (const auto& r : contacts)
        moments.push_back(contactMoment(r.LogDate, r.LogTime));
    g.stage = GraphStage::NoMoment;
    if (!moments.front() || !moments.back())
        return g;
    const qint64 start = *moments.front();
    const qint64 span = *moments.back() - start;

    for (int k = 0; k < 15; ++k) {
        const Civil t = civilFromSeconds(start + roundHalfEven(static_cast<double>(k) * span / 14));
        g.timeLabels[static_cast<std::size_t>(k)] = twoDigits(t.hour, t.minute, ':');
        g.dateLabels[static_cast<std::size_t>(k)] = twoDigits(t.month, t.day, '/');
    }
    g.stage = GraphStage::TimeLabelsOnly;
    if (span == 0)
        return g;  // every record would fall in one column: no scale
    const double secondsPerColumn = static_cast<double>(span) / GraphColumns;
    auto& raw = g.RawRate;
    auto& plot = g.PlotRate;
    raw[1] = plot[1] = 6;

    for (int i = 0; i < count; ++i) {
        if (!moments[static_cast<std::size_t>(i)])
            return g;
        const qint64 mi = *moments[static_cast<std::size_t>(i)];
        int n = 0;
        for (int j = i; j >= 0; --j) {
            const auto& mj = moments[static_cast<std::size_t>(j)];
            if (!mj)
                return g;
            if (mi - *mj >= 600)
                break;
            ++n;
        }
        const qint64 c = i == 0 ? 1 : roundHalfEven(static_cast<double>(mi - start) / secondsPerColumn);
        if (c < 0 || c >= GraphColumnSlots)
            return g;
        raw[static_cast<std::size_t>(c)] = static_cast<float>(6 * n);
        g.ColumnColor[static_cast<std::size_t>(c)] = bandColor(contacts[static_cast<std::size_t>(i)].LogBand, bands);
    }

    // Bridge empty stretches of up to fifteen columns with a straight line
    // from the column before to the next value.
    for (int i = 2; i <= GraphColumns; ++i) {
        if (raw[static_cast<std::size_t>(i)] != 0) {
            plot[static_cast<std::size_t>(i)] = raw[static_cast<std::size_t>(i)];
            continue;
        }
        int m = 0;
        for (int k = i + 1; k <= i + 15; ++k)
            if (raw[static_cast<std::size_t>(k)] > 0) {
                m = k;
                break;
            }
        if (m == 0)
            continue;
        const float before = raw[static_cast<std::size_t>(i - 1)];
        const float slope = (raw[static_cast<std::size_t>(m)] - before) / static_cast<float>(m - i);
        for (int k = i; k < m; ++k) {
            const float v = before + static_cast<float>(k - i) * slope;
            plot[static_cast<std::size_t>(k)] = v;
            raw[static_cast<std::size_t>(k)] = v;
        }
    }

    // Smooth over the seven columns up to each one, counting only those
    // with a rate.
    for (int i = 7; i <= GraphColumns; ++i) {
        float sum = 0;
        int used = 0;
        for (int k = i - 6; k <= i; ++k)
            if (raw[static_cast<std::size_t>(k)] > 0) {
                sum += raw[static_cast<std::size_t>(k)];
                ++used;
            }
        if (used > 0)
            plot[static_cast<std::size_t>(i)] = sum / static_cast<float>(used);
    }

    for (int i = 1; i <= GraphColumns; ++i) {
        const float v = plot[static_cast<std::size_t>(i)];
        if (v < g.RateMin)
            g.RateMin = v;
        if (v > g.RateMax)
            g.RateMax = v;
    }

    // The strip: within a stretch of rate, a column without a band of its
    // own (or with the background's colour) continues the band to its left.
    QRgb carried = qRgb(0, 0, 0);
    for (int i = 1; i <= GraphColumns; ++i) {
        QRgb& colour = g.ColumnColor[static_cast<std::size_t>(i)];
        if (plot[static_cast<std::size_t>(i)] > 0) {
            if (colour == background)
                colour = carried;
            else
                carried = colour;
        } else {
            carried = background;
        }
    }

    for (int k = 0; k <= 16; ++k) {
        const float v = k == 0    ? g.RateMin
                        : k == 16 ? g.RateMax
                                  : g.RateMin + static_cast<float>(k) * (g.RateMax - g.RateMin) / 16;
        g.rateLabels[static_cast<std::size_t>(k)] = QString::number(static_cast<double>(v), 'f', 1);
    }
    g.stage = g.RateMax == g.RateMin ? GraphStage::RateLabelsOnly : GraphStage::Complete;
    return g;
}

}  // namespace reports
