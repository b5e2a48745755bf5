// Fakes library anchor; the fakes themselves are header classes beside this file.
