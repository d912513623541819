/// @file
/// Groups of inherited control properties that the standard controls publish, so each control's
/// Publish reads as the list of groups and properties it shows.
#pragma once

#include "framework/graphics/Color.h"
#include "framework/windows/WinControl.h"

/// Each function publishes one group of inherited TControl (or TWinControl) properties of `C`, with
/// the defaults the standard controls store them against; call them from the class's Publish.
namespace publish_groups {

/// Align (alNone), Anchors (left and top) and Constraints.
template <class C>
void Placement(TPublisher<C>& p) {
  p.Prop("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
  p.Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
  p.Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints);
}

/// Color, stored when it differs from `defaultColor` and is not the parent's, and ParentColor with
/// `parentColorDefault`.
template <class C>
void Color(TPublisher<C>& p, TColor defaultColor, bool parentColorDefault) {
  p.Prop("Color", &TControl::Color, &TControl::SetColor)
      .Type(ColorTypeInfo())
      .Default(defaultColor)
      .Stored(&TControl::IsColorStored);
  p.Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(parentColorDefault);
}

/// Font, stored when it is not the parent's, and ParentFont (true).
template <class C>
void Font(TPublisher<C>& p) {
  p.Prop("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
  p.Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
}

/// Enabled and Visible (true) and PopupMenu.
template <class C>
void State(TPublisher<C>& p) {
  p.Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true);
  p.Prop("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
  p.Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
}

/// ParentShowHint (true) and ShowHint, stored when it is not the parent's.
template <class C>
void Hints(TPublisher<C>& p) {
  p.Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
  p.Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
}

/// BiDiMode, stored when it is not the parent's, and ParentBiDiMode (true).
template <class C>
void BiDi(TPublisher<C>& p) {
  p.Prop("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode).Stored(&TControl::IsBiDiModeStored);
  p.Prop("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).Default(true);
}

/// TabOrder (-1) and TabStop with `tabStopDefault`; for windowed controls only.
template <class C>
void Focus(TPublisher<C>& p, bool tabStopDefault) {
  p.Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
  p.Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(tabStopDefault);
}

/// OnClick, OnDblClick, OnMouseDown, OnMouseMove and OnMouseUp.
template <class C>
void MouseEvents(TPublisher<C>& p) {
  p.Prop("OnClick", &TControl::OnClick);
  p.Prop("OnDblClick", &TControl::OnDblClick);
  p.Prop("OnMouseDown", &TControl::OnMouseDown);
  p.Prop("OnMouseMove", &TControl::OnMouseMove);
  p.Prop("OnMouseUp", &TControl::OnMouseUp);
}

/// OnEnter, OnExit, OnKeyDown, OnKeyPress and OnKeyUp; for windowed controls only.
template <class C>
void KeyEvents(TPublisher<C>& p) {
  p.Prop("OnEnter", &TWinControl::OnEnter);
  p.Prop("OnExit", &TWinControl::OnExit);
  p.Prop("OnKeyDown", &TWinControl::OnKeyDown);
  p.Prop("OnKeyPress", &TWinControl::OnKeyPress);
  p.Prop("OnKeyUp", &TWinControl::OnKeyUp);
}

}  // namespace publish_groups
