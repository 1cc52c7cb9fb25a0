// PackSpot.txt: a file the reader takes whole, written back, reads back
// the same.

#include "fuzz_input.h"
#include "settings_check.h"
#include "spots/spot_settings.h"

using fuzzing::keptByWriter;
using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto read = spots::readSpotSettings(fuzzing::bytesOf(data, size));
    if (!read)
        return 0;
    spots::SpotSettings expected = *read;
    for (QString* text : {&expected.Baud, &expected.Parity, &expected.DataBits, &expected.StopBits, &expected.Power,
                          &expected.ConnectionType, &expected.TncCommandHex, &expected.TelnetPort,
                          &expected.TelnetHost}) {
        require(!fuzzing::hasLineEnd(*text));
        *text = keptByWriter(*text);
    }
    const auto back = spots::readSpotSettings(spots::formatSpotSettings(*read));
    require(back.has_value());
    require(back->Baud == expected.Baud && back->Parity == expected.Parity && back->DataBits == expected.DataBits &&
            back->StopBits == expected.StopBits && back->Port == expected.Port && back->Power == expected.Power &&
            back->ConnectionType == expected.ConnectionType && back->ConvertToHex == expected.ConvertToHex &&
            back->Handshaking == expected.Handshaking && back->ListDxOnly == expected.ListDxOnly &&
            back->ListDisplay == expected.ListDisplay && back->TncCommandHex == expected.TncCommandHex &&
            back->TelnetPort == expected.TelnetPort && back->TelnetHost == expected.TelnetHost);
    return 0;
}
