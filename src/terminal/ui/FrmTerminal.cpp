// The terminal dialog.
#include "terminal/ui/FrmTerminal.h"
#include "platform/qt/ConvierteQt.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zt {

namespace {

template <class W> W* Control(W* w, const char* nombre) {
  w->setObjectName(nombre);
  return w;
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const char* texto) {
  return Control(new QLabel(QString::fromUtf8(texto), padre), nombre);
}

} // namespace

FrmTerminal::FrmTerminal(std::function<ValoresTerminal()> Lee,
                         std::function<void(const ValoresTerminal&)> Guarda, QWidget* padre)
    : DialogoRecargable(padre), Lee_(std::move(Lee)), Guarda_(std::move(Guarda)) {
  setObjectName("frmTerminal");
  setWindowTitle("Terminal");
  setModal(false);
  txtNlin = Control(new QLineEdit(this), "txtNlin");
  cmbTipTer = Control(new QComboBox(this), "cmbTipTer");
  cmbTipTer->addItem("VT100");
  cmbTamTer = Control(new QComboBox(this), "cmbTamTer");
  cmbTamTer->addItem("90*35");
  auto* Frame2 = Control(new QGroupBox("Teclas Direccionales", this), "Frame2");
  optNormal = Control(new QRadioButton("Envio directo a Terminal", Frame2), "optNormal");
  optInterc = Control(new QRadioButton("Intreceptados por el editor", Frame2), "optInterc");
  auto* opciones = new QVBoxLayout(Frame2);
  opciones->addWidget(optNormal);
  opciones->addWidget(optInterc);
  chkActDetPrm = Control(new QCheckBox("Reconocimiento de Prompt", this), "chkActDetPrm");
  const QString ayuda = "Puede usar comodines como * o ?";
  Label7 = Etiqueta(this, "Label7", "Cadena Inicial:");
  txtPatIni = Control(new QLineEdit(this), "txtPatIni");
  txtPatIni->setToolTip(ayuda);
  Label3 = Etiqueta(this, "Label3", "Cadena Final:");
  txtPatFin = Control(new QLineEdit(this), "txtPatFin");
  txtPatFin->setToolTip(ayuda);
  cmdAceptar = Control(new QPushButton("&Aceptar", this), "cmdAceptar");
  cmdAceptar->setDefault(true);
  cmdCancelar = Control(new QPushButton("&Cancelar", this), "cmdCancelar");

  auto* formulario = new QFormLayout;
  formulario->addRow(Etiqueta(this, "Label1", "Líneas guardadas:"), txtNlin);
  formulario->addRow(Etiqueta(this, "Label2", "Tipo de terminal:"), cmbTipTer);
  formulario->addRow(Etiqueta(this, "Label4", "Tamaño de terminal:"), cmbTamTer);
  formulario->addRow(Frame2);
  formulario->addRow(chkActDetPrm);
  formulario->addRow(Label7, txtPatIni);
  formulario->addRow(Label3, txtPatFin);
  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(cmdAceptar);
  botones->addWidget(cmdCancelar);
  auto* todo = new QVBoxLayout(this);
  todo->addLayout(formulario);
  todo->addLayout(botones);

  connect(chkActDetPrm, &QCheckBox::clicked, this, &FrmTerminal::HabilitaPatrones);
  connect(cmdAceptar, &QPushButton::clicked, this, &FrmTerminal::Aceptar);
  connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmTerminal::Carga() {
  const ValoresTerminal v = Lee_ ? Lee_() : ValoresTerminal{};
  txtNlin->setText(QString::number(v.MaxLineasTerm));
  optNormal->setChecked(v.TeclasInterceptadas == 0);
  optInterc->setChecked(v.TeclasInterceptadas == 1);
  chkActDetPrm->setChecked(v.DetPromptActiva);
  txtPatIni->setText(AQString(v.PatIniPrompt));
  txtPatFin->setText(AQString(v.PatFinPrompt));
  HabilitaPatrones();
}

void FrmTerminal::HabilitaPatrones() {
  const bool si = chkActDetPrm->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(Label7), static_cast<QWidget*>(txtPatIni),
                     static_cast<QWidget*>(Label3), static_cast<QWidget*>(txtPatFin)})
    w->setEnabled(si);
}

void FrmTerminal::Aceptar() {
  const auto lineas = LeeLineasTerm(DeQString(txtNlin->text()));
  if (!lineas) {
    dialogos->Mensaje(U"Valor de Número de Líneas no permitido", U"Terminal");
    txtNlin->setFocus();
    return;
  }
  ValoresTerminal v = Lee_ ? Lee_() : ValoresTerminal{};
  v.MaxLineasTerm = *lineas;
  if (optNormal->isChecked()) v.TeclasInterceptadas = 0;
  if (optInterc->isChecked()) v.TeclasInterceptadas = 1;
  v.DetPromptActiva = chkActDetPrm->isChecked();
  v.PatIniPrompt = DeQString(txtPatIni->text());
  v.PatFinPrompt = DeQString(txtPatFin->text());
  if (Guarda_) Guarda_(v);
  accept();
}

} // namespace zt
