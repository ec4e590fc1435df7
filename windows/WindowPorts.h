// The real helper windows behind the command layer's ports.
#pragma once

#include <QWidget>

#include "editor/EditorPorts.h"
#include "windows/LoadingWindow.h"
#include "windows/NewObjectDialog.h"

namespace kestrilo {

// The new-object dialog: shown modally, then read however it was closed.
class TNewObjectDialogSource : public TNewObjectSource {
 public:
  explicit TNewObjectDialogSource(TForm2& form) : form_(form) {}
  void ShowModal(int32_t Number) override {
    form_.SetNumber(Number);
    form_.exec();
  }
  TNewObject Build(int32_t Number) override { return form_.BuildObject(Number); }

 private:
  TForm2& form_;
};

// The level-loading window, shown over the middle of the window it belongs to.
class TLoadingWindow : public TLoadingWindowPort {
 public:
  explicit TLoadingWindow(TForm3& form, QWidget* over = nullptr) : form_(form), over_(over) {}
  void ShowAndPaint() override {
    if (over_ && over_->isVisible()) form_.move(over_->frameGeometry().center() - form_.rect().center());
    form_.ShowAndPaint();
  }
  void Close() override { form_.hide(); }
  TProgressBar* MainBar() override { return &form_.MainBar(); }
  TProgressBar* PlanesBar() override { return &form_.PlanesBar(); }

 private:
  TForm3& form_;
  QWidget* over_;
};

}  // namespace kestrilo
