// A dialog service for tests and headless runs: answers come from queues and
// every question is recorded. An empty queue answers as a cancel would.
#pragma once

#include <deque>
#include <vector>

#include "platform/DialogService.h"

namespace kestrilo {

class TScriptedDialogService : public TDialogService {
 public:
  struct TAsked {
    std::string Kind;  // "message", "show", "open", "save", "color"
    std::string Text;
    std::string Caption;
    TMsgButtons Buttons = TMsgButtons::OK;
    TFileDialogRequest Request;
    TModalResult DefaultAnswer = TModalResult::mrNone;  // the default button asked for
  };

  std::deque<TModalResult> MessageAnswers;
  std::deque<std::optional<std::string>> FileAnswers;
  std::deque<std::optional<uint32_t>> ColorAnswers;
  std::vector<TAsked> Asked;

  TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgButtons buttons,
                          TModalResult defaultAnswer = TModalResult::mrNone) override;
  void ShowMessage(const std::string& text) override;
  std::optional<std::string> OpenFile(const TFileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const TFileDialogRequest& request) override;
  std::optional<uint32_t> ChooseColor(uint32_t initial) override;

  // Texts of the plain messages shown, in order.
  std::vector<std::string> Messages() const;
};

}  // namespace kestrilo
