// The connection dialog.
#include "terminal/ui/FrmConnect.h"
#include "base/Error.h"
#include "platform/DestinoSsh.h"
#include "platform/qt/ConvierteQt.h"
#include "terminal/AjustesTerminal.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
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
                       std::function<bool(const Texto&, int)> ConnectToHost, QWidget* padre)
    : QDialog(padre), HistorialHosts_(HistorialHosts), ConnectToHost_(std::move(ConnectToHost)) {
  setObjectName("frmConnect");
  setWindowTitle("CONECTAR");
  setModal(true);
  cboProto = new QComboBox(this);
  cboProto->setObjectName("cboProto");
  cboProto->addItems({"TELNET", "SSH"});
  cmbHost = Lista(this, "cmbHost");
  txtUser = new QLineEdit(this);
  txtUser->setObjectName("txtUser");
  cboPort = Lista(this, "cboPort");
  cboPort->addItems({"TELNET", "FTP"});
  cboPort->setCurrentIndex(0);
  for (const Texto& h : HistorialHosts_) cmbHost->addItem(AQString(h));
  auto* lblProto = new QLabel("PROTOCOLO", this);
  auto* lblUser = new QLabel("USUARIO", this);
  auto* lblHost = new QLabel("HOST", this);
  lblHost->setObjectName("lblHost");
  auto* lblPort = new QLabel("PORT", this);
  lblPort->setObjectName("lblPort");
  cmdConnect = new QPushButton("C&onectar", this);
  cmdConnect->setObjectName("cmdConnect");
  cmdConnect->setDefault(true);
  cmdCancel = new QPushButton("&Cancelar", this);
  cmdCancel->setObjectName("cmdCancel");
  CambiaProtocolo();
  if (cmbHost->count() > 0) {
    cmbHost->setCurrentIndex(0);
    TomaDelHistorial(cmbHost->currentText());
  }

  auto* rejilla = new QGridLayout(this);
  rejilla->addWidget(lblProto, 0, 0);
  rejilla->addWidget(cboProto, 0, 1);
  rejilla->addWidget(lblHost, 1, 0);
  rejilla->addWidget(cmbHost, 1, 1);
  rejilla->addWidget(lblUser, 2, 0);
  rejilla->addWidget(txtUser, 2, 1);
  rejilla->addWidget(lblPort, 3, 0);
  rejilla->addWidget(cboPort, 3, 1);
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdConnect);
  botones->addWidget(cmdCancel);
  rejilla->addLayout(botones, 4, 0, 1, 2);
  connect(cboProto, &QComboBox::currentIndexChanged, this, &FrmConnect::CambiaProtocolo);
  connect(cmbHost, &QComboBox::textActivated, this, &FrmConnect::TomaDelHistorial);
  connect(cmdConnect, &QPushButton::clicked, this, &FrmConnect::Conectar);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// SSH's port is 22 unless the user chose another; the user box only means something there.
void FrmConnect::CambiaProtocolo() {
  const bool ssh = cboProto->currentIndex() == 1;
  txtUser->setEnabled(ssh);
  const int puerto = PuertoDeTexto(DeQString(cboPort->currentText()));
  if (ssh && (puerto == 23 || puerto == 0)) cboPort->setEditText("22");
  if (!ssh && puerto == 22) cboPort->setEditText("TELNET");
}

// An SSH entry of the history fills in protocol, user, host and port.
void FrmConnect::TomaDelHistorial(const QString& entrada) {
  const std::string texto = entrada.toStdString();
  if (!EsDireccionSsh(texto)) {
    if (cboProto->currentIndex() == 0) return;
    cboProto->setCurrentIndex(0);
    cboPort->setEditText("TELNET");
    return;
  }
  const DestinoSsh d = LeeDestinoSsh(texto);
  if (!d.error.empty()) return;
  cboProto->setCurrentIndex(1);
  cmbHost->setEditText(QString::fromStdString(d.host));
  txtUser->setText(QString::fromStdString(d.usuario));
  cboPort->setEditText(QString::number(d.puerto));
}

void FrmConnect::Conectar() {
  Texto host = DeQString(cmbHost->currentText());
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
  if (cboProto->currentIndex() == 1 && !EsDireccionSsh(U8(host))) {
    DestinoSsh d;
    d.usuario = U8(RecortaEspacios(DeQString(txtUser->text())));
    d.host = U8(RecortaEspacios(host));
    d.puerto = uint16_t(puerto);
    d.puertoDado = puerto != 22;
    host = T(DireccionSsh(d));
  }
  try {
    if (ConnectToHost_ && !ConnectToHost_(host, puerto)) return;
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
