// The controller's operations through component streams.
#include "designer/DsnTransfer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "designer/DsnRegister.h"
#include "designer/DsnStage.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/Clipboard.h"
#include "framework/windows/RedrawLock.h"
#include "streaming/ClipboardBlock.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

namespace {

UINT DesignerClipboardFormat() { return TClipboard::RegisterFormat(TDsnTransfer::kClipboardFormatName); }

// The number of parents between `control`'s parent and `stage`.
int DepthBelow(const TControl* control, const TWinControl* stage) {
  int depth = 0;
  for (const TWinControl* p = control->Parent(); p && p != stage; p = p->Parent()) ++depth;
  return depth;
}

// A pasted control lying beyond its parent's right or bottom edge is moved back inside.
void KeepInsideParent(TControl* control) {
  const TWinControl* parent = control->Parent();
  if (!parent) return;
  if (parent->Width() < control->Left()) control->SetLeft(std::max(parent->Width() - control->Width(), 0));
  if (parent->Height() < control->Top()) control->SetTop(std::max(parent->Height() - control->Height(), 0));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Clipboard and delete

bool TDsnTransfer::CanCopy() const {
  const TTargetList* targets = controller_.TargetList();
  return targets && targets->GetCount() > 0 && controller_.SameParent();
}

bool TDsnTransfer::CanPaste() const {
  const TTargetList* targets = controller_.TargetList();
  if (!targets) return false;
  const int count = targets->GetCount();
  if (count > 1) return false;
  if (count == 1) {
    const TControl* selected = targets->GetItems(0);
    if (!selected || !selected->ControlStyle().Contains(csAcceptsControls)) return false;
  }
  return Clipboard().HasFormat(DesignerClipboardFormat());
}

void TDsnTransfer::Copy() {
  const TTargetList* targets = controller_.TargetList();
  TMemoryStream block;
  block.SetSize(clipboard_block::kHeaderSize);
  block.SetPosition(clipboard_block::kHeaderSize);
  {
    TComponentWriter writer(block, controller_.Owner());
    for (int i = 0; i < targets->GetCount(); ++i) {
      TControl* control = targets->GetItems(i);
      if (!control) continue;
      writer.WriteSignature();
      writer.WriteComponent(control);
    }
    writer.WriteListEnd();
  }
  const std::int64_t length = block.Size() - static_cast<std::int64_t>(clipboard_block::kHeaderSize);
  if (length > INT32_MAX) throw EWriteError("The selection is too large for the clipboard");
  const auto stored = static_cast<std::int32_t>(length);
  std::memcpy(block.Memory(), &stored, clipboard_block::kHeaderSize);
  Clipboard().SetAsBytes(DesignerClipboardFormat(), {block.Memory(), static_cast<std::size_t>(block.Size())});
}

void TDsnTransfer::Paste(TWinControl* container) {
  // Any program can fill the clipboard: the block is a document of the stage's kind.
  const TDocumentRules& rules = controller_.DsnStage()->DocumentRules();
  const std::vector<std::uint8_t> block =
      Clipboard().GetAsBytes(DesignerClipboardFormat(), clipboard_block::kHeaderSize + rules.MaxBytes);
  if (block.empty()) return;
  const std::span<const std::uint8_t> bytes = clipboard_block::StreamOf(block);
  TMemoryStream stream;
  stream.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  TComponentReader reader(stream);
  reader.ReadAsDocument(rules);
  reader.OnSetName = [this](TReader* r, TComponent* component, String& name) { controller_.CheckName(r, component, name); };
  freeNames_.Clear();
  // The pasted controls, their grab handles and the handles' cursors arrive all at once.
  TRedrawLock redraw(container);
  TCursorChangeBatch cursors;
  std::vector<TComponent*> pasted;
  reader.ReadComponents(controller_.Owner(), container,
                        [&pasted](TComponent* component) { pasted.push_back(component); });
  // Only a block read whole replaces the selection: a damaged one leaves it as the user had it.
  controller_.ClearSelect();
  for (TComponent* component : pasted) controller_.ComponentsProcClipbrd(component);
  if (controller_.TargetList()) controller_.TargetList()->SetPosition();
  controller_.DesignChanged();
}

void TDsnTransfer::Adopt(TComponent* component) {
  auto* control = dynamic_cast<TControl*>(component);
  if (!control) return;
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && controller_.Designing())
    controller_.SetSubClass(windowed);
  KeepInsideParent(control);
  TTargetList* targets = controller_.TargetList();
  (targets ? targets : controller_.NewTargetList())->Add(control);
}

void TDsnTransfer::Delete() {
  TTargetList* targets = controller_.TargetList();
  if (!targets) return;
  TDsnStage* stage = controller_.DsnStage();
  TList doomed;
  for (int i = 0; i < targets->GetCount(); ++i) {
    // The stage carries the design itself: selecting it is for pasting, never for deleting.
    TControl* control = targets->GetItems(i);
    if (control && control != stage) doomed.Add(control);
  }
  controller_.ClearSelect();
  if (stage && stage->OnDeleteQuery) {
    for (int i = doomed.Count() - 1; i >= 0; --i) {
      bool canDelete = true;
      stage->OnDeleteQuery(stage, static_cast<TControl*>(doomed[i]), canDelete);
      if (!canDelete) doomed.Delete(i);
    }
  }
  SortForDelete(&doomed);
  {
    // The controls leave the stage all at once (the query may have asked the user first).
    TRedrawLock redraw(stage);
    TCursorChangeBatch cursors;
    for (int i = doomed.Count() - 1; i >= 0; --i) delete static_cast<TControl*>(doomed[i]);
  }
  if (controller_.TargetList()) controller_.TargetList()->SetPosition();
  controller_.DesignChanged();
}

void TDsnTransfer::SortForDelete(TList* controls) const {
  const TWinControl* stage = controller_.DsnStage();
  controls->Sort([stage](void* a, void* b) {
    return DepthBelow(static_cast<TControl*>(a), stage) - DepthBelow(static_cast<TControl*>(b), stage);
  });
}

// ---------------------------------------------------------------------------------------------
// The palette's copy of a template

void TDsnTransfer::CopyPaste(TControl* source, TWinControl* parent) {
  // Nameless while copied, so the copy's name is chosen afresh.
  const String name = source->Name();
  source->SetName("");
  const TScopeGuard renamed([source, &name] { source->SetName(name); });
  TMemoryStream stream;
  {
    TComponentWriter writer(stream, source->Owner());
    writer.WriteSignature();
    writer.WriteComponent(source);
    writer.WriteListEnd();
  }
  stream.SetPosition(0);
  TComponentReader reader(stream);
  reader.OnSetName = [this](TReader* r, TComponent* component, String& newName) {
    controller_.CheckName(r, component, newName);
  };
  freeNames_.Clear();
  reader.ReadComponents(parent->Owner(), parent, [this](TComponent* component) { controller_.ComponentsProc(component); });
}

void TDsnTransfer::CheckName(TReader* reader, TComponent* component, String& name) {
  DsnCheckName(controller_.Owner(), reader, component, name, &freeNames_);
  if (TDsnStage* stage = controller_.DsnStage()) stage->PostControlCreated(component);
}
