// The connection dialog "CONECTAR": host with its history, port, connect.
#pragma once
#include "base/Texto.h"
#include "platform/qt/DialogsQt.h"
#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace zt {

class FrmConnect : public QDialog {
public:
  // 'ConnectToHost' is the main window's; 'HistorialHosts' is read and updated by each connection.
  FrmConnect(std::vector<Texto>& HistorialHosts, std::function<void(const Texto&, int)> ConnectToHost,
             QWidget* padre = nullptr);

  QComboBox* cmbHost;
  QComboBox* cboPort;
  QPushButton* cmdConnect;
  QPushButton* cmdCancel;

  // The boxes this dialog shows (tests may answer them).
  Dialogs* dialogos = &dialogosQt_;

private:
  void Conectar();

  std::vector<Texto>& HistorialHosts_;
  std::function<void(const Texto&, int)> ConnectToHost_;
  DialogsQt dialogosQt_;
};

} // namespace zt
