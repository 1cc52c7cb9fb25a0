// RigCntrl.txt: what the reader takes is within its fields' widths and
// ranges, and a whole file written back reads back the same.

#include "fuzz_input.h"
#include "radio/rig_settings.h"
#include "settings_check.h"

using fuzzing::keptByWriter;
using fuzzing::require;

namespace {

radio::RigSettings keptByWriter(radio::RigSettings s)
{
    for (QString* text : {&s.Baud, &s.Parity, &s.DataBits, &s.StopBits, &s.ModeQuery, &s.FrequencyQuery,
                          &s.PortSettings, &s.Power, &s.PollRate, &s.RigType, &s.PegasusFolder})
        *text = keptByWriter(*text);
    // Fixed-width fields stay that wide once a quote in them is gone.
    s.Baud = radio::fixedWidth(s.Baud, 5);
    for (QString* letter : {&s.Parity, &s.DataBits, &s.StopBits, &s.Power, &s.PollRate})
        *letter = radio::fixedWidth(*letter, 1);
    return s;
}

bool same(const radio::RigSettings& a, const radio::RigSettings& b)
{
    return a.Baud == b.Baud && a.Parity == b.Parity && a.DataBits == b.DataBits && a.StopBits == b.StopBits &&
           a.ModeQuery == b.ModeQuery && a.FrequencyQuery == b.FrequencyQuery && a.PortSettings == b.PortSettings &&
           a.Port == b.Port && a.Power == b.Power && a.PollRate == b.PollRate && a.RigType == b.RigType &&
           a.ConvertToHex == b.ConvertToHex && a.UseFrequency == b.UseFrequency && a.ModeBy == b.ModeBy &&
           a.PegasusFolder == b.PegasusFolder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    radio::RigSettings read;
    const int count = radio::parseRigSettings(fuzzing::bytesOf(data, size), read);
    require(count >= 0 && count <= 15);
    if (count >= 1)
        require(read.Baud.size() == 5);
    if (count >= 4)
        require(read.Parity.size() == 1 && read.DataBits.size() == 1 && read.StopBits.size() == 1);
    require(read.Port >= 0 && read.Port <= 255);
    if (count >= 10)
        require(read.Power.size() == 1 && read.PollRate.size() == 1);
    for (int value : {read.ConvertToHex, read.UseFrequency, read.ModeBy})
        require(value >= -32768 && value <= 32767);
    if (count < 14)
        return 0;

    const QByteArray written = radio::formatRigSettings(read);
    radio::RigSettings back;
    const radio::RigSettings expected = keptByWriter(read);
    // The writer adds the 15th line for a folder it was given, even one of
    // quotes alone that it then writes empty.
    require(radio::parseRigSettings(written, back) == (read.PegasusFolder.isEmpty() ? 14 : 15));
    require(same(back, expected));
    return 0;
}
