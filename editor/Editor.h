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

#include <QUndoStack>

#include "platform/DialogService.h"
#include "editor/DocumentState.h"
#include "editor/EditorAttachments.h"
#include "editor/EditorSettings.h"
#include "editor/FrameChanges.h"
#include "editor/EditCommands.h"
#include "editor/EditorPorts.h"
#include "editor/PlayTesting.h"
#include "editor/PaintStroke.h"
#include "editor/PlacedObjectProperties.h"
#include "editor/Selection.h"
#include "editor/ViewZoom.h"
#include "editor/Viewport.h"
#include "world/LevelClipboard.h"
#include "editor/Recovery.h"
#include "editor/StatusOverlay.h"
#include "world/LevelCheck.h"

namespace kestrilo {

struct TGameContext;
struct TObjectRecord;
class TLevelDraft;
class TCanvas;
class TDrawingSurface;
class TDXTimer;
class TInputRecorder;
class TMatrix;
class TSpriteEngine;

// The raw 5-6-5 pixel value the frame step fills the back buffer with: very dark green.
constexpr uint16_t kFrameBackgroundPixel = 128;

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

class TEditor {
 public:
  TEditor(TGameContext& Context, TDialogService& Dialogs);
  ~TEditor();

  // The window fills these once (editor/EditorAttachments.h).
  TEditorAttachments Attachments;
  // The folder of the data files, with its trailing separator; empty means
  // "Data/" below the executable's folder (the headless tool points it elsewhere).
  std::string DataFolder;
  // The level's file, whether the level and the library have unsaved changes,
  // and what the last command did; LevelFile is the level's file (empty for a
  // level never saved or loaded; a recording is saved beside it).
  QUndoStack UndoStack;  // every change of the level and of the library
  TDocumentState Document{UndoStack};
  const std::string& LevelFile = Document.LevelFile;
  // The recovery files; an empty folder keeps none (headless runs).
  TRecovery Recovery;

  // The Settings menu: its ticks and the commands that switch them.
  TEditorSettings& Settings() { return settings_; }
  const TEditorSettings& Settings() const { return settings_; }

  // Start-up, in this order: the components of the main window (picture lists
  // and sprite engine) bound to the drawing area; the settings as a run starts
  // with them (Settings().Reset()); once the drawing area is ready, the empty
  // library and level.
  void CreateComponents();
  void CreateEmptyLibraryAndLevel();

  // Undo and redo of the last change of the level or the library.
  void Undo();
  void Redo();
  // The status line under the drawing area: the level's file, marks for
  // unsaved level and library changes, the last command's result.
  std::string StatusText() const;

