// Tab expansion and the mapping between stored indexes and expanded columns.
#pragma once
#include "base/Texto.h"
#include <cstdint>

namespace zt {

// Columns and indexes are 1-based. A tab runs to the next tab stop; 'tab' below 1 counts as 1.
Texto LineaFin(VistaTexto linea, int tab);
// Length of LineaFin(linea, tab) without building it.
int32_t LargoExpandido(VistaTexto linea, int tab);
// Column of the next tab stop after column c.
int32_t posFinTab(int32_t c, int tab);
// Stored index of the character shown at expanded column x; a column inside a tab's spaces
// gives the tab, a column past the end gives len + 1. x below 1 is returned unchanged.
int32_t PosXTreal(int32_t x, VistaTexto linea, int tab);
// Expanded column of stored index i; an index below 2 is returned unchanged.
int32_t PosXTexp(int32_t i, VistaTexto linea, int tab);
// The tab cell holding column x: its start and end (first column past it); false when x is
// not inside a tab.
bool TabEnColumna(int32_t x, VistaTexto linea, int tab, int32_t &inicio, int32_t &fin);
// Word characters of word moves and double-click: [a-zA-Z0-9_$'.áéíóúÁÉÍÓÚ-].
bool EsCaracterPalabra(char32_t c);

} // namespace zt
