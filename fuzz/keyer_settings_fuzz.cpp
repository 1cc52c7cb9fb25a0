// cw.txt and wave2.txt, the keyers' settings.

#include "fuzz_input.h"
#include "keying/keyer_settings.h"
#include "platform/settings_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    keying::CwWindowSettings cw;
    int option = 0;
    (void)keying::LoadCWSettings(fuzzing::inputFile(QStringLiteral("cw.txt"), data, size), cw, option);

    platform::SettingsReader reader(fuzzing::bytesOf(data, size), platform::TextAfterQuote::Kept);
    keying::PhoneWindowSettings phone;
    (void)keying::readVoiceKeyerSettings(reader, phone);
    return 0;
}
