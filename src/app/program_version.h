#pragma once
// The program's version text, written into the files it produces for other
// programs (the Cabrillo submission and the ADIF export).

namespace app {

inline constexpr const char* ProgramVersion = "2.3";

}  // namespace app
