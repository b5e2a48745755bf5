// The output of a run: text written at a movable position, kept in memory and saved at the end.
#pragma once
#include "base/Texto.h"
#include <filesystem>
#include <string>

namespace zt::preproc {

class Salida {
public:
  void Vacia();
  // A character from the cursor: kSalto is written as CR LF.
  void EscribeCaracter(char32_t c);
  // A value: written as it stands (its line ends are already CR LF).
  void EscribeTexto(VistaTexto s);
  // When the last character written was a blank, the next write overwrites it.
  void RetrocedeBlanco();
  bool UltimoFueBlanco() const { return ultimoBlanco_; }
  // What the file will hold (UTF-8).
  const std::string& Bytes() const { return bytes_; }
  // Replaces the file with the output; empty on success, else the reason.
  std::string Guarda(const std::filesystem::path& ruta) const;

private:
  void Byte(char b) {
    if (pos_ < bytes_.size())
      bytes_[pos_] = b;
    else
      bytes_.push_back(b);
    ++pos_;
  }
  void Codifica(char32_t c);

  std::string bytes_;
  size_t pos_ = 0;
  bool ultimoBlanco_ = false;
};

} // namespace zt::preproc
