#include "platform/qt/SocketSsh.h"
#include "platform/DestinoSsh.h"
#include <QHostAddress>
#include <QHostInfo>
#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <libssh/libssh.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace zt {

struct SocketSsh::Sesion {
  int fd = -1;
  ssh_session sesion = nullptr;
  ssh_channel canal = nullptr;
  std::vector<QHostAddress> direcciones;
  std::size_t siguiente = 0;
  std::string ultimoError;
  ~Sesion() {
    if (canal) {
      ssh_channel_close(canal);
      ssh_channel_free(canal);
    }
    if (sesion) {
      ssh_disconnect(sesion);
      ssh_free(sesion);
    }
    if (fd >= 0) close(fd); // a socket handed to libssh stays ours to close
  }
};

namespace {

std::string UsuarioLocal() {
  if (const passwd* pw = getpwuid(getuid())) return pw->pw_name;
  const char* u = std::getenv("USER");
  return u ? u : "";
}

std::string CarpetaSshPorDefecto() {
  const char* home = std::getenv("HOME");
  if (home && *home) return std::string(home) + "/.ssh";
  if (const passwd* pw = getpwuid(getuid())) return std::string(pw->pw_dir) + "/.ssh";
  return ".ssh";
}

std::string Huella(ssh_session sesion) {
  ssh_key clave = nullptr;
  if (ssh_get_server_publickey(sesion, &clave) != SSH_OK) return "?";
  unsigned char* hash = nullptr;
  size_t largo = 0;
  std::string huella = "?";
  if (ssh_get_publickey_hash(clave, SSH_PUBLICKEY_HASH_SHA256, &hash, &largo) == 0) {
    if (char* texto = ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash, largo)) {
      huella = texto;
      ssh_string_free_char(texto);
    }
    ssh_clean_pubkey_hash(&hash);
  }
  ssh_key_free(clave);
  return huella;
}

} // namespace

SocketSsh::SocketSsh(QObject* padre) : QObject(padre), vigia_(new QTimer(this)) {
  vigia_->setInterval(5);
  connect(vigia_, &QTimer::timeout, this, [this] {
    Drena();
    if (--vueltasVigia_ <= 0) vigia_->stop();
  });
}

SocketSsh::~SocketSsh() { Libera(); }

void SocketSsh::Libera() {
  vigia_->stop();
  notificador_.reset();
  s_.reset();
  estado_ = Cerrado;
}

// Notices are posted, never given inside the call that caused them, as a plain socket's are.
void SocketSsh::Avisa(std::function<void(SocketListener&)> aviso) {
  const unsigned gen = generacion_;
  QMetaObject::invokeMethod(
      this,
      [this, gen, aviso = std::move(aviso)] {
        if (gen == generacion_ && listener_) aviso(*listener_);
      },
      Qt::QueuedConnection);
}

void SocketSsh::Falla(const std::string& motivo) {
  Libera();
  Avisa([motivo](SocketListener& l) { l.Cerrado(motivo); });
}

void SocketSsh::Conectar(const std::string& host, uint16_t puerto) {
  Libera();
  ++generacion_;
  recibido_.clear();
  const DestinoSsh d = LeeDestinoSsh(host);
  if (!d.error.empty()) return Falla("Dirección SSH no válida: " + d.error);
  usuario_ = d.usuario.empty() ? UsuarioLocal() : d.usuario;
  host_ = d.host;
  // The address's own port wins; else the one asked for, unless it is Telnet's.
  puerto_ = d.puertoDado || puerto == 23 || puerto == 0 ? d.puerto : puerto;
  if (NombreReservadoInvalido(host_)) return Falla("No se encuentra el host " + host_);
  estado_ = Conectando;
  s_ = std::make_unique<Sesion>();
  const unsigned gen = generacion_;
  QHostInfo::lookupHost(QString::fromStdString(host_), this, [this, gen](const QHostInfo& info) {
    if (gen != generacion_ || !s_) return;
    const QList<QHostAddress> direcciones = info.addresses();
    if (info.error() != QHostInfo::NoError || direcciones.isEmpty())
      return Falla("No se encuentra el host " + host_ + ": " + info.errorString().toStdString());
    s_->direcciones.assign(direcciones.begin(), direcciones.end());
    IntentaSiguiente();
  });
}

