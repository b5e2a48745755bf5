// Macro statements and run control against a played program (fake socket side, manual clock).
#include "FakeEntornoMacro.h"
#include "base/ArchivoTexto.h"
#include "script/InterpProces.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zt;
using prueba::FakeEntornoMacro;
namespace fs = std::filesystem;

namespace {

// A run in a fresh current folder (error.log lands there), removed afterwards.
class Macro : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    carpeta_ = fs::temp_directory_path() / ("zt_macro_" + std::to_string(::getpid()) + "_" + info->name());
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
    anterior_ = fs::current_path();
    fs::current_path(carpeta_);
    entorno.control = &control;
  }
  void TearDown() override {
    fs::current_path(anterior_);
    fs::remove_all(carpeta_);
  }
  FinMacro Corre(const std::string& texto, bool mostrarError = false) {
    entorno.editor = T(texto);
    return control.EjecutaMacroEditor(mostrarError);
  }
  std::string Error() const { return U8(in.MensajeError); }
  std::string Var(const char* n) const { return U8(in.ValorVariable(T(n))); }
  std::string Lee(const fs::path& p) const { return LeeBytes(p).value_or("<ninguno>"); }

  CInterprete in;
  FakeEntornoMacro entorno;
  ControlMacro control{in, entorno};
  fs::path carpeta_, anterior_;
};

} // namespace

// Every message of the executor, and the ends without error, each as the run reports it.
TEST_F(Macro, MessagesOfTheFailureTable) {
  const std::string lejos = "timeout = 1\n";
  std::string profundo;
  for (int i = 0; i < ProfundidadMaximaIf + 5; ++i) profundo += "IF 1 THEN\n";
  struct Caso {
    std::string macro, error;
  } casos[] = {
      {"CAPTURE 'x'", "Se esperaba variable en sentencia CAPTURE"},
      {"FILEOPEN 'x' 'y'", "Se esperaba variable en sentencia FILEOPEN"},
      {"FILECLOSE 2", "Se esperaba variable en sentencia FILECLOSE"},
      {"FILEWRITE 'a' 'b'", "Se esperaba variable en sentencia FILEWRITE"},
      {"FILEWRITE nada 'x'", "No existe variable: NADA"},
      {"FileClose nada", "No existe variable: NADA"},
      {"IF 1 = 1\nENDIF", "Se esperaba 'THEN' en sentencia 'IF'"},
      {"IF 1 THEN\nx = 1", "Inesperado fin de archivo. Se esperaba fin de sentencia 'IF'"},
      {"IF 0 THEN\nELSE\nx = 1", "Inesperado fin de archivo. Se esperaba ENDIF de sentencia 'IF'"},
      {"IF 0 THEN\nELSE\nELSE\nENDIF", "Inesperado fin de archivo. Se esperaba ENDIF de sentencia 'IF'"},
      {"123", "Comando desconocido: ''"},
      {lejos + "WAIT 'x'", "Tiempo de espera excedido, para cadena 'x'"},
      {lejos + "SENDLN 'x'", "Tiempo de espera de conexión, excedido"},
      {"timeout = 'abc'\nWAIT 'x'", "No coinciden los tipos"},
      {"timeout = 3277\nx = 1", "Desbordamiento"},
      {"PAUSE 328", "Desbordamiento"},
      {"IF nadie THEN\nENDIF", "No coinciden los tipos"},
      {"LOGWRITE hola", "Número de archivo incorrecto"},
      {"FILEOPEN f, 'x.txt'", "Error de acceso a la ruta o el archivo"},
      {"FILEOPEN f 'no/existe/x.txt'", "No se ha encontrado la ruta de acceso"},
      {"FILEOPEN f 'a.txt'\nFILEOPEN g 'a.txt'", "El archivo ya está abierto"},
      {"f = 7\nFILEWRITE f 'x'", "Número de archivo incorrecto"},
      {"CONNECT host:99999", "Puerto no válido en sentencia CONNECT: '99999'"},
      {"EDIT 'x'", "El editor remoto no está disponible"},
      // The checks a statement makes itself hold in a skipped branch too.
      {"IF 0 THEN\n  CAPTURE 3\nENDIF", "Se esperaba variable en sentencia CAPTURE"},
      {profundo, "Demasiados niveles de sentencias 'IF' anidadas (máximo 256)"},
      // Ends without an error.
      {"// solo comentarios\n\n   \n// fin", ""},
      {"x = 1\nENDIF\nx = 2", ""},
      {"ELSE\nx = 2", ""},
      {"IF 1 THEN\n IF 1 THEN\n  STOP\n ENDIF\nENDIF\nSENDLN 'nunca'", ""},
      {"", ""},
  };
  entorno.fallaEdita = T("El editor remoto no está disponible");
  for (const auto& c : casos) {
    const FinMacro fin = Corre(c.macro);
    EXPECT_EQ(Error(), c.error) << c.macro;
    EXPECT_EQ(fin, c.error.empty() ? FinMacro::Correcta : FinMacro::Error) << c.macro;
    EXPECT_EQ(fs::exists("error.log"), !c.error.empty()) << c.macro;
    fs::remove("error.log");
  }
  EXPECT_EQ(entorno.enviado, "");    // the stray keywords and STOP ended their runs
  EXPECT_FALSE(fs::exists("x.txt")); // the failed FILEOPENs created nothing
  EXPECT_TRUE(entorno.dialogos.mensajes.empty());
}

