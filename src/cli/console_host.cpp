#include "cli/console_host.h"

#include <unistd.h>

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "core/safest_answer.h"

namespace cli {

namespace {

constexpr int kBarWidth = 40;
constexpr int kPercentPerLine = 10;
constexpr int kFullPercent = 100;

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
  interrupted = 1;
  // A second Ctrl-C is not caught: it ends the program.
  std::signal(SIGINT, SIG_DFL);
}

}  // namespace

ConsoleHost::ConsoleHost(std::string command, bool& abortFlag)
    : command_(std::move(command)), abortFlag_(abortFlag), terminal_(isatty(STDERR_FILENO) == 1) {
  interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
}

ConsoleHost::~ConsoleHost() {
  EndBar();
  std::signal(SIGINT, SIG_DFL);
}

void ConsoleHost::Say(const std::string& text) {
  EndBar();
  std::string line;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    // CR LF is one line break.
    if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    std::cerr << "ventrel-cli " << command_ << ": " << line << "\n";
    line.clear();
  }
}

core::Answer ConsoleHost::MsgBox(const std::string& text, const std::string& /*title*/,
                                 core::Buttons buttons, core::Icon /*icon*/) {
  Say(text);
  return core::SafestAnswer(buttons);
}

std::optional<std::string> ConsoleHost::InputBox(const std::string&, const std::string&,
                                                 const std::string&) {
  return std::nullopt;
}

std::optional<std::string> ConsoleHost::OpenFileDialog(const core::FileDialogRequest&) {
  return std::nullopt;
}

std::optional<std::string> ConsoleHost::SaveFileDialog(const core::FileDialogRequest&) {
  return std::nullopt;
}

void ConsoleHost::ShowProgress(const std::string& caption) {
  EndBar();
  caption_ = caption;
  shownPercent_ = -1;
}

void ConsoleHost::SetProgress(int percent) {
  if (terminal_) {
    if (percent == shownPercent_) return;
    const int filled = percent * kBarWidth / kFullPercent;
    std::fprintf(stderr, "\r%-20s [%s%s] %3d%%", caption_.c_str(), std::string(filled, '#').c_str(),
                 std::string(kBarWidth - filled, ' ').c_str(), percent);
    std::fflush(stderr);
    barOpen_ = true;
  } else {
    if (shownPercent_ >= 0 && percent / kPercentPerLine == shownPercent_ / kPercentPerLine) return;
    std::cerr << caption_ << ": " << percent << "%\n";
  }
  shownPercent_ = percent;
}

void ConsoleHost::HideProgress() { EndBar(); }

void ConsoleHost::EndBar() {
  if (!barOpen_) return;
  std::fputc('\n', stderr);
  barOpen_ = false;
}

void ConsoleHost::Yield() {
  QCoreApplication::processEvents();
  if (interrupted == 0) return;
  // Kept up until the command ends, so the next loop stops too.
  abortFlag_ = true;
  if (!stopAnnounced_) {
    stopAnnounced_ = true;
    Say("stopping at the next step (Ctrl-C again ends at once, leaving the module as it is)");
  }
}

}  // namespace cli
