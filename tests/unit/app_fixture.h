// A disc in the fake platform and the application started on it.
#pragma once

#include <gtest/gtest.h>

#include "app/application.h"
#include "menu_file.h"
#include "platform/fake/fake_platform.h"

namespace tavlin::test {

class AppTest : public ::testing::Test {
 protected:
  static constexpr char kDisc[] = "D:\\";

  AppTest() {
    p.SetCurrentDirectory(kDisc);
    p.SetProgramFolder(std::string(kDisc));
  }

  void WriteMenu(const MenuFile& f) { p.AddFile("tavlin.ini", f.Text()); }
  void Start() { app.Run(); }
  void StartWith(const MenuFile& f) {
    WriteMenu(f);
    Start();
  }

  Form1& form1() { return app.form1(); }
  const FakeControl& Ctl(std::string_view name) { return p.Control(app.form1(), name); }
  std::vector<std::string> Entries() { return Ctl("List1").items; }

  FakePlatform p;
  Application app{p};
};

}  // namespace tavlin::test
