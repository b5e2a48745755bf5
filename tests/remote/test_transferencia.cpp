// Fetch, store and list against a host played by the test: marks, exit statuses, checksums,
// time-outs and lost connections.
#include "FakeCanal.h"
#include "remote/TransferenciaRemota.h"
#include <gtest/gtest.h>

using namespace zt;

namespace {

std::string CRLF(const std::string& s) {
  std::string r;
  for (char c : s) r += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return r;
}

// The token that follows "<tipo> " in a typed command.
std::string Marca(const std::string& comando, const std::string& tipo) {
  const auto p = comando.find(tipo + " ");
  return p == std::string::npos ? "" : comando.substr(p + tipo.size() + 1, 2);
}

// Far more than the received bytes ever hold at once while a fetch reads them.
std::string Grande() {
  std::string r;
  for (int i = 0; r.size() < 300000; ++i) r += "linea " + std::to_string(i) + (i % 7 ? "\n" : "\t\xc3\xb1\n");
  return r + "sin salto";
}

struct Prueba : ::testing::Test {
  FakeCanal canal;
  TransferenciaRemota tr{canal};
  int nMarca = 0;
  void SetUp() override {
    tr.GeneraMarca = [this] { return "m" + std::to_string(++nMarca % 10); };
  }
  // A host whose cat prints 'salida' and ends with 'estado'; the checksum is that of 'archivo'.
  void HostLectura(std::string salida, int estado, std::string archivo) {
    canal.host = [=](const std::string& c) {
      const std::string m = Marca(c, "ZTB");
      return CRLF(c) + "\r\nZTB" + m + "\r\n" + CRLF(salida) + "ZTE" + m + " " + std::to_string(estado) +
             " " + std::to_string(Cksum(archivo)) + " " + std::to_string(archivo.size()) + "\r\nZTF" + m +
             "\r\nzt$ ";
    };
  }
};

} // namespace

TEST_F(Prueba, LecturaDevuelveElArchivoTalCual) {
  const std::string casos[] = {"",
                               "a\n",
                               "sin salto final",
                               "zt$ \n# comentario\nzt$ ls\n",
                               "a\r\nb\r\n",
                               "\t\xff\xfe canción\n\n",
                               "ZTEm1 0 1 2\n",
                               Grande()};
  for (std::size_t trozo : {1, 7, 4096})
    for (const std::string& archivo : casos) {
      canal.trozo = trozo;
      HostLectura(archivo, 0, archivo);
      const auto l = tr.Lee(U"f");
      ASSERT_EQ(l.error, U"") << archivo;
      EXPECT_EQ(BytesDeTexto(l.texto, Codificacion::Utf8), archivo) << trozo;
      EXPECT_EQ(l.texto.saltoFinal, !archivo.empty() && archivo.back() == '\n');
      EXPECT_FALSE(canal.HayReceptor());
    }
  EXPECT_EQ(TextoDeBytes("a\r\nb", Codificacion::Utf8).lineas, (std::vector<Texto>{U"a\r", U"b"}));
  EXPECT_TRUE(TextoDeBytes("", Codificacion::Utf8).lineas.empty());
  // The command cats the quoted name and prints its marks in a form its own echo never shows.
  const std::string& c = canal.enviados.back();
  EXPECT_NE(c.find("\\cat 'f';"), std::string::npos) << c;
  EXPECT_EQ(c.find("ZTBm"), std::string::npos) << c;
  EXPECT_EQ(c.back(), '\r');
}

TEST_F(Prueba, CatFallidoEsUnErrorNuncaElTexto) {
  HostLectura("cat: nada: No such file or directory\n", 1, "");
  const auto l = tr.Lee(U"nada");
  EXPECT_EQ(l.error, U"No se pudo leer nada: cat: nada: No such file or directory");
  EXPECT_TRUE(l.texto.lineas.empty());
}

// The terminal drops a NUL: the checksum tells, and the file is read again as octal numbers.
TEST_F(Prueba, ChecksumDistintoLeeDeNuevoEnOctal) {
  const std::string archivo("a\0b\n", 4);
  canal.host = [&](const std::string& c) {
    const bool octal = c.find("\\od -A n -t o1 -v 'f'") != std::string::npos;
    const std::string m = Marca(c, "ZTB");
    const std::string cuerpo = octal ? " 141 000 142\n 012\n" : "ab\n";
    return "ZTB" + m + "\r\n" + CRLF(cuerpo) + "ZTE" + m + " 0 " + std::to_string(Cksum(archivo)) +
           " 4\r\nZTF" + m + "\r\n";
  };
  const auto l = tr.Lee(U"f");
  ASSERT_EQ(l.error, U"");
  EXPECT_EQ(BytesDeTexto(l.texto, Codificacion::Utf8), archivo);
  EXPECT_EQ(canal.enviados.size(), 2u);
  // A file that keeps changing is an error after the second try.
  canal.host = [&](const std::string& c) {
    const std::string m = Marca(c, "ZTB");
    return "ZTB" + m + "\r\n 170 171\r\nZTE" + m + " 0 1 1\r\nZTF" + m + "\r\n";
  };
  EXPECT_EQ(tr.Lee(U"f").error, U"No se pudo leer f: el archivo cambió mientras se leía.");
}

