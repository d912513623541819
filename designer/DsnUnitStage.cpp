// The design stage and its drag settings: TRubberband, TDsnStage with its keyboard commands and
// posted notices, and the stage's files and streams.
#include <algorithm>
#include <new>

#include "designer/DsnRegister.h"
#include "designer/Dsnfunc.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Picture.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

// ---------------------------------------------------------------------------------------------
// TRubberband

void TRubberband::Publish(TPublisher<TRubberband>& p) {
  p.Prop("Color", &TRubberband::Color, &TRubberband::SetColor).Type(ColorTypeInfo()).Default(clGray);
  p.Prop("PenWidth", &TRubberband::PenWidth, &TRubberband::SetPenWidth).Default(2);
  p.Prop("MoveWidth", &TRubberband::MoveWidth, &TRubberband::SetMoveWidth).Default(8);
  p.Prop("MoveHeight", &TRubberband::MoveHeight, &TRubberband::SetMoveHeight).Default(8);
}

void TRubberband::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TRubberband*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  color_ = other->color_;
  penWidth_ = other->penWidth_;
  moveWidth_ = other->moveWidth_;
  moveHeight_ = other->moveHeight_;
}

// ---------------------------------------------------------------------------------------------
// TDsnStage

void TDsnStage::Publish(TPublisher<TDsnStage>& p) {
  p.Prop("SelfProps", &TDsnStage::SelfProps, &TDsnStage::SetSelfProps);
  p.Prop("OutProps", &TDsnStage::OutProps, &TDsnStage::SetOutProps);
  p.Prop("Rubberband", &TDsnStage::Rubberband, &TDsnStage::SetRubberband);
  p.Prop("CoverMenu", &TDsnStage::CoverMenu, &TDsnStage::SetCoverMenu);
  p.Prop("FixPosition", &TDsnStage::FixPosition, &TDsnStage::SetFixPosition).Default(false);
  p.Prop("FixSize", &TDsnStage::FixSize, &TDsnStage::SetFixSize).Default(false);
  p.Prop("OnDeleteQuery", &TDsnStage::OnDeleteQuery);
  p.Prop("OnCoverQuery", &TDsnStage::OnCoverQuery);
  p.Prop("OnSelectQuery", &TDsnStage::OnSelectQuery);
  p.Prop("OnMoveQuery", &TDsnStage::OnMoveQuery);
  p.Prop("OnControlCreate", &TDsnStage::OnControlCreate);
  p.Prop("OnControlLoading", &TDsnStage::OnControlLoading);
  p.Prop("OnControlLoaded", &TDsnStage::OnControlLoaded);
  p.Prop("OnCoverDblClick", &TDsnStage::OnCoverDblClick);
  p.Prop("OnMenuClick", &TDsnStage::OnMenuClick);
  p.Prop("OnPopup", &TDsnStage::OnPopup);
}

TDsnStage::TDsnStage(TComponent* owner)
    : TPanel(owner),
      selfProps_(std::make_unique<TStringList>()),
      outProps_(std::make_unique<TStringList>()),
      rubberband_(std::make_unique<TRubberband>(this)) {
  documentRules_.AllowDescendantsOf(TControl::StaticClassInfo());
  documentRules_.PixelsOf = StoredPicturePixels;
  documentRules_.CheckComponent = [this](const TComponent& component) { CheckDocumentComponent(component); };
}

TDsnStage::~TDsnStage() { BeforeDestruction(); }

void TDsnStage::SetDesignig(bool) {}

void TDsnStage::SetController(TDsnRegister* value) { controller_.Set(value); }

TCoverAccept TDsnStage::AskCover(TObject* sender, TComponent* component) {
  TCoverAccept canCover = caAllAccept;
  if (OnCoverQuery) OnCoverQuery(sender, component, canCover);
  return canCover;
}

TSelectAccept TDsnStage::AskSelect(TObject* sender, TComponent* component) {
  TSelectAccept canSelect{saCreate, saMove};
  if (OnSelectQuery) OnSelectQuery(sender, component, canSelect);
  return canSelect;
}

bool TDsnStage::AskMove(TComponent* component) {
  bool canMove = true;
  if (OnMoveQuery) OnMoveQuery(this, component, canMove);
  return canMove;
}

bool TDsnStage::GetCanCopy() { return controller_ && controller_->CanCopy(); }

bool TDsnStage::GetCanPaste() { return controller_ && controller_->CanPaste(); }

void TDsnStage::Delete() {
  if (controller_) controller_->Delete();
}

