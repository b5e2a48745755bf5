// The word lists themselves, grouped at compile time by first character.
#include "editor/Palabras.h"

namespace zt {
namespace {

using P = PalabraReservada;

// clang-format off
// Group 1 of the shell editor; the terminal view has the same words in lower case.
constexpr std::array kShell{
    P{U"AWK"}, P{U"BANNER"}, P{U"BREAK"},
    P{U"CAL"}, P{U"CASE"}, P{U"CAT"}, P{U"CD"}, P{U"CHGRP"}, P{U"CHMOD"}, P{U"CONTINUE"}, P{U"CP"}, P{U"CRONTAB"},
    P{U"DATE"}, P{U"DF"}, P{U"DO"}, P{U"DONE"}, P{U"DU"},
    P{U"ECHO"}, P{U"ELIF"}, P{U"ELSE"}, P{U"ESAC"}, P{U"EXIT"}, P{U"EXPR"},
    P{U"FI"}, P{U"FCOPY"}, P{U"FOR"}, P{U"FORMAT"}, P{U"FTP"},
    P{U"GREP"}, P{U"HEAD"}, P{U"ID"}, P{U"IF"}, P{U"IN"}, P{U"JOIN"}, P{U"KILL"}, P{U"LN"}, P{U"LS"},
    P{U"MAN"}, P{U"MAIL"}, P{U"MKDIR"}, P{U"MV"}, P{U"NAWK"},
    P{U"PASSWD"}, P{U"PING"}, P{U"PS"}, P{U"PWD"}, P{U"READ"}, P{U"RM"}, P{U"RMDIR"}, P{U"SLEEP"}, P{U"SORT"},
    P{U"TAIL"}, P{U"TAR"}, P{U"TELNET"}, P{U"THEN"}, P{U"TOP"}, P{U"TTY"}, P{U"UNAME"}, P{U"UNTIL"}, P{U"UNIQ"},
    P{U"VI"}, P{U"VMSTAT"},
    P{U"WC"}, P{U"WHILE"}, P{U"WHO"}, P{U"WRITE"},
};

// The preprocessor's directives, shared by the shell and macro lists (group 2).
constexpr std::array kDolar{
    P{U"$CONSULTAR", 2}, P{U"$DEFINIR", 2}, P{U"$DIR_ACTUAL", 2}, P{U"$FECHA_ACTUAL", 2}, P{U"$FORMATO", 2},
    P{U"$INCLUIR", 2}, P{U"$PARA", 2}, P{U"$PSQL_REINIC", 2}, P{U"$REDEF", 2}, P{U"$NOM_ACTUAL", 2},
    P{U"$EXPR", 2},
};

constexpr std::array kMacro{
    P{U"ABS"}, P{U"ASC"}, P{U"CAPTURE"}, P{U"CHR"}, P{U"CONNECT"}, P{U"COS"}, P{U"DISCONNECT"}, P{U"DIVS"},
    P{U"EDIT"}, P{U"ELSE"}, P{U"END"}, P{U"ENDCAPTURE"}, P{U"ENT"}, P{U"ENDIF"}, P{U"EXP"}, P{U"FILECLOSE"},
    P{U"FILEOPEN"}, P{U"FILEWRITE"}, P{U"FILEWRITELN"}, P{U"FILT"}, P{U"FRC"}, P{U"IF"}, P{U"INPUTSTR"},
    P{U"LON"}, P{U"LONL"}, P{U"LN"}, P{U"LOGCLOSE"}, P{U"LOGOPEN"}, P{U"LOGPAUSE"}, P{U"LOGSTART"},
    P{U"LOGWRITE"}, P{U"MESSAGEBOX"}, P{U"MNS"}, P{U"MYS"}, P{U"PAUSE"}, P{U"PAUSEM"}, P{U"RDN"},
    P{U"RESULT"}, P{U"RPLA"}, P{U"SEN"}, P{U"SEND"}, P{U"SENDLN"}, P{U"STOP"}, P{U"SUBS"}, P{U"TAN"},
    P{U"TIMEOUT"}, P{U"THEN"}, P{U"VAL"}, P{U"WAIT"},
};

constexpr std::array kMacroGrupo2{
    P{U"COMO", 2}, P{U"EN", 2}, P{U"FINCONSULTAR", 2}, P{U"FINDEFINIR", 2}, P{U"FINPARA", 2}, P{U"HACER", 2},
};

constexpr std::array kTerminalShell{
    P{U"awk"}, P{U"banner"}, P{U"break"},
    P{U"cal"}, P{U"case"}, P{U"cat"}, P{U"cd"}, P{U"chgrp"}, P{U"chmod"}, P{U"continue"}, P{U"cp"}, P{U"crontab"},
    P{U"date"}, P{U"df"}, P{U"do"}, P{U"done"}, P{U"du"},
    P{U"echo"}, P{U"elif"}, P{U"else"}, P{U"esac"}, P{U"exit"}, P{U"expr"},
    P{U"fi"}, P{U"fcopy"}, P{U"for"}, P{U"format"}, P{U"ftp"},
    P{U"grep"}, P{U"head"}, P{U"id"}, P{U"if"}, P{U"in"}, P{U"join"}, P{U"kill"}, P{U"ln"}, P{U"ls"},
    P{U"man"}, P{U"mail"}, P{U"mkdir"}, P{U"mv"}, P{U"nawk"},
    P{U"passwd"}, P{U"ping"}, P{U"ps"}, P{U"pwd"}, P{U"read"}, P{U"rm"}, P{U"rmdir"}, P{U"sleep"}, P{U"sort"},
    P{U"tail"}, P{U"tar"}, P{U"telnet"}, P{U"then"}, P{U"top"}, P{U"tty"}, P{U"uname"}, P{U"until"}, P{U"uniq"},
    P{U"vi"}, P{U"vmstat"},
    P{U"wc"}, P{U"while"}, P{U"who"}, P{U"write"},
};

// Only a capital, digit, "_", "$" or accented capital after these prevents the match ("errors" matches).
constexpr std::array kTerminalError{
    P{U"ERROR", 2, true}, P{U"Error", 2, true}, P{U"error", 2, true},
};

// clang-format on

constexpr char32_t MinusculaAscii(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

template <size_t N>
constexpr bool TodasMayusculas(const std::array<P, N>& lista) {
  for (const P& p : lista)
    for (char32_t c : p.texto)
      if (c >= U'a' && c <= U'z') return false;
  return true;
}

template <size_t N, size_t M>
constexpr bool EnMinusculas(const std::array<P, N>& mayus, const std::array<P, M>& minus) {
  if (N != M) return false;
  for (size_t i = 0; i < N; ++i) {
    if (mayus[i].texto.size() != minus[i].texto.size() || mayus[i].grupo != minus[i].grupo) return false;
    for (size_t k = 0; k < mayus[i].texto.size(); ++k)
      if (MinusculaAscii(mayus[i].texto[k]) != minus[i].texto[k]) return false;
  }
  return true;
}

template <size_t N>
constexpr bool Indexables(const std::array<P, N>& lista) {
  for (const P& p : lista)
    if (p.texto.empty() || p.texto[0] >= 128) return false;
  return true;
}

static_assert(kShell.size() == 66 && kDolar.size() == 11 && kMacro.size() == 49);
static_assert(TodasMayusculas(kShell) && TodasMayusculas(kDolar) && TodasMayusculas(kMacro) &&
                  TodasMayusculas(kMacroGrupo2),
              "lists compared against an upper-cased line must be upper case");
static_assert(EnMinusculas(kShell, kTerminalShell), "the terminal's shell words are the shell list in lower case");

template <size_t N, size_t M>
constexpr std::array<P, N + M> Une(const std::array<P, N>& a, const std::array<P, M>& b) {
  std::array<P, N + M> r{};
  for (size_t i = 0; i < N; ++i) r[i] = a[i];
  for (size_t i = 0; i < M; ++i) r[N + i] = b[i];
  return r;
}

template <size_t N>
struct Agrupada {
  std::array<P, N> palabras{};
  std::array<uint16_t, 129> inicio{};
};

// Stable grouping by first character: list order is kept within a letter, so the first match still wins.
template <size_t N>
constexpr Agrupada<N> Agrupa(const std::array<P, N>& lista) {
  Agrupada<N> t{};
  uint16_t k = 0;
  for (char32_t c = 0; c < 128; ++c) {
    t.inicio[c] = k;
    for (const P& p : lista)
      if (p.texto[0] == c) t.palabras[k++] = p;
  }
  t.inicio[128] = k;
  return t;
}

constexpr auto kListaShell = Une(kShell, kDolar);
constexpr auto kListaMacro = Une(Une(kMacro, kMacroGrupo2), kDolar);
constexpr auto kListaTerminal = Une(kTerminalShell, kTerminalError);
static_assert(Indexables(kListaShell) && Indexables(kListaMacro) && Indexables(kListaTerminal));

constexpr auto kTablaShell = Agrupa(kListaShell);
constexpr auto kTablaMacro = Agrupa(kListaMacro);
constexpr auto kTablaTerminal = Agrupa(kListaTerminal);
static_assert(kTablaShell.inicio[128] == kListaShell.size() && kTablaMacro.inicio[128] == kListaMacro.size() &&
              kTablaTerminal.inicio[128] == kListaTerminal.size());

template <size_t N>
TablaPalabras Vista(const Agrupada<N>& t) {
  return {t.palabras.data(), t.inicio.data(), N};
}

} // namespace

const TablaPalabras& PalabrasShell() {
  static const TablaPalabras t = Vista(kTablaShell);
  return t;
}

const TablaPalabras& PalabrasMacro() {
  static const TablaPalabras t = Vista(kTablaMacro);
  return t;
}

const TablaPalabras& PalabrasTerminal() {
  static const TablaPalabras t = Vista(kTablaTerminal);
  return t;
}

} // namespace zt
