// The new-object dialog "Новый объект": where the designer describes one new
// library entry. It is made once and reused; every field, the chosen colour and
// the chosen picture file survive from one showing to the next. It has no OK
// or Cancel button: the add command reads it however it was closed.
#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

#include "library/NewObjectBuilder.h"
#include "library/NewObjectChoices.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kestrilo {

class TDialogService;

// TForm2: the new-object dialog.
class TForm2 : public QDialog {
 public:
  // Filter of the picture open dialog, "Caption (patterns)|patterns|...":
  // first every file the dialog takes, then each kind on a line of its own
  // with its description, the common picture files Qt reads last.
  static std::string PictureFilter();

  explicit TForm2(TDialogService& dialogs, QWidget* parent = nullptr);

  // The number the next entry will get, shown as "Номер объекта: N".
  void SetNumber(int32_t number) { number_ = number; }
  int32_t Number() const { return number_; }

  void FormCreate();
  void FormActivate();
  // "Взять спрайт": a picture open dialog; a confirmed file becomes the
  // picture file and is shown. A picture that cannot be loaded is reported
  // through the dialog service; the file name is taken all the same.
  // A picture that loads sets the frame size fields the designer has not
  // changed to its own size (0, the whole picture, where it exceeds their
  // range); one whose file has an alpha channel turns transparency on with
  // the colour key its transparent pixels took.
  void Button2Click();
  // "Цвет прозрачности": a colour dialog; a confirmed colour becomes the key.
  void Button1Click();

  const std::string& PictureFileName() const { return pictureFileName_; }
  uint32_t TransparentColor() const { return transparentColor_; }

  // The controls' values as they stand.
  TNewObjectChoices Choices() const;
  // The entry the add command passes to the object library.
  TNewObject BuildObject(int32_t number) const;

  // Controls, with the names of the layout.
  QLabel* Image1;
  QPushButton* Button2;
  QCheckBox* CheckBox2;
  QPushButton* Button1;
  QCheckBox* CheckBox1;
  QLabel* Label6;
  QLineEdit* Edit5;
  QLabel* Label1;
  QSpinBox* UpDown1;  // frame width (number field with spin)
  QLabel* Label5;
  QComboBox* ComboBox1;
  QLabel* Label2;
  QSpinBox* UpDown2;  // frame height
  QLabel* Label7;
  QLabel* Label3;
  QLineEdit* Edit3;
  QLabel* Label4;
  QLineEdit* Edit4;
  QLabel* Label8;
  QSpinBox* UpDown3;  // health
  QGroupBox* RadioGroup1;
  QRadioButton* RadioConstant;  // "Пост."
  QRadioButton* RadioSingle;    // "Одиноч."
  QGroupBox* GroupBox1;
  QLabel* Label9;
  QComboBox* ComboBox2;
  QLabel* Label10;
  QSpinBox* UpDown4;  // ammunition count

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildControls();
  char DecimalSeparator() const;
  void ShowFrameSizeOf(int32_t width, int32_t height);

  TDialogService& dialogs_;
  int32_t number_ = 0;
  uint32_t transparentColor_ = 0;
  std::string pictureFileName_;
  // Set when the designer changes a frame size field; the dialog's own
  // changes do not count.
  bool frameWidthChanged_ = false;
  bool frameHeightChanged_ = false;
  bool showingFrameSize_ = false;
};

}  // namespace kestrilo
