// The rule that picks the program's folder, apart from the process so tests can feed it.
#pragma once
#include <filesystem>
#include <string>

namespace zt {

struct FuentesCarpeta {
  std::string variable;             // value of ZTELNET_HOME / QUILLON_HOME ("" when unset)
  std::filesystem::path ejecutable; // folder of the executable ("" when unknown)
  bool ejecutableEscribible = false;
  std::string xdgDataHome; // $XDG_DATA_HOME ("" when unset)
  std::string home;        // the user's home folder
};

// The folder the rule picks; does not create it.
std::filesystem::path EligeCarpeta(const FuentesCarpeta &f, const std::string &nombre);

} // namespace zt
