// The value stream every settings file and the log share: the first byte
// picks how the values are taken, the rest is the file.

#include "fuzz_input.h"
#include "platform/settings_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    platform::SettingsReader reader(fuzzing::bytesOf(data + 1, size - 1));
    for (int i = 0; !reader.atEnd() && !reader.onlyBlankLinesLeft(); ++i) {
        switch ((mode >> (i % 4 * 2)) & 3) {
        case 0: (void)reader.readText(); break;
        case 1: (void)reader.readNumber(); break;
        case 2: (void)reader.readBool(); break;
        default: {
            auto v = reader.readText();
            if (v)
                (void)platform::parseNumber(*v);
        }
        }
    }
    return 0;
}
