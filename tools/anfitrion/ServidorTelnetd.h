// The two halves of a loopback Telnet host, shared by the private host of ./run.sh and the
// tests' hosts: a listening socket on 127.0.0.1 and, on an accepted connection, the system's
// telnetd running a session program instead of a login.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zt {

inline constexpr const char* kServidorTelnetd = "/usr/sbin/telnetd";

// A socket listening on 127.0.0.1 on a port the system picks, which goes to 'puerto'; -1 on
// failure (errno tells why).
inline int EscuchaLoopback(int cola, unsigned& puerto) {
  const int escucha = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (escucha < 0) return -1;
  sockaddr_in dir{};
  dir.sin_family = AF_INET;
  dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof dir;
  if (bind(escucha, reinterpret_cast<sockaddr*>(&dir), sizeof dir) != 0 || listen(escucha, cola) != 0 ||
      getsockname(escucha, reinterpret_cast<sockaddr*>(&dir), &largo) != 0) {
    close(escucha);
    return -1;
  }
  puerto = ntohs(dir.sin_port);
  return escucha;
}

// Makes the connection 'c' standard input, output and error and becomes telnetd serving
// 'programa'. Only async-signal-safe calls, so it may follow a fork; returns only on failure.
inline void SirveTelnetd(int c, const char* programa) {
  dup2(c, 0), dup2(c, 1), dup2(c, 2);
  if (c > 2) close(c);
  char* argv[] = {const_cast<char*>("telnetd"), const_cast<char*>("-h"), const_cast<char*>("-E"),
                  const_cast<char*>(programa), nullptr};
  execv(kServidorTelnetd, argv);
}

} // namespace zt
