// Dialogs fake: records every box and answers from queues, else with the default button.
#pragma once
#include "platform/Dialogs.h"
#include "platform/RespuestaDefecto.h"
#include <deque>
#include <vector>

namespace zt {

class FakeDialogs : public Dialogs {
public:
  struct MensajeVisto {
    Texto texto;
    Texto titulo;
    Botones botones;
    Icono icono;
    std::optional<Respuesta> porDefecto;
  };
  struct EntradaVista {
    Texto texto;
    Texto titulo;
    Texto inicial;
  };
  struct ArchivoVisto {
    bool guardar;
    Texto titulo;
    Texto carpetaOInicial;
    Texto filtro;
  };

  std::vector<MensajeVisto> mensajes;
  std::vector<EntradaVista> entradas;
  std::vector<ArchivoVisto> archivos;
  std::vector<Color> coloresPedidos;

  // Answers taken in order; when a queue is empty: the default button, and nullopt (cancelled)
  // for the other dialogs.
  std::deque<Respuesta> respuestas;
  std::deque<std::optional<Texto>> respuestasEntrada;
  std::deque<std::optional<Texto>> respuestasArchivo;
  std::deque<std::optional<Color>> respuestasColor;

  Respuesta Mensaje(const Texto &texto, const Texto &titulo, Botones botones = Botones::Aceptar,
                    Icono icono = Icono::Ninguno, std::optional<Respuesta> porDefecto = {}) override {
    mensajes.push_back({texto, titulo, botones, icono, porDefecto});
    if (respuestas.empty()) return RespuestaPorDefecto(botones, porDefecto);
    return Toma(respuestas);
  }
  std::optional<Texto> Entrada(const Texto &texto, const Texto &titulo, const Texto &inicial) override {
    entradas.push_back({texto, titulo, inicial});
    return respuestasEntrada.empty() ? std::nullopt : Toma(respuestasEntrada);
  }
  std::optional<Texto> AbrirArchivo(const Texto &titulo, const Texto &carpeta, const Texto &filtro) override {
    archivos.push_back({false, titulo, carpeta, filtro});
    return respuestasArchivo.empty() ? std::nullopt : Toma(respuestasArchivo);
  }
  std::optional<Texto> GuardarArchivo(const Texto &titulo, const Texto &inicial,
                                      const Texto &filtro) override {
    archivos.push_back({true, titulo, inicial, filtro});
    return respuestasArchivo.empty() ? std::nullopt : Toma(respuestasArchivo);
  }
  std::optional<Color> ElegirColor(Color inicial) override {
    coloresPedidos.push_back(inicial);
    return respuestasColor.empty() ? std::nullopt : Toma(respuestasColor);
  }

  // The text of the last message box, or empty.
  Texto UltimoMensaje() const { return mensajes.empty() ? Texto() : mensajes.back().texto; }

private:
  template <class T> static T Toma(std::deque<T> &cola) {
    T v = std::move(cola.front());
    cola.pop_front();
    return v;
  }
};

} // namespace zt
