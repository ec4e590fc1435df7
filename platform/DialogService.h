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
  // The file a save dialog proposes (a full path; its folder wins over
  // InitialDir); empty proposes none.
  std::string ProposedFile;
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // A question or notice with a caption and no icon. The default button is
  // the one of `defaultAnswer`, or the first when none is given; questions
  // before a step that loses data default to the answer that keeps it.
  virtual TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgButtons buttons,
                                  TModalResult defaultAnswer = TModalResult::mrNone) = 0;
  // A plain message with the application's title and one OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // The chosen path, or nothing when cancelled.
  virtual std::optional<std::string> OpenFile(const TFileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const TFileDialogRequest& request) = 0;
  // The chosen colour (0x00BBGGRR), or nothing when cancelled.
  virtual std::optional<uint32_t> ChooseColor(uint32_t initial) = 0;
};

}  // namespace kestrilo
