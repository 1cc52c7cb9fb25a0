#pragma once
// The text form shared by every settings file and by the contact log.
//
// Values are separated by commas or line ends; text values stand between
// double quotes (a quote inside a text is never escaped, so the writer drops
// it, and drops control characters, so one value never spans two lines),
// numbers are bare, true/false options are #TRUE# / #FALSE#. Lines end
// in CR LF. Files are in the 8-bit Latin-1 code page.
//
// A reader takes the file as one stream of values whatever its line breaks:
// a comma and a line end both end a value, a quoted value may hold commas,
// a blank line counts as one empty value, and reading past the end fails.
// A UTF-8 byte-order mark at the start (some editors add one) is no value's
// text and is passed over.

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

/// What a text value keeps of what stands between its closing quote and the
/// comma or line end after it: a double quote typed inside a value in a text
/// editor (`"Jo"hn"`) ends the value early.
enum class TextAfterQuote {
    /// Passed over (`Jo`): the files the program only reads, whose values are
    /// never written back.
    Skipped,
    /// Kept, the quotes dropped (`John`): the files the program writes back,
    /// where a skipped tail would be lost at the next save.
    Kept,
};

class SettingsReader {
public:
    explicit SettingsReader(const QByteArray& bytes, TextAfterQuote afterQuote = TextAfterQuote::Skipped);

    /// Opens and reads a whole file; nullopt when it cannot be read.
    [[nodiscard]] static std::optional<SettingsReader> open(const QString& path,
                                                            TextAfterQuote afterQuote = TextAfterQuote::Skipped);

    /// True when no character is left (the end-of-file test of a reading loop).
    [[nodiscard]] bool atEnd() const { return m_pos >= m_bytes.size(); }
    /// True when only blank lines and blanks are left.
    [[nodiscard]] bool onlyBlankLinesLeft() const;

    /// The next value as text: a quoted value without its quotes, an unquoted
    /// one up to the next comma or line end with surrounding blanks removed.
    /// nullopt past the end of the stream.
    [[nodiscard]] std::optional<QString> readText();
    /// The next value as a number; an empty value reads as 0, #TRUE# as -1
    /// and #FALSE# as 0. nullopt past the end or when it is not a number.
    [[nodiscard]] std::optional<double> readNumber();
    /// The next value as a whole number within [low, high]: a fraction rounds
    /// (halves to even, as the files' writers rounded), anything outside the
    /// range or not finite is nullopt.
    [[nodiscard]] std::optional<qint64> readWhole(qint64 low, qint64 high);
    /// The next value as #TRUE# / #FALSE# (a number reads as non-zero).
    [[nodiscard]] std::optional<bool> readBool();
    /// The next value as text, into a text whose room is reused when it has
    /// enough (no allocation for a log reloaded over itself); false past the end.
    bool readTextInto(QString& into);
    /// Passes over the next value without taking it; false past the end.
    bool skipValue();
    /// The byte offset just after the last value taken, before its terminator.
    [[nodiscard]] qsizetype lastValueEnd() const { return m_valueEnd; }
    /// The line (1-based) on which the next value starts.
    [[nodiscard]] int line() const { return m_line; }
    /// True when the last value taken held a double quote other than the pair
    /// around it: text after its closing quote, or a quote in an unquoted value.
    [[nodiscard]] bool lastValueHadStrayQuote() const { return m_strayQuote; }

private:
    struct RawValue {
        QString text;
        bool quoted = false;
    };
    struct Span {
        qsizetype start = 0;
        qsizetype end = 0;
        bool quoted = false;
        qsizetype tailEnd = 0;  ///< with a stray quote: the end of the text after the closing quote
    };
    bool nextSpan(Span& span);
    std::optional<RawValue> readRaw();
    void consumeTerminator();
    /// The text of a value: the span, or with TextAfterQuote::Kept the text
    /// after a quoted value's closing quote too, its quotes dropped.
    void takeText(const Span& span, QString& into) const;

    QByteArray m_bytes;
    TextAfterQuote m_afterQuote = TextAfterQuote::Skipped;
    qsizetype m_pos = 0;
    qsizetype m_contentEnd = 0;  ///< just after the last character that is not a blank or line end
    qsizetype m_valueEnd = 0;
    int m_line = 1;
    bool m_strayQuote = false;
};

/// Parses a number the way the settings files hold it: a point as decimal
/// separator, with or without a leading zero, optional sign and exponent.
[[nodiscard]] std::optional<double> parseNumber(const QString& text);

/// Formats a number in the settings files' bare form (shortest text that reads
/// back to the same value, point as decimal separator).
[[nodiscard]] QString formatNumber(double value);
[[nodiscard]] QString formatSingle(float value);

class SettingsWriter {
public:
    /// A text value in double quotes. Double quotes and control characters
    /// inside it are dropped: the file form has no escape, one quote would
    /// make every later value of the file unreadable, and a line break (or
    /// any control character the value got from a paste) would split the
    /// value over two lines and shift every value after it.
    SettingsWriter& text(const QString& value);
    SettingsWriter& number(double value);
    SettingsWriter& single(float value);
    SettingsWriter& integer(qint64 value);
    SettingsWriter& boolean(bool value);
    /// Ends the current line with CR LF.
    SettingsWriter& endLine();

    [[nodiscard]] QByteArray bytes() const { return m_text.toLatin1(); }
    [[nodiscard]] const QString& text() const { return m_text; }

private:
    void separate();
    QString m_text;
    bool m_lineHasValue = false;
};

}  // namespace platform
