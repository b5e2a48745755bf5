// Reading and writing whole text files with encoding detection and safe replacement.
#pragma once
#include "base/Codec.h"
#include <filesystem>
#include <optional>
#include <vector>

namespace zt {

struct ContenidoArchivo {
  std::vector<Texto> lineas; // never contain CR or LF; an empty file gives no lines
  Codificacion codificacion = Codificacion::Utf8;
  bool saltoFinal = false; // the last line was followed by a line end
};

// Detects UTF-8 versus Windows-1252 (a file that is not valid UTF-8 is Windows-1252).
Codificacion DetectaCodificacion(std::string_view bytes);

// Splits at LF, CR and CR LF (each pair counting as one end).
std::vector<Texto> PartirLineas(VistaTexto texto, bool* saltoFinal = nullptr);

// Whole file as bytes; nullopt when it cannot be opened.
std::optional<std::string> LeeBytes(const std::filesystem::path& ruta);
// Reads and decodes; nullopt when the file cannot be opened.
std::optional<ContenidoArchivo> LeeArchivoTexto(const std::filesystem::path& ruta);

// Writes to a temporary file in the same folder and renames it over the target, so a failed
// write leaves the old file intact; through a symbolic link the file it points to is replaced
// and the link stays. Returns an empty text on success, else the reason.
// 'sincronizar' false skips the flush to disk, for work files read back at once and never kept.
std::string EscribeBytes(const std::filesystem::path& ruta, std::string_view bytes, bool sincronizar = true);
// Joins the lines with CR LF (and a final CR LF when saltoFinal) and writes them encoded.
std::string EscribeArchivoTexto(const std::filesystem::path& ruta, const std::vector<Texto>& lineas,
                                Codificacion cod, bool saltoFinal = true);

// Settings files: a read-only file is left alone; otherwise the old file is first copied to the
// same name + ".bak" (without that copy it is not replaced), then the lines are written as above.
enum class EscrituraRespaldada { Hecha, SoloLectura, Fallida };
EscrituraRespaldada EscribeConRespaldo(const std::filesystem::path& ruta, const std::vector<Texto>& lineas,
                                       Codificacion cod);

} // namespace zt
