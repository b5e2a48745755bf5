// File contents (exact bytes) that a store or a fetch through the shell must keep as they are.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace zt::test {

inline std::vector<std::pair<std::string, std::string>> TextosHostiles() {
  std::vector<std::pair<std::string, std::string>> t;
  t.push_back({"comillas", "dobles \"a\" \"\" y simples 'b' '' y juntas \"'\"'\"\n'solo\n\"solo\n"});
  std::string barras;
  for (char c : std::string("\"'$`\\!^%&|;<>(){}[]*?#~= \tabcefnrtvx0u"))
    barras += std::string("\\") + c + " ";
  t.push_back({"barras", barras + "\\\n\\\\\n\\\\\\\n"});
  t.push_back({"sustituciones", "$(touch pwned1) `touch pwned2` ${HOME} $HOME $((1+1)) $'x'\n"});
  t.push_back({"porcentajes", "100% %s %d %b %% %\n%\n"});
  t.push_back({"tabs", "\ta\tb\t\tc\t\n\t\n"});
  std::string larga;
  for (int i = 0; i < 5000; ++i) larga += "abc'\"\\$ \txyz"[i % 13];
  t.push_back({"larga", larga + "\n" + std::string(5000, 'y') + "\ncorta\n"});
  std::string control;
  for (int c = 1; c < 0x20; ++c)
    if (c != '\n') control += char(c);
  t.push_back({"control", control + "\x7f\nfin\r\nlinea con CR LF\r\n\x1b[31mrojo\x1b[0m\n"});
  std::string altos;
  for (int c = 0x80; c <= 0xFF; ++c) altos += char(c);
  t.push_back({"altos", altos + "\ncanción ñandú €\n"});
  t.push_back({"prompt", "zt$ \nzt$ echo hola\n# comentario\n# \n-rf\n--help\n-\n"});
  t.push_back({"vacio", ""});
  t.push_back({"sin_salto", "primera\nsin salto final"});
  t.push_back({"lineas_vacias", "\n\n\n"});
  t.push_back({"escapes_printf", "\\c cortaria \\0101 \\x41 \\u0041 \\n \\t \\\\c\n"});
  t.push_back({"historia", "!! !$ !-1 ^a^b\n^x^y\n!\n"});
  return t;
}

} // namespace zt::test