// The error log: line, column and message with CR LF; shown with the warning icon when asked.
TEST_F(Macro, ErrorLogAndMessageBox) {
  EXPECT_EQ(Corre("x = 1\n\n\n\n  y = 2 WAIT 'z'", true), FinMacro::Error);
  // Column right after the failed WAIT's operand: where the run stopped.
  EXPECT_EQ(Lee("error.log"), "5\r\n17\r\nTiempo de espera excedido, para cadena 'z'\r\n");
  ASSERT_EQ(entorno.dialogos.mensajes.size(), 1u);
  EXPECT_EQ(entorno.dialogos.mensajes[0].icono, Icono::Exclamacion);
  // The box says where, as the log does.
  EXPECT_EQ(U8(entorno.dialogos.mensajes[0].texto),
            "Tiempo de espera excedido, para cadena 'z' (l\xc3\xadnea 5, columna 17)");
  EXPECT_EQ(entorno.estados.back(), "Ejecución Finalizada");

  // A later failing run replaces it; a good run leaves it as it was.
  Corre("123");
  EXPECT_EQ(Lee("error.log"), "1\r\n1\r\nComando desconocido: ''\r\n");
  Corre("x = 1");
  EXPECT_EQ(Lee("error.log"), "1\r\n1\r\nComando desconocido: ''\r\n");
}

TEST_F(Macro, StatementsDriveTheProgram) {
  entorno.respuesta = [](const std::string& l) { return l == "uname" ? "Linux\r\n" : ""; };
  const FinMacro fin = Corre("CONNECT 10.0.0.5:2323 ; CONNECT otro\n"
                             "SENDLN 'uname'; WAIT '$ '\n"
                             "LOGOPEN 'ses ion.log' LOGWRITE uno\n"
                             "LOGPAUSE LOGWRITE 'dos tres'\n"
                             "CAPTURE sal SENDLN 'uname' WAIT '$ ' ENDCAPTURE\n"
                             "LOGSTART\n"
                             "MESSAGEBOX 'hola ' | sal Aviso importante  \n"
                             "MESSAGEBOX 'sin titulo'\n"
                             "EDIT '/etc/hosts'\n"
                             "DISCONNECT\n"
                             "LOGCLOSE");
  EXPECT_EQ(fin, FinMacro::Correcta) << Error();
  EXPECT_EQ(entorno.llamadas, (std::vector<std::string>{"ini 0", "conecta 10.0.0.5:2323", "muestra",
                                                        "conecta otro:23", "muestra", "registro ses ion.log",
                                                        "edita /etc/hosts", "desconecta", "fin"}));
  EXPECT_EQ(entorno.enviado, "uname\runame\r");
  EXPECT_FALSE(entorno.registro.has_value());
  EXPECT_FALSE(entorno.pausado);
  EXPECT_EQ(Var("sal"), "uname\r\nLinux\r\n$ ");
  ASSERT_EQ(entorno.dialogos.mensajes.size(), 2u);
  EXPECT_EQ(U8(entorno.dialogos.mensajes[0].texto), "hola uname\r\nLinux\r\n$ ");
  EXPECT_EQ(U8(entorno.dialogos.mensajes[0].titulo), "Aviso importante");
  EXPECT_EQ(U8(entorno.dialogos.mensajes[1].titulo), "");
}