void TDsnStage::Cut() {
  if (controller_) controller_->Cut();
}

void TDsnStage::Copy() {
  if (controller_) controller_->Copy();
}

void TDsnStage::Paste() {
  if (controller_) controller_->Paste();
}

int TDsnStage::TargetsCount() const {
  if (!controller_ || !controller_->TargetList()) return -1;
  return controller_->TargetList()->GetCount();
}

TControl* TDsnStage::GetControls(int index) const {
  if (!controller_ || !controller_->TargetList()) return nullptr;
  return controller_->TargetList()->GetItems(index);
}

void TDsnStage::UpdateControl() {
  if (controller_ && controller_->TargetList()) controller_->TargetList()->SetPosition();
}

void TDsnStage::KeyPress(char& key) {
  switch (key) {
    case 3:
      key = 0;
      Copy();
      break;
    case 24:
      key = 0;
      Cut();
      break;
    case 22:
      key = 0;
      Paste();
      break;
    default:
      break;
  }
  TPanel::KeyPress(key);
}

void TDsnStage::WMKeyUp(TWMKey& message) {
  if (message.CharCode() == VK_DELETE) {
    Delete();
    message.Message.Result = 1;
  }
  TPanel::WMKeyUp(message);
}

void TDsnStage::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case DSNM_CLIENTDEATH: ClientDeth(message); return;
    case DSNM_PROPERTYCHANGED: UpdateControl(); return;
    case DSNM_CONTROLCREATED: ControlNotice(message, OnControlCreate); return;
    case DSNM_CONTROLLOADED: ControlNotice(message, OnControlLoaded); return;
    default: TPanel::Dispatch(message);
  }
}

void TDsnStage::CreateHandle() {
  TPanel::CreateHandle();
  if (controller_) controller_->ReattachInterceptors();
}

void TDsnStage::ClientDeth(TMessage& message) {
  if (controller_) controller_->ClientDeath(reinterpret_cast<TDsnCtrl*>(message.WParam));
}

void TDsnStage::PostControlCreated(TComponent* component) { PostNotice(DSNM_CONTROLCREATED, component); }

void TDsnStage::PostControlLoaded(TComponent* component) { PostNotice(DSNM_CONTROLLOADED, component); }

// The notice carries a pointer that must still name a live component when it arrives: the
// component is remembered, and forgotten when it is destroyed before that.
void TDsnStage::PostNotice(UINT msg, TComponent* component) {
  if (!component || !HandleAllocated()) return;
  pendingNotices_.Add(component);
  PostMessageW(Handle(), msg, reinterpret_cast<WPARAM>(component), 0);
}

void TDsnStage::ControlNotice(TMessage& message, const TControlCreate& event) {
  auto* component = reinterpret_cast<TComponent*>(message.WParam);
  if (pendingNotices_.Remove(component)) event(this, component);
}


// ---------------------------------------------------------------------------------------------
// TDsnStage: stage files and streams

void TDsnStage::SaveToFile(const String& fileName) {
  TMemoryStream contents;
  WriteControls(contents, true);
  ReplaceFileContents(fileName, contents.Memory(), static_cast<std::size_t>(contents.Size()));
}

void TDsnStage::SaveToStream(TStream* stream) { WriteControls(*stream, false); }

void TDsnStage::WriteControls(TStream& stream, bool markEachControl) {
  // Grab handles are controls too; without a selection there are none to write.
  if (controller_) controller_->ClearSelect();
  const int count = ControlCount();
  for (int i = 0; i < count; ++i) WriteComponents(&stream, Controls(i));
  // A file of an empty stage still needs the one zero byte that ends the list, or it reads as damaged.
  const int ends = markEachControl ? std::max(count, 1) : 1;
  TComponentWriter writer(stream, Owner());
  for (int i = 0; i < ends; ++i) writer.WriteListEnd();
}

void TDsnStage::WriteDesign(TStream& stream, const TComponentWriter::TPropertyHook& property) {
  TComponentWriter writer(stream, Owner());
  LeaveOutDesignState(writer, property);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    if (control->Owner() != Owner()) continue;
    writer.WriteSignature();
    writer.WriteComponent(control);
  }
  writer.WriteListEnd();
}

void TDsnStage::WriteComponents(TStream* stream, TControl* control) {
  TComponentWriter writer(*stream, Owner());
  LeaveOutDesignState(writer);
  writer.WriteSignature();
  writer.WriteComponent(control);
}