TEST_F(Prueba, TiempoConexionPerdidaYRespuestaExcesiva) {
  EXPECT_EQ(tr.Lee(U"f").error, U"Tiempo de espera agotado"); // a host that never answers
  EXPECT_FALSE(canal.HayReceptor());

  HostLectura(std::string(1000, 'x'), 0, std::string(1000, 'x'));
  canal.alEsperar = [&] {
    if (canal.esperas == 5) canal.conectado = false;
  };
  EXPECT_EQ(tr.Lee(U"f").error, U"Se perdió la conexión con el host.");
  canal.alEsperar = nullptr;
  canal.conectado = true;

  tr.maxRecibido = 500;
  EXPECT_EQ(tr.Lee(U"f").error, U"La respuesta del host es demasiado grande para el editor remoto.");
  EXPECT_EQ(canal.enviados.back(), "\x03");

  canal.conectado = false;
  canal.enviados.clear();
  EXPECT_EQ(tr.Lee(U"f").error, msg_remoto::kSinConexion);
  EXPECT_EQ(tr.Guarda(U"f", {}), msg_remoto::kSinConexion);
  canal.conectado = true;
  EXPECT_FALSE(tr.Lee(U"a\nb").error.empty());
  EXPECT_TRUE(canal.enviados.empty());
}

TEST_F(Prueba, UnaOperacionALaVez) {
  HostLectura("x\n", 0, "x\n");
  Texto segunda;
  canal.alEsperar = [&] {
    if (segunda.empty()) segunda = tr.Guarda(U"g", {{U"y"}, true}) + U"|" + tr.Lista().error;
  };
  EXPECT_EQ(tr.Lee(U"f").error, U"");
  EXPECT_EQ(segunda, U"Ya hay una operación remota en curso.|Ya hay una operación remota en curso.");
  EXPECT_FALSE(tr.Ocupado());
}

TEST_F(Prueba, GuardarCuentaSoloConLaConfirmacionDelHost) {
  const TextoRemoto texto{{U"uno", U"dos 'x' $y"}, true};
  const std::string bytes = "uno\ndos 'x' $y\n";
  bool abre = true, responde = true;
  std::string estado = "0", crc = std::to_string(Cksum(bytes)), mensaje, m;
  // The reader announces itself unless the file cannot be written; the data then ends the command.
  canal.host = [&](const std::string& c) {
    if (c.rfind(": ", 0) != 0) m = Marca(c, "ZTS");
    const std::string fin = mensaje + "ZTS" + m + " " + estado + " " + crc + " " +
                            std::to_string(bytes.size()) + "\r\nZTF" + m + "\r\nzt$ ";
    if (c.rfind(": ", 0) == 0) return responde ? fin : "";
    return CRLF(c) + "\r\n" + (abre ? "ZTL" + m + "\r\n" : fin);
  };
  EXPECT_EQ(tr.Guarda(U"f", texto), U"");
  ASSERT_EQ(canal.enviados.size(), 2u);
  // The host is told the text's checksum and length, to check its copy before the target is touched.
  const Escritura e = ComandoEscritura(bytes, "'f'", m);
  EXPECT_EQ(canal.enviados[0].rfind(e.orden + "; ", 0), 0u) << canal.enviados[0];
  EXPECT_NE(e.orden.find(crc + " " + std::to_string(bytes.size())), std::string::npos);
  EXPECT_EQ(canal.enviados[1], e.datos);

  const struct {
    const char* estado;
    const char* mensaje;
    Texto error;
  } fallos[] = {
      {"1", "\x1b[?2004lsh: 1: cannot create /tmp/x: No space left on device\r\n",
       U"No se pudo guardar f: sh: 1: cannot create /tmp/x: No space left on device"},
      {"65", "", U"No se pudo guardar f: el texto no llegó entero al host; el archivo no se modificó."},
      {"2", "", U"No se pudo guardar f: el host respondió con el estado 2"},
  };
  for (const auto& f : fallos) {
    estado = f.estado;
    mensaje = f.mensaje;
    EXPECT_EQ(tr.Guarda(U"f", texto), f.error);
  }
  estado = "0";
  mensaje = "";
  crc = "12";
  EXPECT_EQ(tr.Guarda(U"f", texto),
            U"No se pudo guardar f: el archivo del host no coincide con el texto enviado.");

  // A host gone silent while it takes the data: the reader is stopped, so it takes nothing typed later.
  responde = false;
  EXPECT_EQ(tr.Guarda(U"f", texto), U"Tiempo de espera agotado");
  EXPECT_EQ(canal.enviados.back(), "\x03");
  responde = true;

  // A file the shell cannot write: the reader never starts and the text is never sent.
  abre = false;
  estado = "1";
  mensaje = "sh: 1: cannot create f: Permission denied\r\n";
  canal.enviados.clear();
  EXPECT_EQ(tr.Guarda(U"f", texto), U"No se pudo guardar f: sh: 1: cannot create f: Permission denied");
  EXPECT_EQ(canal.enviados.size(), 1u);
}

TEST_F(Prueba, ListadoSinAvisoDeCorreo) {
  std::string cuerpo;
  canal.host = [&](const std::string& c) {
    const std::string m = Marca(c, "ZTB");
    std::string b = cuerpo;
    if (const auto p = b.find("<X>"); p != std::string::npos) b.replace(p, 3, "ZTX" + m);
    return CRLF(c) + "\r\nZTB" + m + "\r\n" + CRLF(b) + "ZTF" + m + "\r\nzt$ ";
  };
  cuerpo = "you have mail\nb.txt\na b\n-x\nYou have mail.\nmail\n";
  const auto l = tr.Lista();
  EXPECT_EQ(l.error, U"");
  EXPECT_EQ(l.entradas, (std::vector<Texto>{U"b.txt", U"a b", U"-x", U"mail"}));
  cuerpo = "";
  EXPECT_TRUE(tr.Lista().entradas.empty());
  cuerpo = "ls: cannot open directory '.': Permission denied\n<X>\n";
  EXPECT_EQ(tr.Lista().error,
            U"No se pudo listar la carpeta: ls: cannot open directory '.': Permission denied");
}
