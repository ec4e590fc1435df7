// The monster editor: a window over the records of the monster file, in file
// order, with every field of the selected record, a preview that plays its
// animation states, undo and redo, and saving. Questions go through the
// dialog service, so that tests answer them.
#pragma once

#include <QDialog>
#include <QSize>
#include <QUndoStack>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/MonsterPreviewAnimation.h"
#include "library/MonsterFile.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QHBoxLayout;
class QVBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QTimer;
class QWidget;

namespace kestrilo {

class TDialogService;
class TEditor;
class TObjectDataBase;
class TPictureCollection;
class TPictureCollectionItem;
struct TGameContext;

// The size the window opens at where the screen has room for it.
inline constexpr QSize kMonsterEditorSize{1240, 720};

class TMonsterEditorWindow : public QDialog {
  Q_OBJECT
 public:
  // Reads the monster file (a missing one gives an empty list). `library`
  // gives the monster objects' names, `pictures` the pictures; either may be
  // null (no library opened yet).
  TMonsterEditorWindow(std::string monsterFilePath, const TObjectDataBase* library, const TPictureCollection* pictures,
                       TDialogService& dialogs, QWidget* parent = nullptr);
  ~TMonsterEditorWindow() override;

  // What the buttons do.
  void AddMonster();
  void DuplicateMonster();
  void DeleteMonster();
  void MoveMonsterUp();
  void MoveMonsterDown();
  // Writes the file; false (after saying why) when it could not be written.
  bool Save();
  // Called after every successful save with what was written.
  std::function<void(const TMonsterFile&)> Saved;
  // With unsaved changes, asks whether to save them: Да saves, Нет drops
  // them, Отмена (the default) keeps the window open. True when it may close.
  bool ConfirmClose();

  void ShowMonster(int32_t index);
  int32_t CurrentIndex() const { return current_; }
  const TMonsterFile& File() const { return file_; }
  QUndoStack& UndoStack() { return undo_; }
  bool HasUnsavedChanges() const { return !undo_.isClean(); }
  // The preview's player and the frame it shows; ticks advance it as the
  // window's timer does.
  const TMonsterPreviewAnimation& Preview() const { return animation_; }
  void AdvancePreview(int32_t ticks);
  int32_t PreviewFrameCount() const;
  // The problems of the shown record, one per line (empty when none).
  QString ProblemsText() const;

  // Controls.
  QListWidget* MonsterList = nullptr;
  QPushButton *AddButton = nullptr, *DuplicateButton = nullptr, *DeleteButton = nullptr;
  QPushButton *UpButton = nullptr, *DownButton = nullptr;
  QComboBox* NameChoice = nullptr;
  QSpinBox *HealthMinField = nullptr, *HealthMaxField = nullptr;
  QSpinBox *DamageMinField = nullptr, *DamageMaxField = nullptr;
  QSpinBox* WalkSpeedField = nullptr;
  QLabel* WalkSpeedPixels = nullptr;
  QComboBox* MoveModeChoice = nullptr;
  QCheckBox* CanJumpBox = nullptr;
  QCheckBox* WakeByDistanceBox = nullptr;
  QSpinBox* WakeDistanceField = nullptr;
  QCheckBox* HunterBox = nullptr;
  QComboBox* ShotPictureChoice = nullptr;
  QSpinBox* ShotDelayField = nullptr;
  QDoubleSpinBox* AnimSpeedField = nullptr;
  QLabel* AnimSpeedFrames = nullptr;
  std::array<QSpinBox*, TMonsterRecord::kStateCount> FirstFrameFields{};
  std::array<QSpinBox*, TMonsterRecord::kStateCount> LastFrameFields{};
  std::array<QRadioButton*, TMonsterRecord::kStateCount> StateChoices{};
  QCheckBox* PlayInTurnBox = nullptr;
  QLabel* PreviewPicture = nullptr;
  QLabel* PreviewCaption = nullptr;
  QLabel* ProblemsLabel = nullptr;
  QPushButton *UndoButton = nullptr, *RedoButton = nullptr, *SaveButton = nullptr, *CloseButton = nullptr;
  // Everything but the buttons above, scrolled where the screen is too small.
  QScrollArea* FormArea = nullptr;
  // The preview stands under the list where the window is too narrow for it beside the form.
  bool PreviewUnderList() const;

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QWidget* BuildListPanel();
  QWidget* BuildFieldsPanel();
  QWidget* BuildFramesPanel();
  QWidget* BuildPreviewPanel();
  void ConnectFields();
  // Applies `change` to the shown record as one undoable step.
  template <typename TChange>
  void ChangeShown(const char* field, const char* caption, TChange&& change);
  void Refresh();
  void RefreshList();
  void RefreshFields();
  void RefreshTitle();
  void RestartPreview();
  void DrawPreview();
  const TPictureCollectionItem* PictureOf(const std::string& name) const;
  std::string UnusedMonsterName() const;

  std::string path_;
  TDialogService& dialogs_;
  const TPictureCollection* pictures_;
  std::vector<std::string> monsterNames_;  // the library's monster objects (Windows-1251)
  std::vector<std::string> pictureNames_;  // every picture of the library
  TMonsterFile file_;
  QUndoStack undo_;
  int32_t current_ = -1;
  bool refreshing_ = false;  // controls are being filled: their signals are no edits
  bool closing_ = false;
  TMonsterPreviewAnimation animation_;
  QTimer* previewTimer_ = nullptr;
  QHBoxLayout* columns_ = nullptr;     // list, form, preview
  QVBoxLayout* leftColumn_ = nullptr;  // the list, and the preview where the window is narrow
  QWidget* previewPanel_ = nullptr;
  int wideFormWidth_ = 0;  // the form's least width with the preview beside it
};

// The command behind Объект → "Монстры...": the monster editor over the data
// folder's monster file, with the opened library's names and pictures. A file
// that cannot be read is reported and no window opens. Once the library is
// open, saved records also replace the monster table, so that monsters made
// from then on (placed, or built by the next level load) follow them; monsters
// already in the world keep their own copies.
void OpenMonsterEditor(TEditor& editor, TGameContext& context, TDialogService& dialogs, QWidget* parent);
// The window the command shows, made ready but not shown.
std::unique_ptr<TMonsterEditorWindow> MakeMonsterEditor(TEditor& editor, TGameContext& context, TDialogService& dialogs,
                                                        QWidget* parent);

}  // namespace kestrilo