TEST_F(Macro, LogWriteGoesInPausedOrNot) {
  entorno.AbreRegistro(U"x");
  Corre("LOGWRITE uno LOGPAUSE LOGWRITE 'dos tres'");
  EXPECT_EQ(*entorno.registro, "uno\r\ndos tres\r\n");
  EXPECT_TRUE(entorno.pausado);
}

// A WAIT that matched clears the last line: the second WAIT needs the prompt to come again.
TEST_F(Macro, TwoWaitsForOnePrompt) {
  entorno.estado = 7;
  EXPECT_EQ(Corre("timeout = 2\nSENDLN 'ls'\nWAIT '$ '\nWAIT '$ '"), FinMacro::Error);
  EXPECT_EQ(Error(), "Tiempo de espera excedido, para cadena '$ '");
  EXPECT_EQ(in.fil, 4);

  // Only the whole last line matches.
  EXPECT_EQ(Corre("timeout = 1\nSENDLN 'ls'\nWAIT '$'"), FinMacro::Error);
  // A prompt that came before the WAIT started still counts.
  EXPECT_EQ(Corre("SENDLN 'ls'\nPAUSE 1\nWAIT '$ '"), FinMacro::Correcta) << Error();
}

// The chunk that carries the prompt ends the wait at once, even when more output follows it in
// the same event round.
TEST_F(Macro, WaitWakesOnTheChunkNotOnASlice) {
  entorno.estado = 7;
  entorno.bomba.pasoEspera = 1000; // one event round per second
  entorno.Entrega(500, "zt$ ", "zt$ ");
  entorno.Entrega(500, "\r\nmas", "mas");
  EXPECT_EQ(Corre("WAIT 'zt$ '"), FinMacro::Correcta) << Error();
  EXPECT_EQ(entorno.bomba.ahora, 1000);
}

// After a SENDLN, a chunk that leaves the old prompt line as it was (bash's switch of its paste
// mode) is not the answer; the prompt after the command's output is.
TEST_F(Macro, WaitAfterSendlnNeedsTheLineToMove) {
  entorno.estado = 7;
  entorno.prompt = "zt$ ";
  entorno.bomba.pasoEspera = 1;
  entorno.Entrega(0, "zt$ ", "zt$ ");
  entorno.Entrega(10, "\x1b[?2004l", "zt$ "); // before the echo (20 ms) and the prompt (30 ms)
  EXPECT_EQ(Corre("WAIT 'zt$ '\nSENDLN 'echo hola'\nWAIT 'zt$ '"), FinMacro::Correcta) << Error();
  EXPECT_EQ(entorno.bomba.ahora, 30);
}

TEST_F(Macro, SendlnWaitsForTheConnection) {
  entorno.msConexion = 300;
  entorno.bomba.pasoEspera = 10;
  EXPECT_EQ(Corre("CONNECT h\nSENDLN 'id'"), FinMacro::Correcta) << Error();
  EXPECT_EQ(entorno.enviado, "id\r");
  EXPECT_EQ(entorno.enviadoEn, 300); // the round the connection came up, not a 100 ms step later
}

TEST_F(Macro, PauseKeepsItsLength) {
  EXPECT_EQ(Corre("PAUSE 2\nPAUSE 0\nPAUSE -1"), FinMacro::Correcta) << Error();
  EXPECT_EQ(entorno.bomba.ahora, 2000);
}

