// wave2.txt: what the setup window reads, the voice keyer's Done writes
// back, and reading that gives each box and the PTT line again (the paths
// with their blanks trimmed, no line chosen written as RTS).

#include "fuzz_input.h"
#include "keying/voice_settings.h"
#include "platform/settings_stream.h"
#include "settings_check.h"

using fuzzing::keptByWriter;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Read as the setup window reads it: a value with a stray quote kept whole.
    platform::SettingsReader reader(fuzzing::bytesOf(data, size), platform::TextAfterQuote::Kept);
    keying::PhoneWindowSettings read;
    const bool whole = keying::readVoiceKeyerSettings(reader, read);
    require(read.pttLineOption >= -1 && read.pttLineOption <= 2);
    require(read.repeatIntervalMs >= 0);
    if (const auto ms = keying::repeatIntervalMs(read.txtPHLoop))
        require(*ms >= 0 && *ms <= 60000);
    if (!whole)
        return 0;

    platform::SettingsReader again(keying::voiceSettingsFileBytes(read), platform::TextAfterQuote::Kept);
    keying::PhoneWindowSettings back;
    require(keying::readVoiceKeyerSettings(again, back));
    for (int i = 0; i < 9; ++i)
        require(back.wavePathsAndPttPort[i] == keptByWriter(read.wavePathsAndPttPort[i].trimmed()));
    require(back.wavePathsAndPttPort[9] == keptByWriter(read.wavePathsAndPttPort[9]));
    require(back.pttLineOption == (read.pttLineOption == -1 ? 0 : read.pttLineOption));
    require(back.txtPHLoop == keptByWriter(read.txtPHLoop));
    require(back.parallelAddress == keptByWriter(read.parallelAddress));
    if (back.txtPHLoop == read.txtPHLoop)
        require(back.repeatIntervalMs == read.repeatIntervalMs);
    return 0;
}
