/// @file
/// TDsnHistory: the undo and redo history of a design stage, as snapshots of the stage taken after
/// each change, and the mark of the state last saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "framework/core/Text.h"

class TDsnStage;
class TPicture;

/// The undo and redo history of one stage. The application records a step after each change it
/// knows of (e.g. on TDsnRegister::OnDesignChange); undo and redo load a step's stage stream into
/// the stage again (TDsnStage::LoadFromStream), keeping the selection by name. Pictures are kept
/// as shared copies, so a step costs its stream and not its photos.
class TDsnHistory {
 public:
  /// Undo steps kept; older ones are forgotten.
  static constexpr std::size_t kDefaultLimit = 100;
  /// Bytes the steps may hold: their stage streams and the pictures they keep alive that the page
  /// no longer shows (photos dropped over or deleted); beyond them the oldest steps are forgotten
  /// too.
  static constexpr std::size_t kDefaultByteBudget = std::size_t(256) << 20;

  /// The stage as it is now is the starting point (and counts as saved). Not owned.
  explicit TDsnHistory(TDsnStage* stage, std::size_t limit = kDefaultLimit,
                       std::size_t byteBudget = kDefaultByteBudget);
  ~TDsnHistory();
  TDsnHistory(const TDsnHistory&) = delete;
  TDsnHistory& operator=(const TDsnHistory&) = delete;

  /// Takes the stage as it is now as a new step when it differs from the last one (so a click that
  /// changed nothing is no step); the redo steps are dropped then. True when it was a step.
  bool Record();
  /// Back to the state before the last step, or forward again; false when there is none. A change
  /// not yet recorded is recorded first, so it is never lost. A stage that cannot be loaded raises
  /// what TDsnStage::LoadFromStream raises, and the history stays at the step the stage shows.
  ///@{
  bool Undo();
  bool Redo();
  ///@}
  /// Whether Undo or Redo has a step to go to (a change not yet recorded is not counted).
  ///@{
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  ///@}
  /// The number of undo steps kept, at most the limit.
  std::size_t UndoCount() const { return undo_.size(); }

  /// Starts over from the stage as it is now, which counts as saved (after a comic was opened).
  void Reset();
  /// The stage as it is now is what was saved.
  void MarkSaved();
  /// The stage differs from what was last saved or opened (a change not yet recorded counts).
  bool Modified();

  /// Bytes of the steps' stage streams.
  std::size_t OwnBytes() const;
  /// Bytes of the pictures the steps keep alive that the page itself no longer shows.
  std::size_t KeptPictureBytes() const;
  /// What the budget counts: OwnBytes() and KeptPictureBytes().
  std::size_t HeldBytes() const { return OwnBytes() + KeptPictureBytes(); }

 private:
  struct TSnapshot;
  std::unique_ptr<TSnapshot> Take() const;
  void Restore(const TSnapshot& snapshot);

  TDsnStage* stage_;
  std::size_t limit_;
  std::size_t byteBudget_;
  std::unique_ptr<TSnapshot> current_;
  std::deque<std::unique_ptr<TSnapshot>> undo_;  ///< oldest first
  std::vector<std::unique_ptr<TSnapshot>> redo_;  ///< next redo last
  std::uint64_t nextSerial_ = 0;
  std::uint64_t savedSerial_ = 0;
};
