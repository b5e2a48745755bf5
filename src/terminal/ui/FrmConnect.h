// The connection dialog "CONECTAR": protocol (Telnet or SSH), host with its history, user for
// SSH, port, connect. An SSH host goes to the history as its address "ssh://user@host[:port]".
#pragma once
#include "base/Texto.h"
#include "platform/qt/DialogsQt.h"
#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zt {

class FrmConnect : public QDialog {
public:
  // 'ConnectToHost' is the main window's: false when it did not connect (the user kept a live
  // session), and the dialog stays open. 'HistorialHosts' is read and updated by each connection.
  FrmConnect(std::vector<Texto>& HistorialHosts, std::function<bool(const Texto&, int)> ConnectToHost,
             QWidget* padre = nullptr);

  QComboBox* cboProto;
  QComboBox* cmbHost;
  QLineEdit* txtUser;
  QComboBox* cboPort;
  QPushButton* cmdConnect;
  QPushButton* cmdCancel;

  // The boxes this dialog shows (tests may answer them).
  Dialogs* dialogos = &dialogosQt_;

private:
  void Conectar();
  void CambiaProtocolo();
  void TomaDelHistorial(const QString& entrada);

  std::vector<Texto>& HistorialHosts_;
  std::function<bool(const Texto&, int)> ConnectToHost_;
  DialogsQt dialogosQt_;
};

} // namespace zt
