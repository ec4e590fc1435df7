// The loading window: its layout, and its bars during and after loads.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

#include "matrix/Matrix.h"
#include "tests/matrix/MatrixTestSupport.h"
#include "windows/LoadingWindow.h"

namespace kestrilo {
namespace {

TEST(LoadingWindow, LayoutAndTexts) {
  TForm3 form;
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Загрузка уровня"));
  EXPECT_EQ(form.size(), QSize(316, 154));
  EXPECT_EQ(form.GroupBox1->title(), QString::fromUtf8("Загрузка компонентов:"));
  EXPECT_EQ(form.GroupBox1->geometry(), QRect(24, 16, 265, 121));
  EXPECT_EQ(form.Label1->text(), QString::fromUtf8("Загрузка основного файла:"));
  EXPECT_EQ(form.Label1->pos(), QPoint(16, 32));
  EXPECT_EQ(form.Label2->text(), QString::fromUtf8("Загрузка плоскостей заднего плана:"));
  EXPECT_EQ(form.Label2->pos(), QPoint(16, 72));
  EXPECT_EQ(form.ProgressBar1->geometry(), QRect(16, 48, 233, 16));
  EXPECT_EQ(form.ProgressBar2->geometry(), QRect(16, 88, 233, 16));
  for (QProgressBar* bar : {form.ProgressBar1, form.ProgressBar2}) {
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->parentWidget(), form.GroupBox1);
  }
  EXPECT_TRUE(form.windowFlags() & Qt::Tool);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST(LoadingWindow, ShowAndPaintMakesItVisibleWithoutModality) {
  TForm3 form;
  form.ShowAndPaint();
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isModal());
  form.hide();
  EXPECT_FALSE(form.isVisible());
}

TEST(LoadingWindow, BarsClampPositionsToTheirRange) {
  TForm3 form;
  form.PlanesBar().SetPosition(101);
  EXPECT_EQ(form.ProgressBar2->value(), 100);
  form.PlanesBar().SetPosition(-5);
  EXPECT_EQ(form.ProgressBar2->value(), 0);
  form.MainBar().SetPosition(42);
  EXPECT_EQ(form.ProgressBar1->value(), 42);
}

// Notes the second bar's value whenever the first one moves.
class TWatchingBar : public TProgressBar {
 public:
  TWatchingBar(TProgressBar& inner, QProgressBar* watched) : inner_(inner), watched_(watched) {}
  void SetPosition(int32_t Position) override {
    inner_.SetPosition(Position);
    Seen.push_back(watched_->value());
  }
  std::vector<int> Seen;

 private:
  TProgressBar& inner_;
  QProgressBar* watched_;
};

TEST(LoadingWindow, BarsAfterAFirstAndASecondLoad) {
  testing::TTempFolder dir;
  const std::string path = dir.Path("level.mtf");
  testing::NewMatrix()->SaveToFile(path);

  TForm3 form;
  auto m = testing::NewMatrix();
  form.ShowAndPaint();
  ASSERT_TRUE(m->LoadFromFile(path, &form.MainBar(), &form.PlanesBar()));
  form.hide();
  EXPECT_EQ(form.ProgressBar1->value(), 100);
  EXPECT_EQ(form.ProgressBar2->value(), 100);
  EXPECT_FALSE(form.isVisible());

  // Neither bar is reset: the second one shows 100 while the matrix file is read.
  TWatchingBar main(form.MainBar(), form.ProgressBar2);
  testing::TRecordingBar planes;
  form.ShowAndPaint();
  ASSERT_TRUE(m->LoadFromFile(path, &main, &planes));
  ASSERT_FALSE(main.Seen.empty());
  for (int value : main.Seen) EXPECT_EQ(value, 100);
  ASSERT_FALSE(planes.Positions.empty());
  EXPECT_EQ(planes.Positions.front(), 0);
}

}  // namespace
}  // namespace kestrilo