void TDsnStage::LeaveOutDesignState(TComponentWriter& writer, const TComponentWriter::TPropertyHook& property) const {
  // Design mode gives every intercepted window the arrow, which it loses again when design mode
  // ends: no state of the design goes into a stream.
  const bool designing = controller_ && controller_->Designing();
  writer.OnProperty = [designing, property](TComponentWriter& w, TComponent* component, TPersistent* instance,
                                            const String& path) {
    if (designing && path == "Cursor" && dynamic_cast<TWinControl*>(component)) return true;
    return property && property(w, component, instance, path);
  };
}

template <class Load>
void TDsnStage::WithDesignModeOff(Load load) {
  TDsnRegister* controller = controller_;
  const bool wasDesigning = controller && controller->Designing();
  if (controller) controller->SetDesigning(false);
  load();
  if (wasDesigning && controller_ == controller) controller->SetDesigning(true);
}

void TDsnStage::Clear() {
  WithDesignModeOff([this] {
    while (ControlCount() > 0) delete Controls(ControlCount() - 1);
  });
}

void TDsnStage::LoadFromFile(const String& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  try {
    ReadComponents(&file);
  } catch (const std::bad_alloc&) {
    throw EReadError(fileName + " can not be read: there is not enough memory for it");
  } catch (const Exception& error) {
    throw EReadError(fileName + " can not be read: " + error.Message());
  }
}

void TDsnStage::LoadFromStream(TStream* stream) { ReadComponents(stream); }

void TDsnStage::ReadComponents(TStream* stream) {
  stream->SetPosition(0);
  // Read aside under an owner of their own, the new controls cannot touch the stage, the form's
  // names or the design mode before every one of them was read.
  TComponent aside(nullptr);
  TComponentReader reader(*stream);
  reader.ReadAsDocument(documentRules_);
  reader.MethodRoot = Owner();
  reader.OnSetName = [&aside](TReader* r, TComponent* component, String& name) { DsnCheckName(&aside, r, component, name); };
  reader.OnError = [this](TReader* r, const String& message, bool& handled) { ReadError(r, message, handled); };
  reader.OnFindMethod = [this](TReader* r, const String& methodName, const TMethodCode*& code, bool& error) {
    FindMethod(r, methodName, code, error);
  };
  std::vector<TComponent*> topLevel;
  reader.ReadComponents(&aside, nullptr, [&topLevel](TComponent* component) { topLevel.push_back(component); });
  WithDesignModeOff([&] {
    Clear();
    Adopt(aside, topLevel, &reader);
  });
  for (TComponent* component : topLevel) ComponentsProc(component);
}

void TDsnStage::Adopt(TComponent& aside, const std::vector<TComponent*>& topLevel, TReader* reader) {
  freeNames_.Clear();
  while (aside.ComponentCount() > 0) {
    TComponent* component = aside.Components(0);
    aside.RemoveComponent(component);
    String name = component->Name();
    CheckName(reader, component, name);
    if (name != component->Name()) {
      // As when a stream names it: the caption keeps what the stream gave it.
      component->SetStateFlag(csLoading, true);
      component->SetName(name);
      component->SetStateFlag(csLoading, false);
    }
    if (Owner()) Owner()->InsertComponent(component);
  }
  for (TComponent* component : topLevel) component->SetParentComponent(this);
}

void TDsnStage::CheckDocumentComponent(const TComponent& component) const {
  const auto* control = dynamic_cast<const TControl*>(&component);
  if (!control) throw EDocumentRefused("A " + component.ClassName() + " is no control and has no place on a stage");
  const int maxWidth = kMaxControlScale * std::max(Width(), 1);
  const int maxHeight = kMaxControlScale * std::max(Height(), 1);
  if (control->Width() > maxWidth || control->Height() > maxHeight)
    throw EDocumentRefused(control->Name() + " is " + IntToStr(control->Width()) + " x " + IntToStr(control->Height()) +
                           " pixels, larger than " + IntToStr(kMaxControlScale) + " times the stage");
}

void TDsnStage::CheckName(TReader* reader, TComponent* component, String& name) {
  DsnCheckName(Owner(), reader, component, name, &freeNames_);
  if (OnControlLoading) OnControlLoading(this, component);
  PostControlLoaded(component);
}

void TDsnStage::ReadError(TReader*, const String&, bool& handled) { handled = true; }

void TDsnStage::FindMethod(TReader*, const String&, const TMethodCode*& code, bool& error) {
  if (!error) return;
  code = nullptr;
  error = false;
}
