// The value stream every settings file and the log share: the first byte
// picks how the values are taken, the rest is the file. Whatever the bytes:
// a byte-order mark in front changes no value; the files the program writes
// back keep the whole of a value that holds a stray quote (the quotes
// dropped), where the files it only reads end the value at its closing quote,
// and the two readings differ only there.

#include "fuzz_input.h"
#include "platform/settings_stream.h"
#include "settings_check.h"

using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    const QByteArray bytes = fuzzing::bytesOf(data + 1, size - 1);
    const QByteArray mark("\xEF\xBB\xBF");
    platform::SettingsReader reader(bytes);
    platform::SettingsReader kept(bytes, platform::TextAfterQuote::Kept);
    // A mark already there is passed over once; a second one would be text.
    const bool marked = bytes.startsWith(mark);
    platform::SettingsReader withMark(marked ? bytes : mark + bytes);
    for (int i = 0; !reader.atEnd() && !reader.onlyBlankLinesLeft(); ++i) {
        require(!kept.atEnd() && !withMark.atEnd());
        switch ((mode >> (i % 4 * 2)) & 3) {
        case 0: {
            const auto text = reader.readText();
            const auto whole = kept.readText();
            require(text && whole);
            require(withMark.readText() == text);
            const bool stray = reader.lastValueHadStrayQuote();
            require(kept.lastValueHadStrayQuote() == stray && withMark.lastValueHadStrayQuote() == stray);
            if (!stray)
                require(*whole == *text);
            else if (*whole != *text)
                require(whole->startsWith(*text) && !whole->contains(u'"'));
            break;
        }
        case 1: {
            const auto number = reader.readNumber();
            require(kept.readNumber() == number);
            require(withMark.readNumber() == number);
            break;
        }
        case 2: {
            const auto flag = reader.readBool();
            require(kept.readBool() == flag);
            require(withMark.readBool() == flag);
            break;
        }
        default: {
            auto v = reader.readText();
            (void)kept.readText();
            (void)withMark.readText();
            if (v)
                (void)platform::parseNumber(*v);
        }
        }
        require(kept.line() == reader.line() && withMark.line() == reader.line());
        require(withMark.lastValueEnd() == reader.lastValueEnd() + (marked ? 0 : 3));
    }
    return 0;
}
