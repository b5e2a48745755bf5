// Modal dialogs: message boxes, input box, file choice and colour choice.
#pragma once
#include "base/Texto.h"
#include "base/Tipos.h"
#include <optional>

namespace zt {

enum class Botones { Aceptar, AceptarCancelar, SiNo, SiNoCancelar, ReintentarCancelar };
enum class Icono { Ninguno, Informacion, Exclamacion, Pregunta, Error };
enum class Respuesta { Aceptar, Cancelar, Si, No, Reintentar };

class Dialogs {
public:
  virtual ~Dialogs() = default;
  // Shows a message and returns the button pressed. With no display the text goes to standard
  // error and the answer is 'porDefecto' (Aceptar, or Si for the yes/no forms).
  virtual Respuesta Mensaje(const Texto& texto, const Texto& titulo, Botones botones = Botones::Aceptar,
                            Icono icono = Icono::Ninguno, std::optional<Respuesta> porDefecto = {}) = 0;
  // Asks for a line of text; nullopt when cancelled.
  virtual std::optional<Texto> Entrada(const Texto& texto, const Texto& titulo, const Texto& inicial) = 0;
  // 'filtro' as "Descripción (*.ext)"; nullopt when cancelled.
  virtual std::optional<Texto> AbrirArchivo(const Texto& titulo, const Texto& carpeta, const Texto& filtro) = 0;
  virtual std::optional<Texto> GuardarArchivo(const Texto& titulo, const Texto& inicial, const Texto& filtro) = 0;
  virtual std::optional<Color> ElegirColor(Color inicial) = 0;
};

} // namespace zt
