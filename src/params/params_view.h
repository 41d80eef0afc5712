// What the parameter dialogs' logic needs of a dialog window: frmParams2 shows 19
// parameter boxes, frmParams 9. Setting a control from here never runs its handler.
#pragma once

#include <optional>
#include <string>

namespace params {

enum class EditionOption { KQ, Vosk };      // optKQVersion, optVoskVersion
enum class ModeOption { Basic, Advanced };  // optBasicMode, optAdvancedMode

class ParamsView {
 public:
  virtual ~ParamsView() = default;

  virtual void CentreOnScreen() = 0;

  virtual void SelectEdition(EditionOption option) = 0;
  virtual void SetEditionEnabled(EditionOption option, bool enabled) = 0;
  virtual void SelectMode(ModeOption option) = 0;

  virtual void SetSwapModeEnabled(bool enabled) = 0;
  virtual void SetSwapModeChecked(bool checked) = 0;
  virtual void SetTrimEnableEnabled(bool enabled) = 0;
  virtual void SetTrimEnableChecked(bool checked) = 0;

  // Boxes are numbered as their parameters, txtParam1 = 1.
  virtual void SetParamBoxEnabled(int number, bool enabled) = 0;
  virtual void SetParamBoxText(int number, const std::string& text) = 0;
  virtual std::string ParamBoxText(int number) const = 0;
  // The parameter box that holds the input focus, if one does.
  virtual std::optional<int> FocusedParamBox() const = 0;

  virtual void SetUserDataText(const std::string& text) = 0;
  virtual std::string UserDataText() const = 0;

  virtual void CloseDialog() = 0;
};

}  // namespace params
