// What the connection, terminal and colour dialogs edit, and the rules they apply to it.
#pragma once
#include "base/Texto.h"
#include "editor/Propiedades.h"
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zt {

constexpr size_t MaxHistorialHosts = 5;
constexpr int16_t MinLineasTerm = 20;
constexpr int16_t MaxLineasTermPermitido = 30000;

// The connection dialog's port box: "TELNET" 23 and "FTP" 21 in any case, a whole number in
// 1..65535 (blanks around it allowed) that port; anything else 0, which no connection can use.
int PuertoDeTexto(VistaTexto texto);

// Appends 'host' when the exact text is not in the list yet, then drops the oldest entries
// beyond MaxHistorialHosts.
void RecuerdaHost(std::vector<Texto>& HistorialHosts, const Texto& host);

// The terminal dialog's values, in the order it stores them.
struct ValoresTerminal {
  int16_t MaxLineasTerm = 500;
  int16_t TeclasInterceptadas = 1; // 0: navigation keys go to the host; 1: the view keeps them
  bool DetPromptActiva = false;
  Texto PatIniPrompt;
  Texto PatFinPrompt;
  friend bool operator==(const ValoresTerminal&, const ValoresTerminal&) = default;
};

// The typed line count read as a number and rounded; nullopt when it lies below MinLineasTerm or
// above MaxLineasTermPermitido (checked before rounding, so 19.6 is refused).
std::optional<int16_t> LeeLineasTerm(VistaTexto texto);

// The colour dialog's pickers in the order they are stored: control name, label and the view
// colour each one edits.
struct ColorDialogo {
  const char* control;
  const char32_t* etiqueta;
  Color ColoresEditor::*campo;
};
inline constexpr std::array<ColorDialogo, 8> kColoresTerminal{{
    {"ctlColFonEdi", U"Color de fondo:", &ColoresEditor::ColFonEdi},
    {"ctlColTxtNor", U"Color de texto:", &ColoresEditor::ColTxtNor},
    {"ctlColFonSel", U"Fondo de Selección:", &ColoresEditor::ColFonSel},
    {"ctlColTxtSel", U"Texto de Selección:", &ColoresEditor::ColTxtSel},
    {"ctlColTxtCom", U"Comentarios:", &ColoresEditor::ColTxtCom},
    {"ctlColTxtCad", U"Constantes Cadena:", &ColoresEditor::ColTxtCad},
    {"ctlColPalRes", U"Palabras Reservadas:", &ColoresEditor::ColPalRes},
    {"ctlColPalRes2", U"Prompt:", &ColoresEditor::ColPalRes2},
}};

} // namespace zt
