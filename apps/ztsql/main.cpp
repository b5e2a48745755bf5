// ztsql [usuario/clave@BaseDeDatos] [@]script: runs a query script. Without a connection on the
// command line, the one in QUILLON_CONEXION is used (what Quillon hands the programs it starts),
// else the SQLite file quillon.db of the current folder.
#include "preproc/ui/sql/BaseDatosQt.h"
#include <QCoreApplication>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  std::string conexion, guion;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.starts_with("/M=") || a.starts_with("/m=")) a = a.substr(3); // as the launch program is called
    if (a.starts_with("@"))
      a = a.substr(1);
    else if (guion.empty() && i + 1 < argc && std::strchr(argv[i], '@')) {
      conexion = a;
      continue;
    }
    guion = a;
  }
  if (guion.empty()) {
    std::cerr << "Uso: ztsql [usuario/clave@BaseDeDatos] [@]guion.sql" << std::endl;
    return 2;
  }
  return zt::preproc::EjecutaGuionSql(guion, conexion);
}
