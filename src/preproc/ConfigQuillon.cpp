// Quillon.ini and the configuration checks.
#include "preproc/ConfigQuillon.h"
#include "base/ArchivoTexto.h"
#include "base/Comodin.h"
#include "base/Numeros.h"

namespace zt::preproc {

namespace {

Texto Color10(Color c) { return T(std::to_string(c)); }
Texto Bandera(bool b) { return b ? U"V" : U"F"; }

std::vector<Texto> Campos(VistaTexto linea) {
  std::vector<Texto> r(1);
  for (char32_t c : linea) {
    if (c == U',')
      r.emplace_back();
    else
      r.back() += c;
  }
  return r;
}

// A colour field: a whole number of 24 bits, else the reading stops.
bool LeeColor(const std::vector<Texto>& campos, size_t i, Color& c) {
  if (i >= campos.size()) return false;
  bool entero = false;
  double v = LeeNumero(campos[i], &entero);
  if (!entero || v < 0 || v > 0xFFFFFF || v != double(int64_t(v))) return false;
  c = Color(v);
  return true;
}

} // namespace

std::vector<Texto> LineasConfig(const AjustesQuillon& a, VistaTexto titulo) {
  const ColoresEditor& k = a.colores;
  return {
      U"[VER]," + Texto(titulo) + U",,",
      U"[CADCOND]," + a.conexion + U",,",
      U"[TELNETD]," + a.lanzador + U",,",
      U"[EDVER]," + Bandera(a.verEstado) + U"," + Bandera(a.verDesHor) + U"," + Bandera(a.verNumLin) + U",,,",
      U"[EDCOL]," + Color10(k.ColFonEdi) + U"," + Color10(k.ColFonSel) + U"," + Color10(k.ColTxtNor) + U"," +
          Color10(k.ColTxtSel) + U"," + Color10(k.ColFonNli) + U",,,",
      U"[EDCOLS]," + Color10(k.ColTxtCom) + U"," + Color10(k.ColTxtCad) + U"," + Color10(k.ColPalRes) + U"," +
          Color10(k.ColPalRes2) + U"," + Color10(k.ColTxtFun) + U",,,,,",
      U"=========================FIN===========================",
      U"=======================================================",
  };
}

void LeeLineasConfig(AjustesQuillon& a, const std::vector<Texto>& lineas) {
  for (const Texto& l : lineas) {
    auto f = Campos(l);
    auto campo = [&](size_t i, Texto& destino) {
      if (i >= f.size()) return false;
      destino = f[i];
      return true;
    };
    if (l.starts_with(U"[CADCOND]")) {
      if (!campo(1, a.conexion)) return;
    } else if (l.starts_with(U"[TELNETD]")) {
      if (!campo(1, a.lanzador)) return;
    } else if (l.starts_with(U"[EDVER]")) {
      bool* banderas[] = {&a.verEstado, &a.verDesHor, &a.verNumLin};
      for (size_t i = 0; i < 3; ++i) {
        if (i + 1 >= f.size()) return;
        *banderas[i] = f[i + 1] == U"V";
      }
    } else if (l.starts_with(U"[EDCOLS]")) {
      ColoresEditor& k = a.colores;
      Color* cs[] = {&k.ColTxtCom, &k.ColTxtCad, &k.ColPalRes, &k.ColPalRes2, &k.ColTxtFun};
      for (size_t i = 0; i < 5; ++i)
        if (!LeeColor(f, i + 1, *cs[i])) return;
    } else if (l.starts_with(U"[EDCOL]")) {
      ColoresEditor& k = a.colores;
      Color* cs[] = {&k.ColFonEdi, &k.ColFonSel, &k.ColTxtNor, &k.ColTxtSel, &k.ColFonNli};
      for (size_t i = 0; i < 5; ++i)
        if (!LeeColor(f, i + 1, *cs[i])) return;
    }
  }
}

bool LeeConfig(const std::filesystem::path& ruta, AjustesQuillon& a) {
  auto c = LeeArchivoTexto(ruta);
  if (!c) return false;
  LeeLineasConfig(a, c->lineas);
  return true;
}

Texto EscribeConfig(const std::filesystem::path& ruta, const AjustesQuillon& a, VistaTexto titulo) {
  switch (EscribeConRespaldo(ruta, LineasConfig(a, titulo), Codificacion::Utf8)) {
  case EscrituraRespaldada::Hecha: return {};
  case EscrituraRespaldada::SoloLectura: return T("Error. Archivo de configuración es de sólo lectura");
  case EscrituraRespaldada::Fallida: break;
  }
  return T("Error escribiendo en archivo: ") + T(ruta.string());
}

FalloConfig CompruebaConfig(VistaTexto conexion, VistaTexto lanzador) {
  using C = FalloConfig::Campo;
  // The file separates its fields with commas: a value holding one would come back cut.
  const Texto coma = T("Error. Los valores de la configuración no pueden contener comas (',').");
  // No connection at all is the default database, as the query runner reads it.
  const bool sinConexion = conexion.find_first_not_of(U" \t") == VistaTexto::npos;
  if (!sinConexion && !CoincideComodin(conexion, U"*/*@*"))
    return {C::Conexion,
            T("Error en formato de cadena de conexión. Use el formato usuario/clave@BaseDeDatos: ")};
  if (conexion.find(U',') != VistaTexto::npos) return {C::Conexion, coma};
  if (lanzador.empty()) return {C::Lanzador, T("Debe especifcicar un valor para la ruta del SQLPLUS")};
  if (lanzador.find(U',') != VistaTexto::npos) return {C::Lanzador, coma};
  return {};
}

} // namespace zt::preproc
