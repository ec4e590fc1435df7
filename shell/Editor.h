// The editor's command layer: one method per command of the menu, the side
// panel, the mouse and the keyboard, plus the frame step. It owns nothing; it
// works on the game context and the dialog service, so the same command runs
// from a click in the main window, from a test and from the headless tool.
// Every command runs inside one wrapper that shows an error's message and lets
// the editor go on, as the application's general error handler does.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/DialogService.h"
#include "shell/EditorPorts.h"
#include "shell/StatusOverlay.h"

namespace kestrilo {

struct TGameContext;
class TCanvas;
class TDXDraw;
class TDXTimer;
class TInputRecorder;
class TSpriteEngine;

// The raw 5-6-5 pixel value the frame step fills the back buffer with: very dark green.
constexpr uint16_t kFrameBackgroundPixel = 128;

// The ticks of the Settings menu items that are state in their own right.
struct TSettingsTicks {
  bool N12 = false;  // "Видимость" of the player
  bool N13 = false;  // "Гравитация" of the player
  bool N16 = true;   // "Авто контроль"
  bool N01 = true;   // "Задержка вкл"
  bool N17 = false;  // "Предварительный просмотр"
};

// The side-panel fields that the type change switches on and off.
struct TFieldStates {
  bool ZPlane = true;      // UpDown1, Edit1
  bool LiftHeight = true;  // UpDown3, Edit6
  bool KeyCode = true;     // UpDown2, Edit2
  bool operator==(const TFieldStates&) const = default;
};

// What the side panel must show after a command; only the parts set change.
struct TSidePanelUpdate {
  std::optional<std::vector<std::string>> ObjectNames;  // ComboBox2's lines (Windows-1251)
  int32_t ObjectIndex = -1;                             // the line to select, -1 none
  std::optional<QImage> Picture;                        // Image1
  std::optional<TFieldStates> EnabledFields;
  std::optional<int32_t> ZPosition;                     // UpDown1
};

// The side-panel values a placement reads.
struct TPlacementInputs {
  std::string ObjectName;  // ComboBox2's selected name (Windows-1251), empty when none
  int32_t LiftHeight = 0;  // UpDown3, -128..127
  int32_t KeyCode = 0;     // UpDown2, 0..255
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

class TEditor {
 public:
  TEditor(TGameContext& Context, TDialogService& Dialogs);

  // Attachments (none is owned; each may be absent in headless runs).
  TDXDraw* DXDraw1 = nullptr;
  TDXTimer* DXTimer1 = nullptr;
  TCanvas* OverviewCanvas = nullptr;  // the main window's canvas for the overview map
  TNewObjectSource* Form2 = nullptr;
  TLoadingWindowPort* Form3 = nullptr;
  std::function<void()> OverviewChanged;  // the overview was redrawn
  std::function<void()> Terminate;        // end the application
  std::function<int32_t()> CursorX;       // the mouse cursor's screen X
  int32_t DrawAreaLeft = 8;               // the drawing area's left edge in the window
  // Keeps the held keys of every preview tick while a recording runs.
  TInputRecorder* Recorder = nullptr;
  // The folder of the data files, with its trailing separator; empty means
  // "Data/" below the executable's folder (the headless tool points it elsewhere).
  std::string DataFolder;
  // The matrix file the last load read, empty before any (a recording is saved beside it).
  std::string LevelFile;

  TSettingsTicks Ticks;

  // Start-up steps. The components of the main window (picture lists and
  // sprite engine) bound to the drawing area, then the creation and
  // initialised steps.
  void CreateComponents();
  void FormCreate();
  void DXDraw1Initialize();

  // Objects file, objects.
  TSidePanelUpdate N2Click();
  void N3Click();
  void N6Click();
  TSidePanelUpdate N15Click(const std::string& SelectedName, uint8_t CurrentType);
  // Matrix files.
  void N7Click();
  void N8Click();
  // Exit: true when the designer confirmed.
  bool N4Click();
  // Settings.
  void N12Click();
  void N13Click();
  void N32321Click();
  void N64641Click();
  void N1281281Click();
  void N14Click();
  void N16Click();
  void N01Click();
  void N17Click();
  // About.
  void N20Click();
  // Side panel.
  TSidePanelUpdate ComboBox1Change(uint8_t Type);
  TSidePanelUpdate ComboBox2Change(const std::string& SelectedName);
  void UpDown1Click(int32_t Position);
  // Mouse and keyboard. Points are in the drawing area's client pixels.
  void DXDraw1Click(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  void DXDraw1MouseUp(TMouseButton Button, int32_t X, int32_t Y);
  void FormKeyDown(uint32_t Key);
  // Mouse wheel over the view: one cell up (positive) or down per notch.
  void MouseWheel(int32_t Notches);

  // The frame step and its overlay.
  void DXTimer1Timer(int32_t LagCount);
  void DrawOverlay(uint8_t ShowGrid, uint8_t ShowText, uint8_t CellSize);

  // Fixed paths below the executable's folder.
  std::string DataPath(const std::string& FileName) const;
  // Redraws the overview map for a plane.
  void RedrawOverview(int32_t Plane);

  // The wrapper every command runs in: errors become a message and the editor goes on.
  // Returns false when the command ended with an error.
  bool Guarded(const std::function<void()>& Command);

 private:
  TSpriteEngine& Root() const;
  void Require(bool present, const char* what) const;
  TFileDialogRequest MatrixDialog(const char* filter) const;
  void OpenObjectsFile(TSidePanelUpdate& Update);
  void ChangeType(uint8_t Type, TSidePanelUpdate& Update);
  void PlaceObject(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  void LoadMatrix();
  void ShowObjectPicture(const std::string& Name, TSidePanelUpdate& Update);

  TGameContext& Context;
  TDialogService& Dialogs;
  bool inTick_ = false;
  TStatusOverlay overlay_;  // keeps the status lines of the last frames
};

// The Z-spinner position the type change gives each type with auto control on.
int32_t AutoPlaneOfType(uint8_t Type);
// The side-panel fields the type change enables for each type.
TFieldStates AutoFieldsOfType(uint8_t Type);

}  // namespace kestrilo
