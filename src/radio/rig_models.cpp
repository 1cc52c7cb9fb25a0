#include "radio/rig_models.h"

#include "radio/icom_family.h"
#include "radio/kenwood_family.h"
#include "radio/other_rig.h"
#include "radio/tentec_family.h"
#include "radio/yaesu_family.h"

namespace radio {

namespace {

// Rows whose family is null wait for their command set; they can be chosen,
// and their replies are shown, but nothing is sent or read into frequency
// and mode.
const std::array<RigModel, RigModelCount>& table()
{
    static const std::array<RigModel, RigModelCount> models{{
        {"None", nullptr, 0, 0, 0, "", "", false, false, false, nullptr, {0, 0}, false, "", ""},
        {"Elecraft", "4800", 'N', '8', '2', "FA;", "MD;", false, false, false, &kenwood::elecraft(),
         {205, 1000}, false, "", ""},
        {"Icom", "1200", 'N', '8', '1', "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, false, true,
         &icom::icom(), {140, 0}, false, "", ""},
        {"Icom 735", "1200", 'N', '8', '1', "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, false, true,
         &icom::icom735(), {140, 0}, false, "", ""},
        {"Kenwood", "4800", 'N', '8', '2', "FA;", "MD;", false, false, false, &kenwood::kenwood(),
         {205, 0}, false, "", ""},
        {"Kenwood 2", "4800", 'N', '8', '2', "IF;", "", false, false, false, &kenwood::kenwood2(),
         {205, 0}, false, "", ""},
        {"Ten Tec Omni VI", "1200", 'N', '8', '1', "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true, false,
         false, &icom::omniVI(), {140, 220}, false, "", ""},
        {"Ten Tec Orion", "56000", 'N', '8', '1', "?AF", "?RMM", false, false, false, &tentec::orion(), {205, 0},
         true, "580D", ""},
        {"Ten Tec Fnt Pnl", "56000", 'N', '8', '1', "3F 41 0D", "3F 4D 0D", true, false, false,
         &tentec::frontPanel(), {205, 0}, true, "", ""},
        {"Ten Tec Pegasus", nullptr, 0, 0, 0, "", "", false, false, false, &tentec::pegasus(), {205, 0},
         false, "", ""},
        {"Yaesu", "4800", 'N', '8', '2', "00 00 00 00 03", "", true, false, false, &yaesu::yaesu(), {205, 0},
         false, "0000000000", "0000000080"},
        {"Yaesu 757 GX II", "4800", 'N', '8', '2', "00 00 00 00 10", "", true, false, false, &yaesu::yaesu757(),
         {205, 0}, false, "0000000000", "0000000080"},
        {"Yaesu 890", "4800", 'N', '8', '2', "00 00 00 02 10", "", true, false, false, &yaesu::yaesu890(), {205, 0},
         false, "0000000000", "0000000080"},
        {"Yaesu 920", "4800", 'N', '8', '2', "00 00 00 02 10", "", true, false, false, &yaesu::yaesu920(), {205, 0},
         false, "0000000000", "0000000080"},
        {"Yaesu 990", "4800", 'N', '8', '2', "00 00 00 02 10", "", true, false, false, &yaesu::yaesu990(), {205, 0},
         false, "0000000000", "0000000080"},
        {"Yaesu 1000 D", "4800", 'N', '8', '2', "00 00 00 02 10", "", true, false, false, &yaesu::yaesu990(),
         {205, 0}, false, "0000000000", "0000000080"},
        {"Yaesu 1000", "4800", 'N', '8', '2', "00 00 00 02 10", "", true, false, false, &yaesu::yaesu1000(), {10, 0},
         false, "0000000000", "0000000080"},
        {"Yaesu FTdx9000", "4800", 0, 0, 0, "FA;", "MD0;", false, false, false, &kenwood::ftdx9000(),
         {205, 0}, false, "", ""},
        {"Other", nullptr, 0, 0, 0, "", "", false, true, false, &operatorStrings(), {0, 0}, false, "", ""},
    }};
    return models;
}

}  // namespace

const std::array<RigModel, RigModelCount>& rigModels() { return table(); }

const RigModel* findRigModel(const QString& rigType)
{
    for (const RigModel& m : table())
        if (rigType == QLatin1String(m.name))
            return &m;
    return nullptr;
}

}  // namespace radio
