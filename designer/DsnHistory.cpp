// TDsnHistory: snapshots are stage streams without picture data; the pictures are kept beside
// them as copies, which share their pixels and compressed bytes with the page, so a step costs
// the stream and not the photos.
#include "designer/DsnHistory.h"

#include <unordered_set>

#include "designer/DsnRegister.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Image.h"

struct TDsnHistory::TSnapshot {
  struct TImagePicture {
    String image;  // the image's name, unique under the form
    std::shared_ptr<TPicture> picture;
  };

  std::uint64_t serial = 0;
  std::vector<std::uint8_t> layout;
  std::vector<TImagePicture> pictures;

  bool SameStageAs(const TSnapshot& other) const {
    if (layout != other.layout || pictures.size() != other.pictures.size()) return false;
    for (std::size_t i = 0; i < pictures.size(); ++i)
      if (pictures[i].image != other.pictures[i].image ||
          pictures[i].picture->Graphic()->SharedData() != other.pictures[i].picture->Graphic()->SharedData())
        return false;
    return true;
  }
};

namespace {

// The names of the selected controls, to select them again once the stage was read anew.
std::vector<String> SelectedNames(TDsnStage* stage) {
  std::vector<String> names;
  for (int i = 0; i < stage->TargetsCount(); ++i)
    if (TControl* control = stage->GetControls(i)) names.push_back(control->Name());
  return names;
}

void SelectByName(TDsnStage* stage, const std::vector<String>& names) {
  TDsnRegister* controller = stage->Controller();
  if (!controller || !controller->Designing() || !stage->Owner()) return;
  bool first = true;
  for (const String& name : names) {
    auto* control = dynamic_cast<TControl*>(stage->Owner()->FindComponent(name));
    if (!control) continue;
    if (first) controller->SelectByInspect(control);
    else controller->TargetList()->Add(control);
    first = false;
  }
  if (!first) controller->TargetList()->SetPosition();
}

}  // namespace

TDsnHistory::TDsnHistory(TDsnStage* stage, std::size_t limit, std::size_t byteBudget)
    : stage_(stage), limit_(limit), byteBudget_(byteBudget), current_(Take()) {}

TDsnHistory::~TDsnHistory() = default;

std::unique_ptr<TDsnHistory::TSnapshot> TDsnHistory::Take() const {
  auto snapshot = std::make_unique<TSnapshot>();
  TMemoryStream stream;
  stage_->WriteDesign(stream, [&snapshot](TComponentWriter&, TComponent* component, TPersistent* instance, const String&) {
    auto* image = dynamic_cast<TImage*>(component);
    if (!image || instance != image->Picture()) return false;
    auto copy = std::make_shared<TPicture>();
    copy->Assign(image->Picture());
    snapshot->pictures.push_back({image->Name(), std::move(copy)});
    return true;
  });
  snapshot->layout.assign(stream.Memory(), stream.Memory() + stream.Size());
  return snapshot;
}

void TDsnHistory::Restore(const TSnapshot& snapshot) {
  const std::vector<String> selected = SelectedNames(stage_);
  TMemoryStream stream;
  stream.Write(snapshot.layout.data(), static_cast<std::int64_t>(snapshot.layout.size()));
  stage_->LoadFromStream(&stream);
  for (const TSnapshot::TImagePicture& kept : snapshot.pictures)
    if (auto* image = dynamic_cast<TImage*>(stage_->Owner()->FindComponent(kept.image)))
      image->Picture()->Assign(kept.picture.get());
  SelectByName(stage_, selected);
}

bool TDsnHistory::Record() {
  std::unique_ptr<TSnapshot> now = Take();
  if (now->SameStageAs(*current_)) return false;
  now->serial = ++nextSerial_;
  undo_.push_back(std::move(current_));
  redo_.clear();
  current_ = std::move(now);
  while (!undo_.empty() && (undo_.size() > limit_ || HeldBytes() > byteBudget_)) undo_.pop_front();
  return true;
}

// The step moves only once the stage shows it: a load that fails leaves the history as it was.
bool TDsnHistory::Undo() {
  Record();
  if (undo_.empty()) return false;
  Restore(*undo_.back());
  redo_.push_back(std::move(current_));
  current_ = std::move(undo_.back());
  undo_.pop_back();
  return true;
}

bool TDsnHistory::Redo() {
  if (Record() || redo_.empty()) return false;
  Restore(*redo_.back());
  undo_.push_back(std::move(current_));
  current_ = std::move(redo_.back());
  redo_.pop_back();
  return true;
}

void TDsnHistory::Reset() {
  undo_.clear();
  redo_.clear();
  current_ = Take();
  current_->serial = ++nextSerial_;
  savedSerial_ = current_->serial;
}

void TDsnHistory::MarkSaved() {
  Record();
  savedSerial_ = current_->serial;
}

bool TDsnHistory::Modified() {
  Record();
  return current_->serial != savedSerial_;
}

std::size_t TDsnHistory::KeptPictureBytes() const {
  std::unordered_set<const void*> counted;
  for (const TSnapshot::TImagePicture& shown : current_->pictures) counted.insert(shown.picture->Graphic()->SharedData());
  std::size_t bytes = 0;
  auto count = [&](const TSnapshot& step) {
    for (const TSnapshot::TImagePicture& kept : step.pictures)
      if (counted.insert(kept.picture->Graphic()->SharedData()).second) bytes += kept.picture->Graphic()->SharedDataSize();
  };
  for (const auto& step : undo_) count(*step);
  for (const auto& step : redo_) count(*step);
  return bytes;
}

std::size_t TDsnHistory::OwnBytes() const {
  std::size_t bytes = current_->layout.size();
  for (const auto& step : undo_) bytes += step->layout.size();
  for (const auto& step : redo_) bytes += step->layout.size();
  return bytes;
}
