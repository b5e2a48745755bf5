// Wildcard matching as used by the interpreter, the filters and the preprocessor.
#include "base/Comodin.h"
#include <gtest/gtest.h>

using namespace zt;

TEST(Comodin, Table) {
  struct { const char* texto; const char* patron; bool si; } casos[] = {
      {"INFORME.ZQL", "*.ZQL", true},
      {"informe.zql", "*.ZQL", false},  // case-sensitive
      {"a.ZQL.bak", "*.ZQL", false},
      {"YOU HAVE MAIL in /var/mail/root", "YOU HAVE MAIL*", true},
      {"YOU HAVE", "YOU HAVE MAIL*", false},
      {"scott/tiger@prod", "*/*@*", true},
      {"scott@prod", "*/*@*", false},
      {"w01/2024", "w##/####", true},
      {"w1/2024", "w##/####", false},
      {"wxx/2024", "w##/####", false},
      {"a", "[!0-9]", true},
      {"7", "[!0-9]", false},
      {"ab", "[!0-9]", false},
      {"Ñ", "[A-Z0-9_$ÁÉÍÓÚÑ]", true},
      {"$", "[A-Z0-9_$ÁÉÍÓÚÑ]", true},
      {"é", "[A-Z0-9_$ÁÉÍÓÚÑ]", false},
      {"", "*", true},
      {"", "?", false},
      {"abc", "a?c", true},
      {"[x", "[x", true},              // an unclosed list is a literal "["
      {"ab", "a[]b", true},            // an empty list stands for nothing
      {"a-", "a[-]", true},
      {"mississippi", "*sip*", true},
      {"mississippi", "m*i*s*p*i", true},
      {"mississippi", "m*x*", false},
  };
  for (auto& c : casos) EXPECT_EQ(CoincideComodin(T(c.texto), T(c.patron)), c.si) << c.texto << " ~ " << c.patron;
}

TEST(Comodin, ManyStarsStayFast) {
  // A pattern that makes naive backtracking explode: this must finish at once.
  Texto texto(5000, U'a');
  Texto patron;
  for (int i = 0; i < 40; ++i) patron += U"*a";
  patron += U"b";
  EXPECT_FALSE(CoincideComodin(texto, patron));
}
