// Byte encodings of the system: UTF-8 with byte-preserving escapes, and Windows-1252.
#pragma once
#include "base/Texto.h"

namespace zt {

enum class Codificacion { Utf8, Cp1252 };

// Decodes UTF-8; every byte b that is not part of a valid sequence becomes U+DC00+b, which lies
// in U+DC80..U+DCFF since such bytes are never ASCII.
Texto DecodificaUtf8(std::string_view bytes);
// The same into 'destino', which is replaced (its storage is reused).
void DecodificaUtf8(std::string_view bytes, Texto& destino);
// Encodes one character into 'out' and returns how many bytes it took (1..4); U+DC80..U+DCFF
// become the single byte they stand for, other surrogates and values past U+10FFFF become U+FFFD.
int CodificaCaracterUtf8(char32_t c, char out[4]);
// Encodes UTF-8 character by character as above.
std::string CodificaUtf8(VistaTexto texto);
// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool EsUtf8Valido(std::string_view bytes);

// Windows-1252: all 256 codes decode; the five undefined ones map to U+0081, U+008D, U+008F,
// U+0090 and U+009D so that they come back as the same byte.
char32_t DecodificaCp1252(unsigned char byte);
Texto DecodificaCp1252(std::string_view bytes);
void DecodificaCp1252(std::string_view bytes, Texto& destino);
// Code of a character in Windows-1252, or -1 when it has none (U+DC00+b counts as byte b).
int CodigoCp1252(char32_t c);
// Characters with no code are written as '?'.
std::string CodificaCp1252(VistaTexto texto);

Texto Decodifica(std::string_view bytes, Codificacion cod);
void Decodifica(std::string_view bytes, Codificacion cod, Texto& destino);
std::string Codifica(VistaTexto texto, Codificacion cod);
// The same, appended to 'destino'.
void Codifica(VistaTexto texto, Codificacion cod, std::string& destino);

} // namespace zt
