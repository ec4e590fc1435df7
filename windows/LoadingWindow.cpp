#include "windows/LoadingWindow.h"

#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

namespace kestrilo {

namespace {

QProgressBar* MakeBar(QWidget* parent, int left, int top) {
  auto* bar = new QProgressBar(parent);
  bar->setGeometry(left, top, 233, 16);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  return bar;
}

QLabel* MakeLabel(QWidget* parent, const char* text, int left, int top) {
  auto* label = new QLabel(QCoreApplication::translate("TForm3", text), parent);
  label->move(left, top);
  return label;
}

}  // namespace

TForm3::TForm3(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      GroupBox1(new QGroupBox(tr("Загрузка компонентов:"), this)),
      Label1(MakeLabel(GroupBox1, QT_TRANSLATE_NOOP("TForm3", "Загрузка основного файла:"), 16, 32)),
      ProgressBar1(MakeBar(GroupBox1, 16, 48)),
      Label2(MakeLabel(GroupBox1, QT_TRANSLATE_NOOP("TForm3", "Загрузка плоскостей заднего плана:"), 16, 72)),
      ProgressBar2(MakeBar(GroupBox1, 16, 88)),
      mainBar_(ProgressBar1),
      planesBar_(ProgressBar2) {
  setObjectName("Form3");
  setWindowTitle(tr("Загрузка уровня"));
  QFont font("MS Sans Serif");
  font.setPointSize(8);
  setFont(font);
  Label1->adjustSize();
  Label2->adjustSize();
  setFixedSize(316, 154);
  GroupBox1->setGeometry(24, 16, 265, 121);
  GroupBox1->setObjectName("GroupBox1");
  Label1->setObjectName("Label1");
  Label2->setObjectName("Label2");
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar2->setObjectName("ProgressBar2");
}

void TForm3::ShowAndPaint() {
  show();
  repaint();
}

}  // namespace kestrilo
