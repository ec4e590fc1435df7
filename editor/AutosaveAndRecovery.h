// Autosave and recovery: the recovery copies of the unsaved level and
// library, written when something has stayed unsaved for long enough (or at
// once, when play starts), offered back at the start of a run that follows
// one that did not end cleanly, and removed when the run ends cleanly.
#pragma once

#include <cstdint>
#include <optional>

#include "editor/Recovery.h"

namespace kestrilo {

class TEditor;

class TAutosaveAndRecovery {
 public:
  explicit TAutosaveAndRecovery(TEditor& Editor) : Editor(Editor) {}

  // The recovery files; an empty folder keeps none (headless runs).
  TRecovery Recovery;

  // The document changed: the copies no longer match it from now on.
  void DocumentChanged(std::optional<uint64_t> Now);
  // Writes the recovery files when something has been unsaved for long
  // enough (at every frame step) or at once (the preview is switched on).
  void AutosaveIfDue();
  void AutosaveNow();
  // At start-up: marks the run as going on and, after a run that did not end
  // cleanly, offers to restore its recovery files.
  void OfferRecovery();
  // A clean end of the run: the marker and the recovery files go.
  void EndCleanly();

 private:
  TEditor& Editor;
  // When the recovery files stopped matching the document (a change since
  // they were written), or none while they match.
  std::optional<uint64_t> staleSince_;
};

}  // namespace kestrilo
