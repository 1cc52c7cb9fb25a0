#include "platform/settings_stream.h"

#include <QFile>
#include <charconv>
#include <cmath>

namespace platform {

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
}  // namespace

SettingsReader::SettingsReader(const QByteArray& bytes) : m_text(QString::fromLatin1(bytes)) {}

std::optional<SettingsReader> SettingsReader::open(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return SettingsReader(file.readAll());
}

bool SettingsReader::onlyBlankLinesLeft() const
{
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (!isBlank(c) && !isLineEnd(c))
            return false;
    }
    return true;
}

void SettingsReader::consumeTerminator()
{
    if (m_pos >= m_text.size())
        return;
    const QChar c = m_text.at(m_pos);
    if (c == u',') {
        ++m_pos;
    } else if (c == u'\r') {
        ++m_pos;
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'\n')
            ++m_pos;
    } else if (c == u'\n') {
        ++m_pos;
    }
}

std::optional<SettingsReader::RawValue> SettingsReader::readRaw()
{
    if (atEnd())
        return std::nullopt;
    while (m_pos < m_text.size() && isBlank(m_text.at(m_pos)))
        ++m_pos;
    RawValue value;
    if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
        const qsizetype start = m_pos + 1;
        qsizetype close = m_text.indexOf(u'"', start);
        if (close < 0)
            close = m_text.size();
        // A quoted value may not run over a line end: an unclosed quote ends
        // with its line, so one damaged value cannot swallow the rest.
        const qsizetype lineEnd = [&] {
            for (qsizetype i = start; i < close; ++i)
                if (isLineEnd(m_text.at(i)))
                    return i;
            return close;
        }();
        value.text = m_text.mid(start, lineEnd - start);
        value.quoted = true;
        m_pos = lineEnd < close ? lineEnd : close + 1;
        // Skip whatever stands between the closing quote and the terminator.
        while (m_pos < m_text.size() && m_text.at(m_pos) != u',' && !isLineEnd(m_text.at(m_pos)))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos) != u',' && !isLineEnd(m_text.at(m_pos)))
            ++m_pos;
        value.text = m_text.mid(start, m_pos - start).trimmed();
    }
    consumeTerminator();
    return value;
}

std::optional<QString> SettingsReader::readText()
{
    auto raw = readRaw();
    if (!raw)
        return std::nullopt;
    return raw->text;
}

std::optional<double> SettingsReader::readNumber()
{
    auto raw = readRaw();
    if (!raw)
        return std::nullopt;
    if (raw->text.isEmpty())
        return 0.0;
    if (!raw->quoted) {
        if (raw->text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0)
            return -1.0;
        if (raw->text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0)
            return 0.0;
    }
    return parseNumber(raw->text);
}

std::optional<bool> SettingsReader::readBool()
{
    auto raw = readRaw();
    if (!raw)
        return std::nullopt;
    if (raw->text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0)
        return true;
    if (raw->text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0 || raw->text.isEmpty())
        return false;
    if (auto n = parseNumber(raw->text))
        return *n != 0.0;
    return std::nullopt;
}

std::optional<double> parseNumber(const QString& text)
{
    const QByteArray s = text.trimmed().toLatin1();
    if (s.isEmpty())
        return std::nullopt;
    const char* first = s.constData();
    const char* last = first + s.size();
    if (*first == '+')
        ++first;
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatNumber(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? QString::fromLatin1(buf, ptr - buf) : QStringLiteral("0");
}

QString formatSingle(float value)
{
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? QString::fromLatin1(buf, ptr - buf) : QStringLiteral("0");
}

void SettingsWriter::separate()
{
    if (m_lineHasValue)
        m_text += u',';
    m_lineHasValue = true;
}

SettingsWriter& SettingsWriter::text(const QString& value)
{
    separate();
    QString clean = value;
    clean.remove(u'"');
    m_text += u'"' + clean + u'"';
    return *this;
}

SettingsWriter& SettingsWriter::number(double value)
{
    separate();
    m_text += formatNumber(value);
    return *this;
}

SettingsWriter& SettingsWriter::single(float value)
{
    separate();
    m_text += formatSingle(value);
    return *this;
}

SettingsWriter& SettingsWriter::integer(qint64 value)
{
    separate();
    m_text += QString::number(value);
    return *this;
}

SettingsWriter& SettingsWriter::boolean(bool value)
{
    separate();
    m_text += value ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    return *this;
}

SettingsWriter& SettingsWriter::endLine()
{
    m_text += QStringLiteral("\r\n");
    m_lineHasValue = false;
    return *this;
}

}  // namespace platform
