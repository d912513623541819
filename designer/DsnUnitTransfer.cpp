// The controller's operations through component streams: copy, cut, paste and delete of the
// selection, and the palette's copy of a template.
//
// Every stream is written relative to the form (the stage's owner) and read with the form as the
// owner of what it makes, so references and event handlers bind to the form by name.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "designer/DsnUnit.h"
#include "designer/Dsnfunc.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/Clipboard.h"
#include "framework/windows/RedrawLock.h"
#include "streaming/ClipboardBlock.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

namespace {

UINT DesignerClipboardFormat() { return TClipboard::RegisterFormat(TDsnRegister::kClipboardFormatName); }

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
// TDsnRegister: clipboard and delete

bool TDsnRegister::CanCopy() { return targetList_ && targetList_->GetCount() > 0 && SameParent(); }

bool TDsnRegister::CanPaste() {
  if (!targetList_) return false;
  const int count = targetList_->GetCount();
  if (count > 1) return false;
  if (count == 1) {
    const TControl* selected = targetList_->GetItems(0);
    if (!selected || !selected->ControlStyle().Contains(csAcceptsControls)) return false;
  }
  return Clipboard().HasFormat(DesignerClipboardFormat());
}

TWinControl* TDsnRegister::PasteZero() { return dsnStage_; }

void TDsnRegister::Cut() {
  if (!CanCopy()) return;
  Copy();
  Delete();
}

void TDsnRegister::Copy() {
  if (!CanCopy()) return;
  TMemoryStream block;
  block.SetSize(clipboard_block::kHeaderSize);
  block.SetPosition(clipboard_block::kHeaderSize);
  {
    TComponentWriter writer(block, Owner());
    for (int i = 0; i < targetList_->GetCount(); ++i) {
      TControl* control = targetList_->GetItems(i);
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

void TDsnRegister::Paste() {
  if (!CanPaste() || !Owner() || !dsnStage_) return;
  TWinControl* container = targetList_->GetCount() == 1 ? dynamic_cast<TWinControl*>(targetList_->GetItems(0))
                                                         : PasteZero();
  if (!container) return;
  // Any program can fill the clipboard: the block is a document of the stage's kind.
  const TDocumentRules& rules = dsnStage_->DocumentRules();
  const std::vector<std::uint8_t> block =
      Clipboard().GetAsBytes(DesignerClipboardFormat(), clipboard_block::kHeaderSize + rules.MaxBytes);
  ClearSelect();
  if (block.empty()) return;
  const std::span<const std::uint8_t> bytes = clipboard_block::StreamOf(block);
  TMemoryStream stream;
  stream.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  stream.SetPosition(0);
  TComponentReader reader(stream);
  reader.ReadAsDocument(rules);
  reader.OnSetName = [this](TReader* r, TComponent* component, String& name) { CheckName(r, component, name); };
  freeNames_.Clear();
  // The pasted controls, their grab handles and the handles' cursors arrive all at once.
  TRedrawLock redraw(container);
  TCursorChangeBatch cursors;
  reader.ReadComponents(Owner(), container, [this](TComponent* component) { ComponentsProcClipbrd(component); });
  if (targetList_) targetList_->SetPosition();
  DesignChanged();
}

void TDsnRegister::ComponentsProcClipbrd(TComponent* component) {
  auto* control = dynamic_cast<TControl*>(component);
  if (!control) return;
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && designing_) SetSubClass(windowed);
  KeepInsideParent(control);
  EnsureTargetList()->Add(control);
}

void TDsnRegister::Delete() {
  if (!targetList_) return;
  TList doomed;
  for (int i = 0; i < targetList_->GetCount(); ++i) {
    // The stage carries the design itself: selecting it is for pasting, never for deleting.
    TControl* control = targetList_->GetItems(i);
    if (control && control != dsnStage_) doomed.Add(control);
  }
  ClearSelect();
  if (dsnStage_ && dsnStage_->OnDeleteQuery) {
    for (int i = doomed.Count() - 1; i >= 0; --i) {
      bool canDelete = true;
      dsnStage_->OnDeleteQuery(dsnStage_, static_cast<TControl*>(doomed[i]), canDelete);
      if (!canDelete) doomed.Delete(i);
    }
  }
  SortForDelete(&doomed);
  {
    // The controls leave the stage all at once (the query may have asked the user first).
    TRedrawLock redraw(dsnStage_);
    TCursorChangeBatch cursors;
    for (int i = doomed.Count() - 1; i >= 0; --i) delete static_cast<TControl*>(doomed[i]);
  }
  if (targetList_) targetList_->SetPosition();
  DesignChanged();
}

void TDsnRegister::SortForDelete(TList* controls) const {
  controls->Sort([this](void* a, void* b) {
    return DepthBelow(static_cast<TControl*>(a), dsnStage_) - DepthBelow(static_cast<TControl*>(b), dsnStage_);
  });
}

// ---------------------------------------------------------------------------------------------
// TDsnRegister: the palette's copy of a template

void TDsnRegister::CopyPaste(TControl* source, TWinControl* parent) {
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
  reader.OnSetName = [this](TReader* r, TComponent* component, String& newName) { CheckName(r, component, newName); };
  freeNames_.Clear();
  reader.ReadComponents(parent->Owner(), parent, [this](TComponent* component) { ComponentsProc(component); });
}

void TDsnRegister::CheckName(TReader* reader, TComponent* component, String& name) {
  DsnCheckName(Owner(), reader, component, name, &freeNames_);
  if (dsnStage_) dsnStage_->PostControlCreated(component);
}
