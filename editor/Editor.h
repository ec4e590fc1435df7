// The editor's command layer: one method per command of the menu, the side
// panel, the mouse and the keyboard. The commands are grouped in parts by
// topic, each a class of its own reached through an accessor: files
// (Files()), autosave and recovery (Autosave()), play-testing (Play()), the
// pointer's gestures (Pointer()), the selection and the clipboard
// (Regions()), the frame loop (Frames()) and the settings (Settings()). The
// editor itself keeps what the parts share: the game context and the dialog
// service they work on, the one undo stack and the document's state, the
// selection, the clipboard and the view, and the library and side-panel
// commands. It owns no window, so the same command runs from a click in the
// main window, from a test and from the headless tool. Every command runs
// inside one wrapper that shows an error's message and lets the editor go
// on, as the application's general error handler does.
#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QUndoStack>

#include "editor/AutosaveAndRecovery.h"
#include "editor/DocumentState.h"
#include "editor/EditCommands.h"
#include "editor/EditorAttachments.h"
#include "editor/EditorFiles.h"
#include "editor/EditorPorts.h"
#include "editor/EditorSettings.h"
#include "editor/FindAndReplace.h"
#include "editor/FrameLoop.h"
#include "editor/PaintStroke.h"
#include "editor/PlacedObjectProperties.h"
#include "editor/PlaneView.h"
#include "editor/PlayTesting.h"
#include "editor/PointerGestures.h"
#include "editor/RegionCommands.h"
#include "editor/Selection.h"
#include "editor/SidePanelValues.h"
#include "editor/ViewZoom.h"
#include "editor/Viewport.h"
#include "platform/DialogService.h"
#include "world/LevelCheck.h"
#include "world/LevelClipboard.h"

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

  // The parts, by topic.
  TEditorFiles& Files() { return files_; }
  TAutosaveAndRecovery& Autosave() { return autosave_; }
  const TAutosaveAndRecovery& Autosave() const { return autosave_; }
  TPlayTesting& Play() { return playTesting_; }
  const TPlayTesting& Play() const { return playTesting_; }
  TPointerGestures& Pointer() { return pointer_; }
  const TPointerGestures& Pointer() const { return pointer_; }
  TRegionCommands& Regions() { return regions_; }
  TFrameLoop& Frames() { return frames_; }
  // Finding placed objects by name, marking them, replacing one by another.
  TFindAndReplace& Find() { return find_; }
  const TFindAndReplace& Find() const { return find_; }
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

  // The object library's entries.
  void AddObject();
  TSidePanelUpdate DeleteObject(const std::string& SelectedName, uint8_t CurrentType);
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

  // Zooming the edit view out and back in (edit mode only), and putting the
  // view around a cell of the overview map.
  void ZoomOut();
  void ZoomIn();
  void CenterViewOn(int64_t Column, int64_t Row);
  // Centres the view on a cell and marks it until the next press in the
  // view (a finding of the level check was chosen).
  void ShowCell(int64_t Column, int64_t Row);
  const std::optional<TCellPoint>& MarkedCell() const { return markedCell_; }
  void ForgetMarkedCell() { markedCell_.reset(); }
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
  // Which planes the edit view shows, which are locked, whether the others are dimmed.
  TPlaneView Planes;
  void ClearSelection() { Selection.Clear(); }
  // The placed object chosen for the properties panel; its changes are undo steps.
  TPlacedObjectProperties Properties;
  TLevelClip Clipboard;  // kept across levels for the whole run
  TViewZoom Zoom;
  // The drawing area's size as the window gives it, and the overview's place.
  TViewport Viewport;

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
  // Commands run and edits recorded since the start: edits of placed objects
  // that the world's drawn state may not see make the frame loop draw anew.
  uint64_t CommandsRun() const { return commandsRun_; }
  // What an edit command tells when it is done or undone.
  const TCommandHooks& Hooks() const { return hooks_; }
  // The chosen library object with the side panel's lift height and key code.
  TObjectRecord ChosenRecord(const TPlacementInputs& Inputs) const;
  // Writes a region edit worked out on a draft as one undo step; refused,
  // with the reason returned and shown on the status line, when it touches
  // a locked plane (empty when recorded).
  std::string RecordDraft(const TLevelDraft& Draft, const QString& Text, const std::string& Result);
  // The reason an edit of these planes is refused (a locked one among them),
  // shown on the status line; none when the edit may go on.
  std::optional<std::string> RefusalOnLockedPlanes(TPlaneMask Edited);
  void ShowObjectPicture(const std::string& Name, TSidePanelUpdate& Update);
  // A level was put in place: the window lists what the level check finds.
  void ReportLevelCheck();

 private:
  void LevelChangedOn(int32_t Plane);
  void ShowObjectsOfType(uint8_t Type, TSidePanelUpdate& Update);
  void PlaceChosenObject(int32_t X, int32_t Y, const TPlacementInputs& Inputs);

  TCommandHooks hooks_;
  uint64_t commandsRun_ = 0;
  std::optional<TCellPoint> markedCell_;  // a cell the level check pointed at
  TEditorSettings settings_{Context, Attachments};
  TEditorFiles files_{*this};
  TAutosaveAndRecovery autosave_{*this};
  TPlayTesting playTesting_{*this};
  TPointerGestures pointer_{*this};
  TRegionCommands regions_{*this};
  TFrameLoop frames_{*this};
  TFindAndReplace find_{*this};
};

}  // namespace kestrilo
