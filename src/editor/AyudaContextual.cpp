// The help popup's lists as constant tables, and its behaviour over the editor's hooks.
#include "editor/AyudaContextual.h"
#include "base/Comodin.h"
#include "editor/CtlEdit.h"
#include "editor/Lexico.h"
#include <algorithm>
#include <array>

namespace zt {

namespace {

// Entries are shown and inserted exactly as written, trailing blanks included.
constexpr VistaTexto kShell[] = {
    U"awk", U"awk '{}'", U"awk -F. '{print $1}'", U"banner", U"break", U"case", U"cat ", U"cd ", U"cd ..",
    U"chgrp ", U"chmod ", U"chmod 755", U"chmod 777", U"continue", U"cp ", U"cp <origen> <destino>",
    U"crontab ", U"crontab -l", U"crontab -l | grep ", U"date", U"date +%Y%m%d %H%M%S", U"df", U"df -k",
    U"df -k | grep ", U"do", U"done", U"du", U"du -k", U"echo", U"echo \"\"", U"elif ", U"else", U"esac",
    U"exit", U"expr", U"fcopy", U"fi", U"for ", U"for <variable> in <$lista>\r\ndo\r\ndone", U"format",
    U"ftp ", U"grep ", U"head ", U"id ", U"if ", U"if [ <expres\u00edon> ]; then", U"in", U"join ", U"kill",
    U"kill -9 ", U"ln", U"ls", U"ls -l", U"mail", U"man", U"mkdir", U"mv ", U"mv <origen> <destino>",
    U"nawk ", U"nawk -F. '{print $1}'", U"ping", U"passwd", U"pwd", U"ps ", U"ps -fu", U"rm ", U"rmdir ",
    U"sleep ", U"sort", U"tail ", U"tar", U"telnet", U"then", U"top ", U"tty ", U"uname", U"uniq", U"until",
    U"vi ", U"vmstat ", U"wc ", U"wc -l ", U"while ", U"while [ <exprsion> ]; do ", U"who ", U"write ",
    // Directives of the preprocessor, for command files it expands.
    U"$DEFINIR ", U"$DEFINIR <nombre> COMO <cuerpo> FINDEFINIR", U"$DEFINIR <nombre> = <valor>",
    U"$DIR_ACTUAL", U"$FECHA_ACTUAL(", U"$FORMATO(", U"$INCLUIR ", U"$INCLUIR <archivo>", U"$NOM_ACTUAL",
    U"$PARA ", U"$PARA EN HACER FINPARA", U"$PSQL_REINIC", U"$REDEF ",
    U"$REDEF <nombre> COMO <cuerpo> FINDEFINIR"};
static_assert(std::size(kShell) == 86 + 14);

constexpr VistaTexto kSql[] = {U"abs(",           U"ascii(", U"asin(",    U"trunc(",
                               U"trunc(sysdate)", U"upper(", U"weekday(", U"year("};
static_assert(std::size(kSql) == 8);

constexpr VistaTexto kMacros[] = {U"abs()",
                                  U"abs(<n\u00famero>)",
                                  U"asc()",
                                  U"asc(<caracter>)",
                                  U"chr()",
                                  U"chr(<codigo ascii>)",
                                  U"CAPTURE ",
                                  U"CAPTURE <variable>",
                                  U"COMO ",
                                  U"CONNECT ",
                                  U"CONNECT 192.168.1.1",
                                  U"cos()",
                                  U"cos(<\u00e1ngulo>)",
                                  U"DISCONNECT",
                                  U"divs()",
                                  U"divs( <cadena>[, <delimitador>] )",
                                  U"EDIT ",
                                  U"EDIT <nombre de archivo>",
                                  U"ELSE ",
                                  U"EN ",
                                  U"END",
                                  U"ENDCAPTURE",
                                  U"ent()",
                                  U"ent(<valor decimal>)",
                                  U"ENDIF",
                                  U"FILECLOSE ",
                                  U"FILEOPEN ",
                                  U"FILEOPEN <handle>",
                                  U"FILEOPEN <handle>,<archivo>",
                                  U"FILEWRITE ",
                                  U"FILEWRITE <handle>,<cadena>",
                                  U"FINCONSULTAR ",
                                  U"FINDEFINIR ",
                                  U"FINPARA",
                                  U"frac()",
                                  U"frac(<valor decimal>)",
                                  U"HACER ",
                                  U"IF",
                                  U"IF result=0 THEN\r\nENDIF",
                                  U"IF <expre> THEN\r\n<cuerpo>\r\nELSE\r\n<cuerpo>\r\nENDIF",
                                  U"exp()",
                                  U"exp(<n\u00famero>)",
                                  U"filt()",
                                  U"filt(<cadena>,<subcadena>)",
                                  U"INPUTSTR",
                                  U"lon()",
                                  U"lon(<cadena>)",
                                  U"lonl()",
                                  U"lonl(<cadena>)",
                                  U"ln()",
                                  U"ln(<n\u00famero>)",
                                  U"LOGCLOSE",
                                  U"LOGOPEN",
                                  U"LOGOPEN <nombre de archivo>",
                                  U"LOGPAUSE",
                                  U"LOGSTART",
                                  U"LOGWRITE",
                                  U"LOGWRITE <cadena>",
                                  U"MESSAGEBOX",
                                  U"MESSAGEBOX <mensaje> <t\u00edtulo>",
                                  U"mns()",
                                  U"mns(<cadena>)",
                                  U"mys()",
                                  U"mys(<cadena>)",
                                  U"PAUSE ",
                                  U"PAUSE 1",
                                  U"rnd()",
                                  U"rnd(<valor decimal>)",
                                  U"RESULT",
                                  U"rpla()",
                                  U"rpla(<cadena>,<buscado>[, <reemplazo>])",
                                  U"SENDLN ",
                                  U"SENDLN \"\"",
                                  U"sen()",
                                  U"sen(<\u00e1ngulo>)",
                                  U"SEND ",
                                  U"SEND \"\"",
                                  U"STOP",
                                  U"subs()",
                                  U"subs(<cadena>, <ini>[, <ncar>] )",
                                  U"tan()",
                                  U"tan(<\u00e1ngulo>)",
                                  U"THEN",
                                  U"THEN\r\nENDIF",
                                  U"TIMEOUT",
                                  U"val()",
                                  U"val(<cadena>)",
                                  U"WAIT ",
                                  U"WAIT \"\"",
                                  U"$CONSULTAR FINCONSULTAR",
                                  U"$DEFINIR ",
                                  U"$DEFINIR <nombre> COMO <cuerpo> FINDEFINIR",
                                  U"$DEFINIR <nombre> = <valor>",
                                  U"$DIR_ACTUAL",
                                  U"$EXPR(",
                                  U"$EXPR(1+1)",
                                  U"$FECHA_ACTUAL(",
                                  U"$FECHA_ACTUAL(0,'dd/mm/yyyy')",
                                  U"$FECHA_ACTUAL(-1,'yyyy/mm/dd')",
                                  U"$FORMATO(",
                                  U"$FORMATO(fecha ,'ddd dd/mm/yyyy')",
                                  U"$FORMATO(5,'0000')",
                                  U"$INCLUIR ",
                                  U"$INCLUIR D:\\aaa.txt",
                                  U"$NOM_ACTUAL",
                                  U"$PARA ",
                                  U"$PARA EN HACER FINPARA",
                                  U"$PARA x EN 1 2 3 HACER\r\nFINPARA",
                                  U"$PSQL_REINIC",
                                  U"$REDEF ",
                                  U"$REDEF <nombre> COMO <cuerpo> FINDEFINIR"};

// Contexts after which a value is expected: only the SQL functions are offered.
constexpr VistaTexto kContextosSql[] = {U"*SELECT", U"*IF", U"*=", U"*,", U"*+", U"*-", U"*/", U"*>", U"*<"};

bool EsLetraIden(char32_t c) { return EsCarPalabra(Mayuscula(c)); }

void Agrega(std::vector<Texto>& v, std::span<const VistaTexto> l) {
  for (VistaTexto e : l) v.emplace_back(e);
}

} // namespace

ListasAyuda ListasComandos() { return {kShell, kSql}; }
ListasAyuda ListasMacros() { return {kMacros, kSql}; }

Texto NormalizaContexto(VistaTexto antes) {
  Texto s(antes);
  std::replace(s.begin(), s.end(), U'\t', U' ');
  s = Mayusculas(RecortaEspacios(s));
  for (size_t i; (i = s.find(U"  ")) != Texto::npos;) s.erase(i, 1);
  return s;
}

std::vector<Texto> EligeLista(const ListasAyuda& listas, VistaTexto contexto) {
  std::vector<Texto> v;
  bool sql = std::any_of(std::begin(kContextosSql), std::end(kContextosSql),
                         [&](VistaTexto p) { return CoincideComodin(contexto, p); });
  if (sql || CoincideComodin(contexto, U"*(")) Agrega(v, listas.sql);
  if (!sql) Agrega(v, listas.principal);
  return v;
}

std::vector<Texto> FiltraLista(const std::vector<Texto>& lista, VistaTexto prefijo) {
  Texto patron = Mayusculas(prefijo);
  std::erase(patron, U'[');
  patron += U'*';
  std::vector<Texto> r;
  for (const Texto& e : lista)
    if (CoincideComodin(Mayusculas(e), patron)) r.push_back(e);
  return r;
}

std::optional<PuntoPantalla> UbicaAyuda(PuntoPantalla p, int ancho, int alto, int altoLinea,
                                        int anchoPantalla, int altoPantalla) {
  if (altoPantalla < alto || anchoPantalla < ancho) return std::nullopt;
  PuntoPantalla r = p;
  if (r.y + alto > altoPantalla) r.y = p.y - alto - altoLinea;
  if (r.x + ancho > anchoPantalla) r.x = anchoPantalla - ancho;
  return r;
}

AyudaContextual::AyudaContextual(ListasAyuda listas)
    : eleccion_([listas](VistaTexto contexto) { return EligeLista(listas, contexto); }) {}

AyudaContextual::~AyudaContextual() {
  if (!ed_) return;
  ed_->alOfrecerTecla = nullptr;
  ed_->alTeclaProcesada = nullptr;
  ed_->alCaracter = nullptr;
  ed_->alPulsarRaton = nullptr;
}

void AyudaContextual::Iniciar(CtlEdit& ed, VentanaAyuda* ventana) {
  ed_ = &ed;
  ventana_ = ventana;
  ed.alOfrecerTecla = [this](int c, int s) { return KeyDown(c, s); };
  ed.alTeclaProcesada = [this](int c, int s) { KeyDown2(c, s); };
  ed.alCaracter = [this](char32_t c) { KeyPress(c); };
  ed.alPulsarRaton = [this] { MouseDown(ed_->curXt, ed_->curYt); };
}

int32_t AyudaContextual::IndiceCursor() const { return ed_->PosXTreal(ed_->curXt, ed_->curYt); }

// The stored text from the identifier's start up to the cursor.
Texto AyudaContextual::Prefijo() const {
  const Texto& l = ed_->linea(linea_);
  int32_t r = std::min<int32_t>(IndiceCursor(), int32_t(l.size()) + 1);
  if (r <= inicio_) return {};
  return l.substr(size_t(inicio_ - 1), size_t(r - inicio_));
}

bool AyudaContextual::KeyDown(int codigo, int shift) {
  if (!visible_) return false;
  const int n = int(lista_.size());
  switch (codigo) {
  case tecla::Enter:
    // Enter accepts only an entry the user went to: after a whole word ("date") it must end the
    // line, not glue the next one to it. The character that follows accepts; in direct-send mode
    // plain Enter belongs to the editor.
    if (!elegida_) {
      FinAyudContextual();
      return false;
    }
    return ed_->ModEnvDir ? shift == tecla::Ctrl : shift == 0;
  case tecla::RePag: return Elige(std::max(sel_ - kPaso, 0));
  case tecla::AvPag: return Elige(std::min(sel_ + kPaso, n - 1));
  case tecla::Arriba: return Elige(sel_ <= 0 ? n - 1 : sel_ - 1);
  case tecla::Abajo: return Elige(std::min(sel_ + 1, n - 1));
  default: return false;
  }
}

bool AyudaContextual::Elige(int i) {
  Selecciona(i);
  elegida_ = true;
  return true;
}

void AyudaContextual::KeyDown2(int codigo, int) {
  if (!visible_) return;
  if (ed_->curYt != linea_ || IndiceCursor() < inicio_) {
    FinAyudContextual();
    return;
  }
  if (codigo == tecla::Fin || codigo == tecla::Inicio || codigo == tecla::Insertar ||
      codigo == tecla::Suprimir)
    ListaIdenAyudCont(cargada_, Prefijo());
}

void AyudaContextual::KeyPress(char32_t c) {
  if (c == U' ' || c == 27) {
    FinAyudContextual();
    return;
  }
  if (visible_ && (c == U'\r' || c == U'\t')) {
    Acepta();
    return;
  }
  if (visible_) {
    Texto prefijo = ed_->curYt == linea_ ? Prefijo() : Texto();
    if (!prefijo.empty()) ListaIdenAyudCont(cargada_, prefijo);
    if (prefijo.empty() || lista_.empty()) FinAyudContextual();
    return;
  }
  const Texto& l = ed_->linea(ed_->curYt);
  const int32_t r = IndiceCursor();
  if (!EsLetraIden(c) || r < 1 || r > int32_t(l.size()) + 1) return;
  if (r <= int32_t(l.size()) && EsLetraIden(l[size_t(r - 1)])) return; // typing inside a word
  int32_t s = r;
  while (s > 1 && EsLetraIden(l[size_t(s - 2)])) --s;
  if (s == r) return;
  cargada_ = eleccion_(NormalizaContexto(VistaTexto(l).substr(0, size_t(s - 1))));
  ListaIdenAyudCont(cargada_, VistaTexto(l).substr(size_t(s - 1), size_t(r - s)));
  if (!lista_.empty()) Muestra(s, ed_->curYt);
}

void AyudaContextual::MouseDown(int32_t, int32_t y) {
  if (visible_ && y != linea_) FinAyudContextual();
}

void AyudaContextual::ListaIdenAyudCont(const std::vector<Texto>& lista, VistaTexto prefijo) {
  lista_ = FiltraLista(lista, prefijo);
  sel_ = lista_.empty() ? -1 : 0;
  elegida_ = false;
  if (ventana_) ventana_->Actualiza();
}

void AyudaContextual::Muestra(int32_t inicio, int32_t linea) {
  inicio_ = inicio;
  linea_ = linea;
  visible_ = true;
  ed_->MostfCtx = true;
  if (ventana_) ventana_->Muestra(AltoTwips());
}

void AyudaContextual::FinAyudContextual() {
  if (!visible_) return;
  visible_ = false;
  if (ventana_) ventana_->Oculta();
}

void AyudaContextual::Selecciona(int i) {
  if (lista_.empty()) return;
  sel_ = std::clamp(i, 0, int(lista_.size()) - 1);
  if (ventana_) ventana_->Actualiza();
}

void AyudaContextual::Acepta() {
  if (!visible_) return;
  if (sel_ >= 0 && sel_ < int(lista_.size()) && ed_->curYt == linea_) {
    Texto elegido = lista_[size_t(sel_)];
    int32_t r = std::max(IndiceCursor(), inicio_);
    ed_->SelecIdentificador(inicio_, linea_, r - inicio_);
    ed_->CurInsertar(elegido);
  }
  FinAyudContextual();
}

void AyudaContextual::PerdioFoco(bool haciaPopup) {
  // The popup never keeps the focus, so only a loss to some other window closes it.
  if (ed_) ed_->MostfCtx = false;
  if (!haciaPopup) FinAyudContextual();
}

} // namespace zt
