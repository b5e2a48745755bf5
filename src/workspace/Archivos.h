// Small file operations shared by the panels, the settings and the remote editor.
#pragma once
#include "base/Texto.h"
#include "platform/Dialogs.h"
#include <filesystem>
#include <vector>

namespace zt {

// Settings escapes: TAB <-> "\!", CR LF <-> "\?". A lone CR or LF is written as "\?" too, so a
// value can never break its settings line apart.
Texto EscapaTexto(VistaTexto s);
Texto DesescapaTexto(VistaTexto s);

// Splits at TAB; an empty text is one empty field.
std::vector<Texto> PartirCampos(VistaTexto s);

// The open and save file boxes: 'descripcion' + 'patron' as the filter (every file is always
// offered too). The path chosen, without trailing blanks or NUL, or empty when cancelled.
Texto DialogoAbrir(Dialogs& dialogos, VistaTexto descripcion, VistaTexto patron, VistaTexto titulo,
                   VistaTexto carpeta);
Texto DialogoGuardar(Dialogs& dialogos, VistaTexto descripcion, VistaTexto patron, VistaTexto titulo,
                     VistaTexto inicial);

// Makes 'ruta' the current folder; false when it cannot.
bool CambiaCarpeta(VistaTexto ruta);

// The part after the last "/" (the whole text when there is none).
Texto NombreArchivo(VistaTexto ruta);

// The file's lines joined by CR LF, none after the last. A missing or unreadable file gives an
// empty text and sets 'mensajeError' to "No se encuentra el archivo.".
Texto LeeArchivo(VistaTexto nombre, Texto& mensajeError);

// Replaces the file's content with 'texto' + CR LF (safely, through a temporary file). An empty
// name means 'carpetaPrograma'/temp.txt. Returns the name written, or empty after showing
// "Error creando archivo: " + name when the write failed.
Texto EscribeArchivo(VistaTexto nombre, VistaTexto texto, Dialogs& dialogos,
                     const std::filesystem::path& carpetaPrograma);

// Start-up check of a work folder: asks to create a missing one. Returns false when the user
// refused, after telling so (the program must end). A failed creation sets 'mensajeError',
// shows it and returns true: start-up goes on.
bool AseguraCarpeta(const std::filesystem::path& carpeta, Dialogs& dialogos, Texto& mensajeError);

} // namespace zt
