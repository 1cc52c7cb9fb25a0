// WK.txt: bytes within their range, the boxes' values handed over only
// within the boxes' ranges, and a file read whole, written back, reads
// back the same (the eight lines of today's files).

#include "fuzz_input.h"
#include "keying/winkey_settings.h"
#include "settings_check.h"

using fuzzing::keptByWriter;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    keying::WinKeySettings read;
    const auto result = keying::readWinKeySettings(fuzzing::bytesOf(data, size), read);
    require(result != keying::WinKeyFileRead::Missing);
    for (int byte : {read.WinKeyComPort, read.WinKeyPinConfig, read.WinKeyKeyerMode})
        require(byte >= 0 && byte <= 255);

    // The ranges of the speed, weight, lead-in and tail, and ratio boxes.
    struct Box {
        const QString& text;
        int low, high;
    };
    for (const Box& box : {Box{read.txtWKWPM, 0, 99}, Box{read.txtWeight, 0, 99}, Box{read.txtLeadIn, 0, 255},
                           Box{read.txtTail, 0, 255}, Box{read.txtRatio, 32, 67}}) {
        if (const auto value = keying::boxByte(box.text, box.low, box.high))
            require(*value >= box.low && *value <= box.high);
    }
    if (result != keying::WinKeyFileRead::Complete)
        return 0;

    keying::WinKeySettings back;
    require(keying::readWinKeySettings(keying::formatWinKeySettings(read), back) == keying::WinKeyFileRead::Complete);
    require(back.WinKeyComPort == read.WinKeyComPort && back.WinKeyPinConfig == read.WinKeyPinConfig &&
            back.WinKeyKeyerMode == read.WinKeyKeyerMode);
    require(back.txtWKWPM == keptByWriter(read.txtWKWPM) && back.txtWeight == keptByWriter(read.txtWeight) &&
            back.txtLeadIn == keptByWriter(read.txtLeadIn) && back.txtTail == keptByWriter(read.txtTail) &&
            back.txtRatio == keptByWriter(read.txtRatio));
    return 0;
}
