// A fresh temporary folder per test, removed afterwards.
#pragma once
#include "base/ArchivoTexto.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace zt {

struct CarpetaPrueba {
  std::filesystem::path ruta;
  CarpetaPrueba() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    ruta = std::filesystem::temp_directory_path() /
           ("zt_ws_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    std::filesystem::remove_all(ruta);
    std::filesystem::create_directories(ruta);
  }
  ~CarpetaPrueba() {
    std::error_code ec;
    std::filesystem::permissions(ruta, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(ruta, ec);
  }
  std::string Lee(const std::filesystem::path& p) const { return LeeBytes(p).value_or("<ninguno>"); }
};

} // namespace zt