  // The object library.
  TSidePanelUpdate OpenObjectsFile();
  void SaveObjectsFile();
  void AddObject();
  TSidePanelUpdate DeleteObject(const std::string& SelectedName, uint8_t CurrentType);
  // The level files. SaveLevel writes the level to its own file with no
  // dialog and no question (a level never saved asks for a name); SaveLevelAs
  // asks for a file, proposing the level's own. Both are true when the level
  // was written. NewLevel puts an empty level in place, offering unsaved
  // changes for saving first.
  bool SaveLevel();
  bool SaveLevelAs();
  void NewLevel();
  void LoadLevel();
  // What LoadLevel does once its dialog has answered with Path.
  void LoadLevelFrom(const std::string& Path);
  // Asks whether to exit (with unsaved work whether to save it, Да / Нет /
  // Отмена; without, "Правда выйти ?") and ends the program when confirmed;
  // true then. The window's close that the end brings asks nothing more.
  bool RequestExit();
  // The main window is being closed: asks about unsaved changes when there
  // are any and the exit was not agreed yet; true when the window may close,
  // and the run then ends cleanly (the window's close ends the program).
  bool CloseRequested();
  // Unsaved changes are offered for saving first (Да / Нет / Отмена); true
  // when the step that follows may go on.
  bool SaveChangesFirst();
  // Writes the recovery files when something has been unsaved for long
  // enough (at every frame step) or at once (the preview is switched on).
  void AutosaveIfDue();
  void AutosaveNow();
  // At start-up: marks the run as going on and, after a run that did not end
  // cleanly, offers to restore its recovery files.
  void OfferRecovery();
  // A clean end of the run: the marker and the recovery files go.
  void EndCleanly();
  void ShowAbout();
  // Side panel: the type list, the object list and the Z spinner.
  TSidePanelUpdate ChangeObjectType(uint8_t Type);
  // The object list of a type refilled, the rest of the panel left alone.
  TSidePanelUpdate ObjectList(uint8_t Type);
  TSidePanelUpdate ChooseObject(const std::string& SelectedName);
  void ChangePlane(int32_t Plane);
  // Mouse and keyboard. Points are in the drawing area's client pixels.
  void PlaceAt(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  void DeleteAt(int32_t X, int32_t Y);
  // A key pressed in the window: the arrows scroll the view, Space switches
  // the player's gravity on, Del deletes what is selected.
  void PressKey(uint32_t Key);
  // Mouse wheel over the view: one cell up (positive) or down per notch.
  void ScrollByWheel(int32_t Notches);

  // Play-testing: test from here, restart, pause, step, the preview.
  TPlayTesting& Play() { return playTesting_; }
  const TPlayTesting& Play() const { return playTesting_; }
  // The pointer over the drawing area (client pixels): strokes, selecting,
  // dragging the selection and placing a paste (shell/EditorRegions.cpp).
  // A press or release answers true when it was taken by one of them; a
  // release answering false is a plain click for DXDraw1Click/DXDraw1MouseUp.
  bool PointerPressed(TPointerButton Button, int32_t X, int32_t Y, bool Shift, const TPlacementInputs& Inputs);
  void PointerMoved(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  bool PointerReleased(TPointerButton Button, int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  void PointerLeft();
  // The selection and the clipboard ("Правка"). Each change is one undo step.
  void CopySelection();
  void CutSelection();
  void DeleteSelection();
  void FillSelection(const TPlacementInputs& Inputs);
  void ClearSelection() { Selection.Clear(); }
  // Shows the clipboard as a ghost under the pointer until a click places it.
  void StartPaste();
  bool PasteShown() const { return pasteShown_; }
  // Pastes the clipboard with its top-left cell at a cell of the level.
  void PasteAt(int64_t Column, int64_t Row);
  // Moves the selected objects by whole cells; the selection goes with them.
  void MoveSelection(int64_t Columns, int64_t Rows);
  // Zooming the edit view out and back in (edit mode only), and putting the
  // view around a cell of the overview map.
  void ZoomOut();
  void ZoomIn();
  void CenterViewOn(int64_t Column, int64_t Row);
  // Centres the view on a cell and marks it until the next press in the
  // view (a finding of the level check was chosen).
  void ShowCell(int64_t Column, int64_t Row);
  const std::optional<TCellPoint>& MarkedCell() const { return markedCell_; }
  // A square of the overview map clicked, at a point from the map's top-left
  // corner: the view moves around its cell.
  void OverviewClicked(int32_t X, int32_t Y);
  // Level cells across and down the view shows now, at its zoom.
  int32_t ColumnsShown() const;
  int32_t RowsShown() const;
  // The level cell under a drawing-area pixel, at the current zoom.
  TCellPoint CellAt(int32_t X, int32_t Y) const;
  // The zoom as it applies now: the preview always plays at full size.
  int32_t ViewDivisor() const;
  int32_t ToViewPixel(int32_t Pixel) const { return Pixel * ViewDivisor(); }

  TSelection Selection;
  // The placed object chosen for the properties panel; its changes are undo steps.
  TPlacedObjectProperties Properties;
  TLevelClip Clipboard;  // kept across levels for the whole run
  TViewZoom Zoom;
  // The drawing area's size as the window gives it, and the overview's place.
  TViewport Viewport;

  // One tick of the frame loop, and the grid and status lines it draws.
  // The world ticks at every step; the frame is drawn and presented only when
  // it would show something the last one presented did not.
  void FrameStep();
  void DrawOverlay(bool ShowGrid, bool ShowText, uint8_t CellSize);
  const TFrameChanges& FrameChanges() const { return frameChanges_; }

  // Fixed paths below the executable's folder.
  std::string DataPath(const std::string& FileName) const;
  // Redraws the overview map for a plane.
  void RedrawOverview(int32_t Plane);

  // The wrapper every command runs in: errors become a message and the editor goes on.
  // Returns false when the command ended with an error.
  bool Guarded(const std::function<void()>& Command);

  // What the parts share: the game context and the dialogs the commands
  // work on, the one undo stack's recording, the last result, and the
  // check that a component the command needs has been made.
  TGameContext& Context;
  TDialogService& Dialogs;
  void Record(TEditCommand* Command);
  void ClearHistory();
  void SetResult(const std::string& Text);
  void Require(bool present, const char* what) const;
  TSpriteEngine& Root() const;

 private:
  TFileDialogRequest LevelDialog(const char* filter) const;
  void ReadObjectsFile(TSidePanelUpdate& Update, const std::string& ObjectsPath);
  // An existing file is replaced only when the designer answers Да; the question defaults to Нет.
  bool MayReplace(const std::string& Path, const char* Question, const char* Caption);
  bool SaveLevelTo(const std::function<std::optional<std::string>()>& ChooseFile);
  // The level's own file, or the one the designer names when it has none.
  std::optional<std::string> OwnLevelFileOrAsk();
  void WriteLevelTo(const std::string& Path);
  // The library has entries the level places that its objects file does not
  // hold yet (world/LevelCheck.h: UnsavedEntriesInUse).
  bool LevelNamesUnsavedEntries() const;
  bool SaveObjectsFileNow();
  void ReadLevelFile(const std::string& Path);
  // A level read in full becomes the designed level: the world is built from
  // it, the view goes to its start and the history starts afresh.
  void PutLevelInPlace(const TMatrix& Level);
  void LevelChangedOn(int32_t Plane);
  void ShowObjectsOfType(uint8_t Type, TSidePanelUpdate& Update);
  void PlaceChosenObject(int32_t X, int32_t Y, const TPlacementInputs& Inputs);
  void ReadLevel(const std::function<std::optional<std::string>()>& ChooseFile);
  TObjectRecord ChosenRecord(const TPlacementInputs& Inputs) const;
  // One cell of a stroke: placed or erased, the change kept by the stroke.
  void StrokeCell(TGridCell Cell, const TPlacementInputs& Inputs);
  TGridCell GridCellAt(int32_t X, int32_t Y) const;
  TPlaneMask SelectionPlanes() const;
  // Writes a region edit worked out on a draft as one undo step.
  void RecordDraft(const TLevelDraft& Draft, const QString& Text, const std::string& Result);
  // The ghost of the chosen object or of the paste, the selection's outline.
  void DrawEditMarks();
  // A hash of everything DrawEditMarks reads.
  uint64_t EditMarksKey() const;
  void DrawZoomedWorld();
  TOverlayStatus OverlayStatus() const;
  // What the frame drawn now would show, and drawing it.
  TFrameContent NextFrameContent() const;
  void DrawFrame(const TFrameContent& Frame);
  void ShowObjectPicture(const std::string& Name, TSidePanelUpdate& Update);
  void BeginTestAt(TStartCell Pointed);
  void PlayFromStart();
  void EndTestNow();

  bool inTick_ = false;
  TStatusOverlay overlay_;  // keeps the status lines of the last frames
  TFrameChanges frameChanges_;
  // Commands run and edits recorded: edits of placed objects that the
  // world's drawn state may not see make the next frame drawn.
  uint64_t commandsRun_ = 0;
  TCommandHooks hooks_;
  TEditorSettings settings_{Context, Attachments};
  TPlayTesting playTesting_{*this};
  TPaintStroke stroke_;
  std::optional<std::pair<int32_t, int32_t>> pointer_;  // over the drawing area, client pixels
  std::string ghostName_;                                // the chosen object, for its ghost
  bool pasteShown_ = false;
  std::optional<TCellPoint> markedCell_;  // a cell the level check pointed at
  // The designer agreed to end the run (the exit command's question was
  // answered); the window's close asks no second time.
  bool exitAgreed_ = false;
  // When the recovery files stopped matching the document (a change since
  // they were written), or none while they match.
  std::optional<uint64_t> staleSince_;
};

// The Z-spinner position the type change gives each type with auto control on.
int32_t AutoPlaneOfType(uint8_t Type);
// The side-panel fields the type change enables for each type.
TFieldStates AutoFieldsOfType(uint8_t Type);

}  // namespace kestrilo
