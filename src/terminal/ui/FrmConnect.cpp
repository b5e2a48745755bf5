// The connection dialog.
#include "terminal/ui/FrmConnect.h"
#include "base/Error.h"
#include "platform/qt/ConvierteQt.h"
#include "terminal/AjustesTerminal.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zt {

namespace {

QComboBox* Lista(QWidget* padre, const char* nombre) {
  auto* c = new QComboBox(padre);
  c->setObjectName(nombre);
  c->setEditable(true);
  c->setInsertPolicy(QComboBox::NoInsert);
  c->setMinimumWidth(220);
  return c;
}

} // namespace

FrmConnect::FrmConnect(std::vector<Texto>& HistorialHosts,
                       std::function<void(const Texto&, int)> ConnectToHost, QWidget* padre)
    : QDialog(padre), HistorialHosts_(HistorialHosts), ConnectToHost_(std::move(ConnectToHost)) {
  setObjectName("frmConnect");
  setWindowTitle("CONECTAR");
  setModal(true);
  cmbHost = Lista(this, "cmbHost");
  for (const Texto& h : HistorialHosts_) cmbHost->addItem(AQString(h));
  if (cmbHost->count() > 0) cmbHost->setCurrentIndex(0);
  cboPort = Lista(this, "cboPort");
  cboPort->addItems({"TELNET", "FTP"});
  cboPort->setCurrentIndex(0);
  auto* lblHost = new QLabel("HOST", this);
  lblHost->setObjectName("lblHost");
  auto* lblPort = new QLabel("PORT", this);
  lblPort->setObjectName("lblPort");
  cmdConnect = new QPushButton("C&onectar", this);
  cmdConnect->setObjectName("cmdConnect");
  cmdConnect->setDefault(true);
  cmdCancel = new QPushButton("&Cancelar", this);
  cmdCancel->setObjectName("cmdCancel");

  auto* rejilla = new QGridLayout(this);
  rejilla->addWidget(lblHost, 0, 0);
  rejilla->addWidget(cmbHost, 0, 1);
  rejilla->addWidget(lblPort, 1, 0);
  rejilla->addWidget(cboPort, 1, 1);
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdConnect);
  botones->addWidget(cmdCancel);
  rejilla->addLayout(botones, 2, 0, 1, 2);
  connect(cmdConnect, &QPushButton::clicked, this, &FrmConnect::Conectar);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmConnect::Conectar() {
  const Texto host = DeQString(cmbHost->currentText());
  const Texto textoPuerto = DeQString(cboPort->currentText());
  // Port 0 could only end in the connect time-out half a minute later: say so now.
  const int puerto = PuertoDeTexto(textoPuerto);
  if (RecortaEspacios(host).empty() || puerto == 0) {
    dialogos->Mensaje(puerto == 0 ? U"Puerto no válido: '" + textoPuerto +
                                        U"'. Use TELNET, FTP o un número de 1 a 65535."
                                  : U"Escriba el host al que conectar.",
                      U"CONECTAR", Botones::Aceptar, Icono::Exclamacion);
    return;
  }
  try {
    if (ConnectToHost_) ConnectToHost_(host, puerto);
    RecuerdaHost(HistorialHosts_, host);
  } catch (const ErrorEjecucion& e) {
    dialogos->Mensaje(e.descripcion(), U"CONECTAR", Botones::Aceptar, Icono::Exclamacion);
    return;
  }
  QCoreApplication::processEvents();
  accept();
  if (QWidget* principal = parentWidget()) {
    principal->show();
    principal->activateWindow();
  }
}

} // namespace zt
