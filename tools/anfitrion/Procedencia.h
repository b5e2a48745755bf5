// Who is at the other end of a loopback TCP connection. A uid check alone is not enough: any
// local process may connect, and the kernel's tables show sockets in some states as root's. The
// only proof that cannot be raced is to find the peer's socket among the open descriptors of the
// process we started ourselves (or of a process it started).
#pragma once
#include <string>
#include <sys/types.h>

namespace zt {

struct Procedencia {
  unsigned puerto = 0;         // the peer's port on 127.0.0.1
  unsigned long inodo = 0;     // its socket's inode; 0 when unknown or no longer owned
  long uid = -1;               // owner of that socket as the kernel tables give it
  pid_t proceso = -1;          // the process of the family searched that holds it, else -1
};

// Looks up the peer of the accepted connection 'c' in the kernel's socket table and searches
// 'raiz' and its descendants for a descriptor of that socket.
Procedencia ProcedenciaDe(int c, pid_t raiz);

// One line for the log: "127.0.0.1:port (uid N, ...)".
std::string Describe(const Procedencia& p);

} // namespace zt
