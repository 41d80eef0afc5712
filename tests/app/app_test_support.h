// What the shell's tests share: a fresh folder per test standing in for the program's
// folder, and a host that lets the user fix things while an error box is up.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "fakes/scripted_host.h"
#include "fakes/temp_folder.h"

namespace apptest {

using fakes::TempFolder;

class InterveningHost : public fakes::ScriptedHost {
 public:
  std::function<void()> whileBoxIsUp;
  core::Answer MsgBox(const std::string& text, const std::string& title, core::Buttons buttons,
                      core::Icon icon) override {
    if (whileBoxIsUp) whileBoxIsUp();
    return ScriptedHost::MsgBox(text, title, buttons, icon);
  }
};

inline void ExpectErrorPrompt(const fakes::MessageBoxRecord& box) {
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.buttons, core::Buttons::AbortRetryIgnore);
  EXPECT_EQ(box.icon, core::Icon::Critical);
}

}  // namespace apptest
