#include "platform/ScriptedDialogService.h"

namespace kestrilo {

TModalResult TScriptedDialogService::MessageBox(const std::string& text, const std::string& caption,
                                                TMsgButtons buttons, TModalResult defaultAnswer) {
  Asked.push_back({"message", text, caption, buttons, {}, defaultAnswer});
  if (MessageAnswers.empty()) {
    if (buttons == TMsgButtons::OK) return TModalResult::mrOk;
    return buttons == TMsgButtons::YesNoCancel ? TModalResult::mrCancel : TModalResult::mrNo;
  }
  const TModalResult answer = MessageAnswers.front();
  MessageAnswers.pop_front();
  return answer;
}

void TScriptedDialogService::ShowMessage(const std::string& text) {
  Asked.push_back({"show", text, "", TMsgButtons::OK, {}});
}

std::optional<std::string> TScriptedDialogService::OpenFile(const TFileDialogRequest& request) {
  Asked.push_back({"open", "", "", TMsgButtons::OK, request});
  if (FileAnswers.empty()) return std::nullopt;
  auto answer = FileAnswers.front();
  FileAnswers.pop_front();
  return answer;
}

std::optional<std::string> TScriptedDialogService::SaveFile(const TFileDialogRequest& request) {
  Asked.push_back({"save", "", "", TMsgButtons::OK, request});
  if (FileAnswers.empty()) return std::nullopt;
  auto answer = FileAnswers.front();
  FileAnswers.pop_front();
  return answer;
}

std::optional<uint32_t> TScriptedDialogService::ChooseColor(uint32_t /*initial*/) {
  Asked.push_back({"color", "", "", TMsgButtons::OK, {}});
  if (ColorAnswers.empty()) return std::nullopt;
  auto answer = ColorAnswers.front();
  ColorAnswers.pop_front();
  return answer;
}

std::vector<std::string> TScriptedDialogService::Messages() const {
  std::vector<std::string> out;
  for (const auto& a : Asked)
    if (a.Kind == "show") out.push_back(a.Text);
  return out;
}

}  // namespace kestrilo
