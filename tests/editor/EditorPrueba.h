// Helpers shared by the editor tests: an editor wired to fake dialogs and clipboard.
#pragma once
#include "editor/CtlEdit.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDialogs.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zt {

struct EditorPrueba {
  FakeDialogs dialogos;
  FakeClipboard portapapeles;
  CtlEdit ed;
  explicit EditorPrueba(PerfilEditor p = PerfilEditor::CtlEdit())
      : ed(std::move(p), &dialogos, &portapapeles) {}

  // Lines as UTF-8 for readable failures.
  std::vector<std::string> Lineas() const {
    std::vector<std::string> r;
    for (int32_t y = 1; y <= ed.nLin(); ++y) r.push_back(U8(ed.linea(y)));
    return r;
  }
  void Escribe(const std::string &s) {
    for (char32_t c : T(s)) ed.TeclaCaracter(c);
  }
  void Tecla(int codigo, int shift = 0, int veces = 1) {
    for (int i = 0; i < veces; ++i) ed.TeclaAbajo(codigo, shift);
  }
  void Cursor(int32_t x, int32_t y) { ed.CursorText(x, y); }
};

using Lineas = std::vector<std::string>;

} // namespace zt
