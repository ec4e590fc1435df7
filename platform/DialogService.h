// Message boxes and file/colour dialogs go through this service so that the
// same command runs with real dialogs in the editor and scripted ones in tests.
// All text is UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kestrilo {

enum class TMsgButtons { OK, YesNo, YesNoCancel };
enum class TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct TFileDialogRequest {
  std::string InitialDir;
  std::string Filter;      // "Description (*.ext)|*.ext|..."
  std::string DefaultExt;  // "*.mtf"
  std::string Title;
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // A question or notice with a caption, no icon, first button the default.
  virtual TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgButtons buttons) = 0;
  // A question whose default button (the one Enter presses) is `defaultAnswer`,
  // for questions whose first button is not the safe choice.
  virtual TModalResult Ask(const std::string& text, const std::string& caption, TMsgButtons buttons,
                           TModalResult defaultAnswer) {
    return MessageBox(text, caption, buttons);
  }
  // A plain message with the application's title and one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const TFileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const TFileDialogRequest& request) = 0;
  // The chosen colour (0x00BBGGRR), or nothing when cancelled.
  virtual std::optional<uint32_t> ChooseColor(uint32_t initial) = 0;
};

}  // namespace kestrilo
