// The desktop program's print command on a real print queue, driven by cups_print_test.sh:
// it starts the print service, names the queue in VENTREL_TEST_QUEUE and reads back what
// the queue printed. The table page takes the same printer, and a queue that would not
// print is refused on the same path: both are ventrel-cli's cases there.
#include <gtest/gtest.h>

#include <QStatusBar>
#include <cstdlib>

#include "qt/print_commands.h"
#include "qt/window_rig.h"

namespace {

class CupsPrint : public testing::Test {
 protected:
  void SetUp() override {
    const char* queue = std::getenv("VENTREL_TEST_QUEUE");
    if (!queue || !*queue) GTEST_SKIP() << "run by cups_print_test.sh, which sets up a queue";
    queue_ = queue;
    rig_.Load("JX");
    rig_.window.session().window.SetDataSourceText("t.dat");
    rig_.window.findChild<qtui::PrintCommands*>()->printer().setPrinterName(
        QString::fromStdString(queue_));
  }

  std::string Receipt() { return rig_.window.statusBar()->currentMessage().toStdString(); }

  std::string queue_;
  qttest::WindowRig<> rig_;
  fakes::ScriptedHost& host_ = rig_.host;
};

TEST_F(CupsPrint, ParameterPageGoesToTheQueue) {
  host_.ExpectInput("desktop via the print service");
  rig_.Trigger("mnuPrintParams");
  EXPECT_EQ(Receipt().rfind("Sent to the printer \"" + queue_ + "\" as job ", 0), 0u) << Receipt();
}

}  // namespace
