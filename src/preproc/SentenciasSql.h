// Splitting a query script's text into statements: a ";" ends a statement only outside quotes and
// comments, so one line may hold several statements and a statement may span lines.
#pragma once
#include "base/Texto.h"
#include <vector>

namespace zt::preproc {

class TroceadorSql {
public:
  // Takes one line; the statements it ends go to 'hechas', without their ";".
  void Linea(VistaTexto linea, std::vector<Texto>& hechas);
  // Ends what is open (a "/" line, a SPOOL or EXIT after a forgotten ";", the end of the script).
  void Cierra(std::vector<Texto>& hechas);
  // A statement has begun and not ended.
  bool Abierta() const { return empezada_; }
  // Inside a quote or a comment that goes on past the line: the next line is not a command.
  bool Dentro() const { return dentro_ != Zona::Nada; }

private:
  enum class Zona { Nada, Comilla, Doble, Comentario, Dolar };
  // Whether a ";" here ends the statement: blocks end only at "/", triggers at "END;".
  bool TerminaAqui() const;
  void FinPalabra();

  Texto sentencia_;
  bool empezada_ = false;
  Zona dentro_ = Zona::Nada;
  Texto etiqueta_;               // of a "$tag$" quote
  std::vector<Texto> primeras_;  // the statement's first words, upper-cased
  Texto palabra_, ultima_;       // the word being read, the last one finished
};

} // namespace zt::preproc
