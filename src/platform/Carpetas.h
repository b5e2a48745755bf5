// The program's folder: where settings and work folders live.
#pragma once
#include <filesystem>
#include <string>

namespace zt {

// The folder named by 'variable' (ZTELNET_HOME / QUILLON_HOME) when set; else the folder of the
// executable when writable; else $XDG_DATA_HOME/<nombre> (or ~/.local/share/<nombre>). Created
// when missing.
std::filesystem::path CarpetaPrograma(const char* variable, const char* nombre);
// The folder holding the running executable.
std::filesystem::path CarpetaEjecutable();

} // namespace zt