// Tries the next address without blocking; the notifier says when the attempt ended.
void SocketSsh::IntentaSiguiente() {
  while (s_->siguiente < s_->direcciones.size()) {
    const QHostAddress& a = s_->direcciones[s_->siguiente++];
    sockaddr_storage dir{};
    socklen_t largo = 0;
    if (a.protocol() == QAbstractSocket::IPv4Protocol) {
      auto* v4 = reinterpret_cast<sockaddr_in*>(&dir);
      v4->sin_family = AF_INET;
      v4->sin_port = htons(puerto_);
      v4->sin_addr.s_addr = htonl(a.toIPv4Address());
      largo = sizeof *v4;
    } else {
      auto* v6 = reinterpret_cast<sockaddr_in6*>(&dir);
      v6->sin6_family = AF_INET6;
      v6->sin6_port = htons(puerto_);
      const Q_IPV6ADDR b = a.toIPv6Address();
      std::memcpy(&v6->sin6_addr, &b, sizeof b);
      v6->sin6_scope_id = a.scopeId().toUInt();
      largo = sizeof *v6;
    }
    if (s_->fd >= 0) close(s_->fd);
    s_->fd = socket(dir.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (s_->fd < 0) continue;
    if (::connect(s_->fd, reinterpret_cast<sockaddr*>(&dir), largo) == 0 || errno == EINPROGRESS) {
      notificador_ = std::make_unique<QSocketNotifier>(s_->fd, QSocketNotifier::Write);
      connect(notificador_.get(), &QSocketNotifier::activated, this, [this] { AlConectarTcp(); });
      return;
    }
    s_->ultimoError = std::strerror(errno);
  }
  Falla("No se pudo conectar con " + host_ + ":" + std::to_string(puerto_) + ": " +
        (s_->ultimoError.empty() ? "sin direcciones" : s_->ultimoError));
}

void SocketSsh::AlConectarTcp() {
  notificador_.reset();
  int error = 0;
  socklen_t largo = sizeof error;
  getsockopt(s_->fd, SOL_SOCKET, SO_ERROR, &error, &largo);
  if (error != 0) {
    s_->ultimoError = error == ECONNREFUSED ? "Conexión rechazada" : std::strerror(error);
    return IntentaSiguiente();
  }
  const int uno = 1;
  setsockopt(s_->fd, IPPROTO_TCP, TCP_NODELAY, &uno, sizeof uno);
  // The questions of the log-in run events: the user may close or reconnect meanwhile, so the
  // session is held here and only kept if this attempt is still the current one.
  const unsigned gen = generacion_;
  std::unique_ptr<Sesion> sesion = std::move(s_);
  const std::string motivo = Entra(*sesion);
  if (gen != generacion_) return;
  s_ = std::move(sesion);
  if (!motivo.empty()) return Falla(motivo);
  estado_ = Conectado;
  notificador_ = std::make_unique<QSocketNotifier>(ssh_get_fd(s_->sesion), QSocketNotifier::Read);
  connect(notificador_.get(), &QSocketNotifier::activated, this, [this] { Drena(); });
  Avisa([](SocketListener& l) { l.Conectado(); });
  Drena();
}

std::string SocketSsh::Entra(Sesion& s) {
  ssh_session ses = s.sesion = ssh_new();
  if (!ses) return "No se pudo crear la sesión SSH";
  const std::string carpeta = carpetaSsh.empty() ? CarpetaSshPorDefecto() : carpetaSsh;
  const std::string conocidos = carpeta + "/known_hosts";
  const unsigned int puerto = puerto_;
  const long espera = segundosEspera;
  const int no = 0;
  ssh_options_set(ses, SSH_OPTIONS_FD, &s.fd);
  ssh_options_set(ses, SSH_OPTIONS_HOST, host_.c_str());
  ssh_options_set(ses, SSH_OPTIONS_PORT, &puerto);
  ssh_options_set(ses, SSH_OPTIONS_USER, usuario_.c_str());
  ssh_options_set(ses, SSH_OPTIONS_SSH_DIR, carpeta.c_str());
  ssh_options_set(ses, SSH_OPTIONS_KNOWNHOSTS, conocidos.c_str());
  ssh_options_set(ses, SSH_OPTIONS_TIMEOUT, &espera);
  // Only what is asked here counts: no ProxyCommand or host aliases from a config file.
  ssh_options_set(ses, SSH_OPTIONS_PROCESS_CONFIG, &no);
  if (ssh_connect(ses) != SSH_OK) return std::string("Error SSH al conectar: ") + ssh_get_error(ses);

  const std::string huella = Huella(ses);
  switch (ssh_session_is_known_server(ses)) {
  case SSH_KNOWN_HOSTS_OK: break;
  case SSH_KNOWN_HOSTS_CHANGED:
  case SSH_KNOWN_HOSTS_OTHER:
    // What matters first, for a terminal line of 80 columns.
    return "La clave del host " + host_ + " ha cambiado: conexión rechazada (ahora " + huella +
           "; si el cambio es legítimo, quite la clave vieja de " + conocidos + ")";
  case SSH_KNOWN_HOSTS_UNKNOWN:
  case SSH_KNOWN_HOSTS_NOT_FOUND:
    if (!AceptaClaveNueva || !AceptaClaveNueva(host_, huella))
      return "Clave de host desconocida para " + host_ + " (" + huella + "): conexión rechazada.";
    if (ssh_session_update_known_hosts(ses) != SSH_OK)
      return "No se pudo guardar la clave del host en " + conocidos + ": " + ssh_get_error(ses);
    break;
  default: return std::string("No se pudo comprobar la clave del host: ") + ssh_get_error(ses);
  }

  // The agent, then the default keys of the SSH folder, then a password.
  int r = ssh_userauth_none(ses, nullptr);
  if (r != SSH_AUTH_SUCCESS) r = ssh_userauth_publickey_auto(ses, nullptr, nullptr);
  const int metodos = ssh_userauth_list(ses, nullptr);
  for (int intento = 1; r != SSH_AUTH_SUCCESS && r != SSH_AUTH_ERROR && intento <= 3 && PideClave; ++intento) {
    if (!(metodos & (SSH_AUTH_METHOD_PASSWORD | SSH_AUTH_METHOD_INTERACTIVE))) break;
    const auto clave = PideClave(usuario_, host_, intento);
    if (!clave) break;
    if (metodos & SSH_AUTH_METHOD_PASSWORD) {
      r = ssh_userauth_password(ses, nullptr, clave->c_str());
    } else {
      r = ssh_userauth_kbdint(ses, nullptr, nullptr);
      while (r == SSH_AUTH_INFO) {
        for (int i = 0, n = ssh_userauth_kbdint_getnprompts(ses); i < n; ++i)
          ssh_userauth_kbdint_setanswer(ses, unsigned(i), clave->c_str());
        r = ssh_userauth_kbdint(ses, nullptr, nullptr);
      }
    }
  }
  if (r == SSH_AUTH_ERROR) return std::string("Error SSH en la autenticación: ") + ssh_get_error(ses);
  if (r != SSH_AUTH_SUCCESS) return "Autenticación rechazada por " + host_ + " para el usuario " + usuario_;

  ssh_channel c = s.canal = ssh_channel_new(ses);
  if (!c || ssh_channel_open_session(c) != SSH_OK ||
      ssh_channel_request_pty_size(c, tipo_.c_str(), ancho_, alto_) != SSH_OK || ssh_channel_request_shell(c) != SSH_OK)
    return std::string("El host no abrió un shell: ") + ssh_get_error(ses);
  return {};
}

// Takes what the channel holds; libssh may have read it off the socket during a write, so this
// also runs after every send.
void SocketSsh::Drena() {
  if (estado_ != Conectado || !s_ || !s_->canal) return;
  char buf[16384];
  bool llego = false;
  // A host that never stops talking must not hold the window: the rest waits for the next turn.
  for (std::size_t tomado = 0; tomado < (std::size_t(1) << 20);) {
    int n = ssh_channel_read_nonblocking(s_->canal, buf, sizeof buf, 0);
    if (n <= 0) n = ssh_channel_read_nonblocking(s_->canal, buf, sizeof buf, 1);
    if (n <= 0) break;
    recibido_.append(buf, std::size_t(n));
    tomado += std::size_t(n);
    llego = true;
  }
  if (llego && !avisoPendiente_) {
    avisoPendiente_ = true;
    Avisa([this](SocketListener& l) {
      avisoPendiente_ = false;
      if (!recibido_.empty()) l.DatosLlegan(recibido_.size());
    });
  }
  if (ssh_channel_is_eof(s_->canal) || ssh_channel_is_closed(s_->canal) || !ssh_is_connected(s_->sesion)) {
    estado_ = Cerrado;
    notificador_.reset();
    // After the data notice, so the last bytes are heard before the close.
    Avisa([](SocketListener& l) { l.Cerrado({}); });
  }
}

void SocketSsh::Cerrar() {
  ++generacion_;
  recibido_.clear();
  avisoPendiente_ = false;
  Libera();
}

bool SocketSsh::Enviar(std::string_view bytes) {
  if (estado_ != Conectado) return false;
  while (!bytes.empty()) {
    const int n = ssh_channel_write(s_->canal, bytes.data(), uint32_t(std::min<std::size_t>(bytes.size(), 1 << 20)));
    if (n <= 0) return false;
    bytes.remove_prefix(std::size_t(n));
  }
  // libssh may take the host's answer off the socket while it writes, leaving it in its own
  // buffers where the socket's notifier never tells of it: look for a while after each send.
  QMetaObject::invokeMethod(this, [this] { Drena(); }, Qt::QueuedConnection);
  vueltasVigia_ = 400;
  if (!vigia_->isActive()) vigia_->start();
  return true;
}

std::string SocketSsh::Leer() {
  if (estado_ == Conectado) Drena();
  return std::exchange(recibido_, {});
}

std::string SocketSsh::HostRemoto() const { return estado_ == Conectado ? host_ : std::string(); }

void SocketSsh::FijaTerminal(const std::string& tipo, int ancho, int alto) {
  tipo_ = tipo.empty() ? "vt100" : tipo;
  ancho_ = ancho > 0 ? ancho : 80;
  alto_ = alto > 0 ? alto : 24;
  if (estado_ == Conectado && s_ && s_->canal) ssh_channel_change_pty_size(s_->canal, ancho_, alto_);
}

} // namespace zt
