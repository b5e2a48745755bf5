// Reading, writing and listing remote files by typing shell commands into the session.
//
// Every command prints marks of its own around what it produces, built so that the typed
// command (which the terminal echoes) never contains them: the answer is what lies between the
// marks, never "whatever came before the next prompt". Each mark carries a fresh random token.
// The exit status and the POSIX checksum of the host's file follow the marks, so a failed cat
// is an error, not the text, and a store counts as done only when the host wrote exactly the text.
#pragma once
#include "remote/CanalRemoto.h"
#include "remote/CitaShell.h"
#include <functional>
#include <string>
#include <vector>

namespace zt {

// A text as a file holds it: its lines (never a line feed inside; a CR is kept as a character)
// and whether the last line ends in a line feed. An empty file has no lines.
struct TextoRemoto {
  std::vector<Texto> lineas;
  bool saltoFinal = true;
};

TextoRemoto TextoDeBytes(std::string_view bytes, Codificacion cod);
std::string BytesDeTexto(const TextoRemoto& texto, Codificacion cod);

// The messages of the transfers.
namespace msg_remoto {
inline const Texto kSinConexion = U"La edición remota solo es válida cuando hay conexiones abiertas.";
inline const Texto kTiempo = U"Tiempo de espera agotado";
} // namespace msg_remoto

class TransferenciaRemota {
public:
  static constexpr int kEsperaMs = 30000;
  static constexpr std::size_t kMaxRecibido = std::size_t(64) << 20;

  explicit TransferenciaRemota(CanalRemoto& canal);
  TransferenciaRemota(const TransferenciaRemota&) = delete;
  TransferenciaRemota& operator=(const TransferenciaRemota&) = delete;

  // A fresh token for the marks of one command (random unless a test sets it).
  std::function<std::string()> GeneraMarca;
  // Longest silence of the host during a command.
  int esperaMs = kEsperaMs;
  // Most bytes kept of one answer; past it the command is interrupted and fails.
  std::size_t maxRecibido = kMaxRecibido;
  std::size_t maxLineaDatos = kMaxLineaDatos;

  // 'error' is empty on success; otherwise it says why, and 'texto' is empty.
  struct Lectura {
    Texto error;
    TextoRemoto texto;
  };
  // Fetches a file with cat; when the checksum shows the terminal changed a byte (a NUL, say),
  // fetches it again as octal numbers with od.
  Lectura Lee(VistaTexto nombre);
  // Stores the text; empty on success (the host confirmed the write and its checksum matches),
  // else the reason.
  Texto Guarda(VistaTexto nombre, const TextoRemoto& texto);
  struct Listado {
    Texto error;
    std::vector<Texto> entradas;
  };
  // "ls -1" of the shell's current folder; the mail notice is never an entry.
  Listado Lista();

  bool Ocupado() const { return ocupado_; }
  CanalRemoto& canal() { return canal_; }

private:
  enum class Fin { Llego, Tiempo, Cerrada, Excedido };
  // Sends 'envio', then adds what the host sends to 'recibido' until one of 'marcas' arrived
  // (its index goes to 'cual'), or a whole esperaMs + msExtra passed with nothing from the host.
  Fin Ejecuta(const std::string& envio, const std::vector<std::string>& marcas, std::string& recibido,
              std::size_t* cual = nullptr, int msExtra = 0);
  Texto Falla(Fin fin) const;
  Lectura LeeUnaVez(VistaTexto nombre, const std::string& nombreCitado, bool octal, bool& reintentar);

  CanalRemoto& canal_;
  bool ocupado_ = false;
  // Runs after every chunk while a command waits (the fetch reads its lines as they come); it may
  // drop bytes it no longer needs from the front, and says how many.
  std::function<std::size_t(std::string&)> alRecibir_;
};

} // namespace zt
