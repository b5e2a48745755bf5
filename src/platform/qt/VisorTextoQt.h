// A read-only window showing a text file: what "view a text file" falls back to when the desktop
// has no program to open it with.
#pragma once
#include <QPlainTextEdit>
#include <string>

namespace zt {

class VisorTextoQt : public QPlainTextEdit {
public:
  // Nothing is shown when the file cannot be read: Abre returns null.
  static VisorTextoQt* Abre(const std::string& ruta);

private:
  VisorTextoQt();
};

} // namespace zt
