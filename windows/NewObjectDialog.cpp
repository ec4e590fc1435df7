#include "windows/NewObjectDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <vector>

#include "library/Picture.h"
#include "library/PictureImport.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"

namespace kestrilo {

std::string TForm2::PictureFilter() {
  struct TFilterLine {
    std::string Caption;
    std::string Pattern;
  };
  std::vector<TFilterLine> lines = {{"Metafiles", "*.wmf"},
                                    {"Enhanced Metafiles", "*.emf"},
                                    {"Icons", "*.ico"},
                                    {"Bitmaps", "*.bmp"},
                                    {"Device Independent Bitmap", "*.dib"}};
  for (const std::string& extension : TPictureImport::CommonExtensions())
    lines.push_back({QString::fromStdString(extension).toUpper().toStdString(), "*." + extension});

  std::string all;
  for (const TFilterLine& line : lines) all += (all.empty() ? "" : ";") + line.Pattern;
  std::string filter = "All (" + all + ")|" + all;
  for (const TFilterLine& line : lines) filter += "|" + line.Caption + " (" + line.Pattern + ")|" + line.Pattern;
  return filter;
}

namespace {

QLabel* MakeLabel(QWidget* parent, const char* text, int left, int top) {
  auto* label = new QLabel(QCoreApplication::translate("TForm2", text), parent);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QSpinBox* MakeSpin(QWidget* parent, int minimum, int maximum, int value, int left, int top) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(minimum, maximum);
  spin->setValue(value);
  spin->setGeometry(left, top, 57, 21);
  return spin;
}

}  // namespace

TForm2::TForm2(TDialogService& dialogs, QWidget* parent) : QDialog(parent, Qt::Tool), dialogs_(dialogs) {
  setObjectName("Form2");
  setWindowTitle(QCoreApplication::translate("TForm2", "Новый объект"));
  resize(212, 536);
  QPalette silver = palette();
  silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  setPalette(silver);
  setAutoFillBackground(true);
  // The layout is measured for a narrow 8-point face: narrow look-alikes come
  // before the system's default one, so that the captions fit their places.
  QFont font;
  font.setFamilies(
      {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans", "DejaVu Sans Condensed"});
  font.setPixelSize(10);
  setFont(font);
  BuildControls();
  FormCreate();
}

void TForm2::BuildControls() {
  Image1 = new QLabel(this);
  Image1->setGeometry(36, 16, 128, 64);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // own size from the corner, clipped

  Button2 = new QPushButton(QCoreApplication::translate("TForm2", "Взять спрайт"), this);
  Button2->setGeometry(32, 88, 97, 25);
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

  CheckBox2 = new QCheckBox(QCoreApplication::translate("TForm2", "Объект прозрачный ?"), this);
  CheckBox2->setGeometry(16, 120, 145, 17);

  Button1 = new QPushButton(QCoreApplication::translate("TForm2", "Цвет прозрачности"), this);
  Button1->setGeometry(24, 144, 113, 25);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  CheckBox1 = new QCheckBox(QCoreApplication::translate("TForm2", "Объект с простой анимацией ?"), this);
  CheckBox1->setGeometry(16, 176, 185, 17);

  Label6 = MakeLabel(this, QT_TRANSLATE_NOOP("TForm2", "Имя объекта:"), 32, 200);
  Edit5 = new QLineEdit(QString::fromUtf8("новый"), this);
  Edit5->setGeometry(8, 216, 121, 21);
  Label1 = MakeLabel(this, QT_TRANSLATE_NOOP("TForm2", "Ширина кадра:"), 120, 200);
  UpDown1 = MakeSpin(this, 0, 1024, 0, 136, 216);
  connect(UpDown1, &QSpinBox::valueChanged, this, [this] { frameWidthChanged_ |= !showingFrameSize_; });

  Label5 = MakeLabel(this, QT_TRANSLATE_NOOP("TForm2", "Тип Объекта:"), 32, 248);
  ComboBox1 = new QComboBox(this);
  for (const char* type : {QT_TRANSLATE_NOOP("TForm2", "Стена"), QT_TRANSLATE_NOOP("TForm2", "Лифт"),
                           QT_TRANSLATE_NOOP("TForm2", "Ключ"), QT_TRANSLATE_NOOP("TForm2", "Дверь "),
                           QT_TRANSLATE_NOOP("TForm2", "Фон"), QT_TRANSLATE_NOOP("TForm2", "Монстр"),
                           QT_TRANSLATE_NOOP("TForm2", "Аптечка"), QT_TRANSLATE_NOOP("TForm2", "Патроны"),
                           QT_TRANSLATE_NOOP("TForm2", "Ловушка"), QT_TRANSLATE_NOOP("TForm2", "Игрок")}) {
    ComboBox1->addItem(QCoreApplication::translate("TForm2", type));
  }
  ComboBox1->setGeometry(8, 264, 121, 21);
  Label2 = MakeLabel(this, QT_TRANSLATE_NOOP("TForm2", "Высота кадра:"), 120, 248);
  UpDown2 = MakeSpin(this, 0, 1024, 0, 136, 264);
  connect(UpDown2, &QSpinBox::valueChanged, this, [this] { frameHeightChanged_ |= !showingFrameSize_; });

  Label7 = new QLabel(QCoreApplication::translate("TForm2", "номер объекта:"), this);
  Label7->setGeometry(8, 304, 196, 13);
  Label7->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  Label3 = MakeLabel(this, QT_TRANSLATE_NOOP("TForm2", "Скорость анимации:"), 48, 328);
  Edit3 = new QLineEdit("0", this);
  Edit3->setGeometry(56, 344, 33, 21);
  Label4 = new QLabel("/", this);
  QFont larger = font();
  larger.setPointSize(12);
  Label4->setFont(larger);
  Label4->move(96, 342);
  Label4->adjustSize();
  Edit4 = new QLineEdit("10", this);
  Edit4->setGeometry(112, 344, 33, 21);

  Label8 = MakeLabel(this, QT_TRANSLATE_NOOP("TForm2", "Здоровье:"), 0, 379);
  UpDown3 = MakeSpin(this, -128, 127, 0, 56, 376);

  RadioGroup1 = new QGroupBox(QCoreApplication::translate("TForm2", "Эффект?"), this);
  RadioGroup1->setGeometry(120, 376, 73, 65);
  RadioConstant = new QRadioButton(QCoreApplication::translate("TForm2", "Пост."), RadioGroup1);
  RadioConstant->setGeometry(8, 18, 60, 17);
  RadioSingle = new QRadioButton(QCoreApplication::translate("TForm2", "Одиноч."), RadioGroup1);
  RadioSingle->setGeometry(8, 40, 64, 17);
  RadioConstant->setChecked(true);

  GroupBox1 = new QGroupBox(QCoreApplication::translate("TForm2", "Свойства оруж.:"), this);
  GroupBox1->setGeometry(8, 448, 185, 60);
  Label9 = MakeLabel(GroupBox1, QT_TRANSLATE_NOOP("TForm2", "Тип оружия:"), 8, 16);
  ComboBox2 = new QComboBox(GroupBox1);
  for (int i = 1; i <= 7; ++i) ComboBox2->addItem(QCoreApplication::translate("TForm2", "Тип %1").arg(i));
  ComboBox2->setGeometry(8, 32, 81, 21);
  Label10 = MakeLabel(GroupBox1, QT_TRANSLATE_NOOP("TForm2", "Кол-во патронов:"), 96, 16);
  UpDown4 = MakeSpin(GroupBox1, 1, 25, 1, 104, 32);
}

void TForm2::FormCreate() {
  ComboBox1->setCurrentIndex(0);
  transparentColor_ = TPictureSettings::kNoColor;
  ComboBox2->setCurrentIndex(0);
}

void TForm2::FormActivate() {
  Label7->setText(QCoreApplication::translate("TForm2", "Номер объекта: ") + QString::number(number_));
}

void TForm2::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TForm2::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  QDialog::changeEvent(event);
}

void TForm2::Button2Click() {
  TFileDialogRequest request;
  request.Filter = PictureFilter();
  const std::optional<std::string> chosen = dialogs_.OpenFile(request);
  if (!chosen) return;
  pictureFileName_ = *chosen;
  try {
    TPicture picture;
    const std::optional<uint32_t> alphaKey = picture.LoadFromFile(*chosen);
    Image1->setPixmap(picture.Empty() ? QPixmap() : QPixmap::fromImage(picture.Image()));
    if (!picture.Empty()) ShowFrameSizeOf(picture.Width(), picture.Height());
    if (alphaKey) {
      CheckBox2->setChecked(true);
      transparentColor_ = *alphaKey;
    }
  } catch (const EKestriloError& error) {
    // This click is a command of its own; its failure ends here, shown as any other.
    dialogs_.ShowMessage(error.what());
  }
}

void TForm2::ShowFrameSizeOf(int32_t width, int32_t height) {
  // A size beyond the field's range would be clamped into a frame smaller
  // than the picture; 0 keeps it whole.
  const auto fieldValue = [](const QSpinBox* field, int32_t size) { return size <= field->maximum() ? size : 0; };
  showingFrameSize_ = true;
  if (!frameWidthChanged_) UpDown1->setValue(fieldValue(UpDown1, width));
  if (!frameHeightChanged_) UpDown2->setValue(fieldValue(UpDown2, height));
  showingFrameSize_ = false;
}

void TForm2::Button1Click() {
  const std::optional<uint32_t> chosen = dialogs_.ChooseColor(transparentColor_);
  if (chosen) transparentColor_ = *chosen;
}

TNewObjectChoices TForm2::Choices() const {
  TNewObjectChoices c;
  c.PictureFileName = pictureFileName_;
  c.TransparentColor = transparentColor_;
  c.Transparent = CheckBox2->isChecked();
  c.Animated = CheckBox1->isChecked();
  c.Name = Edit5->text().toStdString();
  c.FrameWidth = UpDown1->value();
  c.FrameHeight = UpDown2->value();
  c.TypeIndex = ComboBox1->currentIndex();
  c.SpeedFrames = Edit3->text().toStdString();
  c.SpeedTicks = Edit4->text().toStdString();
  c.Health = UpDown3->value();
  c.ConstantEffect = RadioConstant->isChecked();
  c.WeaponTypeIndex = ComboBox2->currentIndex();
  c.AmmoCount = UpDown4->value();
  return c;
}

char TForm2::DecimalSeparator() const {
  const QString point = locale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode()) : '.';
}

TNewObject TForm2::BuildObject(int32_t number) const {
  return TNewObjectBuilder::Build(Choices(), number, DecimalSeparator());
}

}  // namespace kestrilo