TEST_F(Macro, SkippedBranchesReadButDoNothing) {
  entorno.estado = 7;
  EXPECT_EQ(Corre("x = 5\n"
                  "IF 1 THEN\n  y = 2\nELSE\n  IF 1 THEN END ENDIF\n"
                  "  SENDLN 'no' FILEOPEN f 'no.txt' STOP x = 7\n"
                  "ENDIF"),
            FinMacro::Correcta)
      << Error();
  EXPECT_EQ(Var("x"), "5");
  EXPECT_EQ(Var("y"), "2");
  EXPECT_EQ(Var("result"), ""); // the skipped assignment still wrote an empty result
  EXPECT_EQ(entorno.enviado, "");
  EXPECT_FALSE(fs::exists("no.txt"));
  EXPECT_TRUE(in.Ejec);

  // "=" compares in a condition and assigns as a statement.
  EXPECT_EQ(Corre("x = 1\nIF x = 1 THEN y = 'si' ELSE y = 'no' ENDIF"), FinMacro::Correcta) << Error();
  EXPECT_EQ(Var("y"), "si");
}

// Whatever ended the run, its capture stops and its files are closed with what was written.
TEST_F(Macro, RunEndClosesFilesAndCapture) {
  for (const char* final : {"", "STOP", "123"}) {
    Corre(std::string("FILEOPEN f 'a.txt' FILEWRITE f 'línea 1' FILEWRITE f ''\n"
                      "FILEOPEN g 'b.txt' FILEWRITE g f FILECLOSE g\n"
                      "CAPTURE c\n") +
          final);
    EXPECT_EQ(Lee("a.txt"), "línea 1\r\n\r\n") << final;
    EXPECT_EQ(Lee("b.txt"), "1\r\n") << final;
    EXPECT_FALSE(control.Capturando()) << final;
    const Texto nada = U"x";
    control.DatosRecibidos(U"tarde", &nada);
    EXPECT_EQ(Var("c"), "") << final;
  }
}

// A host that floods a capture: the run ends with the platform's text-space error, no more grows.
TEST_F(Macro, CaptureIsBounded) {
  in.limiteTexto = 100;
  entorno.estado = 7;
  entorno.Entrega(100, std::string(60, 'a'), "");
  entorno.Entrega(200, std::string(60, 'b'), "");
  EXPECT_EQ(Corre("CAPTURE c\nWAIT 'nunca'\nSENDLN 'no'"), FinMacro::Error);
  EXPECT_EQ(Error(), "Espacio insuficiente para cadenas");
  EXPECT_EQ(Var("c"), std::string(60, 'a'));
  EXPECT_EQ(entorno.bomba.ahora, 200);
  EXPECT_EQ(entorno.enviado, "");
}

TEST_F(Macro, EndClosesTheLogDisconnectsAndEndsTheProgram) {
  entorno.estado = 7;
  entorno.AbreRegistro(U"r.log");
  EXPECT_EQ(Corre("IF 1 THEN\n END\nENDIF\nSENDLN 'nunca'"), FinMacro::Fin);
  EXPECT_FALSE(entorno.registro.has_value());
  EXPECT_EQ(entorno.estado, 0);
  EXPECT_EQ(entorno.llamadas.back(), "termina");
  EXPECT_EQ(entorno.enviado, "");
}

// A stop during a WAIT: the wait runs to its end, then the run stops before the next statement.
TEST_F(Macro, StopDuringWait) {
  entorno.estado = 7;
  entorno.Entrega(800, "$ ", "$ ");
  entorno.alProcesar = [&] {
    if (entorno.bomba.ahora == 200) control.Detener();
  };
  EXPECT_EQ(Corre("WAIT '$ '\nSENDLN 'no'"), FinMacro::Detenida);
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(entorno.bomba.ahora, 800);
  EXPECT_EQ(entorno.enviado, "");
  EXPECT_EQ(entorno.estados.back(), "Macro detenida");

  // Closing the program does not wait for the host.
  entorno.alProcesar = [&] {
    if (entorno.bomba.ahora == 300) control.Abandonar();
  };
  entorno.bomba.ahora = 0;
  EXPECT_EQ(Corre("WAIT 'nunca'\nSENDLN 'no'"), FinMacro::Detenida);
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(entorno.bomba.ahora, 300);
}

