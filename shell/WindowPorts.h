// The real helper windows behind the command layer's ports.
#pragma once

#include "library/AddNewObj.h"
#include "matrix/Loading.h"
#include "shell/EditorPorts.h"

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

// The level-loading window.
class TLoadingWindow : public TLoadingWindowPort {
 public:
  explicit TLoadingWindow(TForm3& form) : form_(form) {}
  void ShowAndPaint() override { form_.ShowAndPaint(); }
  void Close() override { form_.hide(); }
  TProgressBar* MainBar() override { return &form_.MainBar(); }
  TProgressBar* PlanesBar() override { return &form_.PlanesBar(); }

 private:
  TForm3& form_;
};

}  // namespace kestrilo
