// BaseDatos over Qt's SQL module.
#include "preproc/ui/sql/BaseDatosQt.h"
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <atomic>
#include <cstdlib>
#include <iostream>

namespace zt::preproc {

namespace {

QString AQ(const Texto& t) { return QString::fromStdString(U8(t)); }
Texto DeQ(const QString& s) { return T(s.toStdString()); }

bool EsNumerico(QMetaType t) {
  switch (t.id()) {
  case QMetaType::Int:
  case QMetaType::UInt:
  case QMetaType::LongLong:
  case QMetaType::ULongLong:
  case QMetaType::Double:
  case QMetaType::Float:
  case QMetaType::Short:
  case QMetaType::UShort: return true;
  default: return false;
  }
}

QString TextoDe(const QVariant& v) {
  if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
    return QString::number(v.toDouble(), 'g', 15);
  return v.toString();
}

Texto MensajeDe(const QSqlError& e) {
  QString m = e.databaseText().trimmed();
  if (m.isEmpty()) m = e.text().trimmed();
  return DeQ(m);
}

} // namespace

BaseDatosQt::BaseDatosQt() {
  static std::atomic<int> contador{0};
  nombre_ = QStringLiteral("zt_sql_%1").arg(++contador);
}

BaseDatosQt::~BaseDatosQt() {
  if (QSqlDatabase::contains(nombre_)) {
    {
      QSqlDatabase db = QSqlDatabase::database(nombre_, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(nombre_);
  }
}

bool BaseDatosQt::Conecta(const DatosConexion& d, Texto& error) {
  const char* driver = d.motor == MotorSql::PostgreSQL ? "QPSQL"
                       : d.motor == MotorSql::ODBC     ? "QODBC"
                                                       : "QSQLITE";
  if (!QSqlDatabase::isDriverAvailable(driver)) {
    error = T("no está disponible el controlador ") + T(driver);
    return false;
  }
  QSqlDatabase db = QSqlDatabase::addDatabase(driver, nombre_);
  db.setDatabaseName(AQ(d.base));
  if (d.motor != MotorSql::SQLite) {
    if (!d.usuario.empty()) db.setUserName(AQ(d.usuario));
    if (!d.clave.empty()) db.setPassword(AQ(d.clave));
  }
  if (!d.host.empty()) db.setHostName(AQ(d.host));
  if (d.puerto > 0) db.setPort(d.puerto);
  if (d.motor == MotorSql::PostgreSQL) db.setConnectOptions("connect_timeout=5");
  if (!db.open()) {
    error = MensajeDe(db.lastError());
    return false;
  }
  return true;
}

ResultadoSql BaseDatosQt::Ejecuta(const Texto& sentencia, size_t limiteBytes) {
  ResultadoSql r;
  QSqlDatabase db = QSqlDatabase::database(nombre_, false);
  QSqlQuery q(db);
  q.setForwardOnly(true);
  q.setNumericalPrecisionPolicy(QSql::HighPrecision);
  if (!q.exec(AQ(sentencia))) {
    r.ok = false;
    r.error = MensajeDe(q.lastError());
    return r;
  }
  r.consulta = q.isSelect();
  if (!r.consulta) {
    r.afectadas = q.numRowsAffected();
    return r;
  }
  QSqlRecord rec = q.record();
  const int n = rec.count();
  std::vector<bool> numerica(n);
  for (int c = 0; c < n; ++c) {
    r.columnas.push_back(DeQ(rec.fieldName(c)));
    numerica[c] = EsNumerico(rec.field(c).metaType());
  }
  size_t bytes = 0;
  while (q.next()) {
    std::vector<ValorSql> fila(n);
    for (int c = 0; c < n; ++c) {
      QVariant v = q.value(c);
      if (v.isNull()) {
        fila[c].nulo = true;
        fila[c].numero = numerica[c];
        continue;
      }
      fila[c].numero = numerica[c] || EsNumerico(v.metaType());
      fila[c].texto = DeQ(TextoDe(v));
      bytes += fila[c].texto.size() + 1;
    }
    r.filas.push_back(std::move(fila));
    if (bytes > limiteBytes) {
      r.cortado = true;
      break;
    }
  }
  return r;
}

int EjecutaGuionSql(const std::string& guion, const std::string& conexion) {
  // The database drivers are plug-ins, found through the application object.
  std::optional<QCoreApplication> app;
  if (!QCoreApplication::instance()) {
    static int argc = 1;
    static char nombre[] = "ztsql";
    static char* argv[] = {nombre, nullptr};
    app.emplace(argc, argv);
  }
  std::string cx = conexion;
  if (cx.empty())
    if (const char* v = std::getenv(kVariableConexion)) cx = v;
  Texto errores;
  BaseDatosQt base;
  int r = EjecutaArchivoGuion(
      guion, T(cx), std::filesystem::current_path(), base, [](const Texto& l) { std::cout << U8(l) << '\n'; },
      errores);
  if (r != 0) std::cerr << U8(errores) << std::endl;
  return r;
}

std::optional<std::string> GuionSqlEnArgumentos(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.size() < 3 || a[0] != '/' || (a[1] != 'M' && a[1] != 'm') || a[2] != '=') continue;
    a = a.substr(3);
    if (a.size() >= 2 && a.front() == '"' && a.back() == '"') a = a.substr(1, a.size() - 2);
    if (EsGuionSql(a)) return a;
    return std::nullopt;
  }
  return std::nullopt;
}

} // namespace zt::preproc