TEST_F(Macro, OneRunAtATimeAndTheRunningState) {
  FinMacro segunda = FinMacro::Correcta;
  int tics = 0;
  entorno.alProcesar = [&] {
    if (entorno.bomba.ahora == 100) segunda = control.EjecutaMacroEditor(true);
    if (entorno.bomba.ahora > 0 && entorno.bomba.ahora % 500 == 0) {
      control.Tic();
      ++tics;
    }
  };
  EXPECT_EQ(Corre("PAUSE 1"), FinMacro::Correcta);
  EXPECT_EQ(segunda, FinMacro::Ocupado);
  EXPECT_FALSE(control.MacroEnEjecucion());
  EXPECT_EQ(entorno.estados, (std::vector<std::string>{"Ya hay una macro en ejecución", "Ejecutando Macro",
                                                       "Ejecutando Macro", "Ejecución Finalizada"}));
  EXPECT_EQ(tics, 2);
  control.Tic(); // idle: nothing blinks
  EXPECT_EQ(entorno.estados.size(), 4u);
}

TEST_F(Macro, RunFromAFile) {
  control.ArchivoMacro = T((carpeta_ / "no está.zkv").string());
  EXPECT_EQ(control.EjecutaMacroArchivo(true, true), FinMacro::NoEncontrada);
  EXPECT_EQ(Error(), "No se Encuentra archivo de comando: " + (carpeta_ / "no está.zkv").string());
  EXPECT_EQ(entorno.dialogos.mensajes.size(), 1u);
  EXPECT_TRUE(entorno.llamadas.empty()); // nothing ran
  EXPECT_FALSE(fs::exists("error.log"));

  EscribeBytes("m.zkv", "FILEOPEN f 'o.txt'\nFILEWRITE f 'hecho'\r\nFILECLOSE f\rSTOP\n");
  control.ArchivoMacro = U"m.zkv";
  EXPECT_EQ(control.EjecutaMacroArchivo(false, true), FinMacro::Correcta) << Error();
  EXPECT_EQ(Lee("o.txt"), "hecho\r\n");
  EXPECT_EQ(entorno.llamadas.front(), "ini 1");
}

TEST_F(Macro, MacrosMenu) {
  struct {
    bool enEjecucion, panel;
    bool ejecutar, detener, guardar;
  } casos[] = {{false, true, true, false, true},
               {true, true, false, true, true},
               {false, false, false, false, false},
               {true, false, false, false, false}};
  for (const auto& c : casos) {
    const EstadoMenuMacro e = EstadoMenuMacros(c.enEjecucion, c.panel);
    EXPECT_EQ(e.ejecutar, c.ejecutar);
    EXPECT_EQ(e.grabar, c.ejecutar);
    EXPECT_EQ(e.detener, c.detener);
    EXPECT_EQ(e.pausar, c.detener);
    EXPECT_EQ(e.guardar && e.guardarComo && e.barraHoriz && e.barraVert, c.guardar);
  }

  EscribeBytes("b.zkv", "STOP");

  // The open box: cancelled runs nothing; a choice runs that file with the macro bar.
  EXPECT_EQ(control.EjecutaArchivoElegido(carpeta_), std::nullopt);
  ASSERT_EQ(entorno.dialogos.archivos.size(), 1u);
  EXPECT_EQ(U8(entorno.dialogos.archivos[0].titulo), "Abrir Macro");
  EXPECT_EQ(U8(entorno.dialogos.archivos[0].carpetaOInicial), carpeta_.string());
  entorno.dialogos.respuestasArchivo.push_back(T((carpeta_ / "b.zkv").string()));
  EXPECT_EQ(control.EjecutaArchivoElegido(carpeta_), FinMacro::Correcta);
  EXPECT_EQ(entorno.llamadas, (std::vector<std::string>{"ini 1", "fin"}));

  // A listed file deleted since the list was made.
  EXPECT_EQ(control.EjecutaMacroListada(carpeta_, U"ya no.zkv"), FinMacro::NoEncontrada);
  EXPECT_EQ(U8(entorno.dialogos.UltimoMensaje()),
            "No se Encuentra archivo de comando: " + (carpeta_ / "ya no.zkv").string());
}
