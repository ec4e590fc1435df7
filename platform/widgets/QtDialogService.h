// The dialog service with real Qt dialogs, parented to the main window.
#pragma once

#include <QWidget>

#include "platform/DialogService.h"

namespace kestrilo {

class TQtDialogService : public TDialogService {
 public:
  explicit TQtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  TModalResult MessageBox(const std::string& text, const std::string& caption, TMsgButtons buttons,
                          TModalResult defaultAnswer = TModalResult::mrNone) override;
  void ShowMessage(const std::string& text) override;
  std::optional<std::string> OpenFile(const TFileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const TFileDialogRequest& request) override;
  std::optional<uint32_t> ChooseColor(uint32_t initial) override;

  // "Desc (*.a)|*.a|Desc2 (*.b)|*.b" -> Qt's ";;"-separated filter.
  static QString QtFilter(const std::string& filter);

 private:
  QWidget* parent_;
};

}  // namespace kestrilo
