// Hostile host output for the fuzz test and the fuzz target: random bytes mixed with Telnet
// commands, escape sequences with wild parameters, long lines, TABs and bracketed-paste modes.
#pragma once
#include <cstdint>
#include <random>
#include <string>

namespace zt::test {

class GeneradorHost {
public:
  explicit GeneradorHost(uint32_t semilla) : r_(semilla) {}

  // About 'bytes' bytes of mixed output.
  std::string Trozo(size_t bytes) {
    std::string s;
    while (s.size() < bytes) Pieza(s);
    return s;
  }

private:
  int N(int a, int b) { return std::uniform_int_distribution<int>(a, b)(r_); }

  std::string Numero() {
    switch (N(0, 4)) {
    case 0: return "";
    case 1: return std::to_string(N(0, 9));
    case 2: return std::to_string(N(0, 200));
    case 3: return std::to_string(N(0, 2000000000));
    default: return std::string(size_t(N(1, 40)), '9');
    }
  }

  void Pieza(std::string& s) {
    static const char kFinales[] = "ABCDHJKfhlmsuJKr@PLMX";
    switch (N(0, 11)) {
    case 0: // random bytes
      for (int i = N(1, 64); i > 0; --i) s += char(N(0, 255));
      break;
    case 1: { // a CSI sequence
      s += "\x1b[";
      if (N(0, 3) == 0) s += '?';
      for (int i = N(0, 3); i > 0; --i) s += Numero() + ";";
      s += Numero();
      s += kFinales[N(0, int(sizeof kFinales) - 2)];
      break;
    }
    case 2: s += "\x1b[?2004h" + std::string(N(0, 1) ? "zt$ " : "") + "\x1b[?2004l"; break;
    case 3: s += std::string(size_t(N(1, 300)), char('a' + N(0, 25))); break;
    case 4: s += N(0, 1) ? "\r\n" : "\n"; break;
    case 5: // Telnet commands, some split or malformed
      s += "\xff";
      s += char(N(240, 255));
      if (N(0, 1)) s += char(N(0, 255));
      break;
    case 6: // a subnegotiation, maybe never closed
      s += "\xff\xfa";
      for (int i = N(0, 20); i > 0; --i) s += char(N(0, 255));
      if (N(0, 3)) s += "\xff\xf0";
      break;
    case 7: s += "\tcol\t\xc3\xb1\xe2\x82\xac\t"; break;
    case 8: s += "\x1b" + std::string(1, "78DEMc()#="[N(0, 9)]); break;
    case 9: s += std::string(size_t(N(1000, 70000)), 'L'); break;               // a very long line
    case 10: s += "\x1b[" + std::string(size_t(N(200, 400)), '1') + "H"; break; // an overlong sequence
    default: s += "zt$ "; break;
    }
  }

  std::mt19937 r_;
};

} // namespace zt::test
