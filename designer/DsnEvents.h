/// @file
/// What the designer's stage and controller share: the messages posted to the stage and the
/// queries through which the application takes part in designing.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/Component.h"
#include "framework/core/Event.h"
#include "framework/core/Set.h"

// ---------------------------------------------------------------------------------------------
// Messages posted to the stage (WParam the object concerned, LParam 0)

constexpr UINT DSNM_CLIENTDEATH = WM_USER + 576;     ///< an intercepted window is being destroyed
constexpr UINT DSNM_CONTROLCREATED = WM_USER + 580;  ///< a control was created by the designer
constexpr UINT DSNM_CONTROLLOADED = WM_USER + 581;   ///< a control was read from a stream

// ---------------------------------------------------------------------------------------------
// What the application answers while designing (a query's last argument starts permissive)

/// The answer to a cover query, whether design mode intercepts a window (TDsnStage::OnCoverQuery):
/// caAllAccept intercepts the control and looks at its children, caNoAccept leaves the control
/// and everything in it alone, caChildrenAccept leaves the control but looks at its children.
enum TCoverAccept : std::uint8_t { caAllAccept, caNoAccept, caChildrenAccept };
/// What a press on a control may do (TDsnStage::OnSelectQuery): saCreate, the palette's template
/// may be drawn from it; saMove, it may select the control and drag the selection.
enum TSelectAcceptFlag : std::uint8_t { saCreate, saMove };
/// The flags a select query grants; both unless the handler removes them.
using TSelectAccept = TSet<TSelectAcceptFlag>;

/// (sender, control, canDelete): may the control be deleted (TDsnStage::OnDeleteQuery).
using TDeleteQuery = TEvent<TObject*, TComponent*, bool&>;
/// (sender, control, accept): may design mode intercept the control (TDsnStage::OnCoverQuery).
using TCoverQuery = TEvent<TObject*, TComponent*, TCoverAccept&>;
/// (sender, control, accept): what a press on the control may do (TDsnStage::OnSelectQuery).
using TSelectQuery = TEvent<TObject*, TComponent*, TSelectAccept&>;
/// (sender, control, canMove): may the control be moved (TDsnStage::OnMoveQuery).
using TMoveQuery = TEvent<TObject*, TComponent*, bool&>;
/// (sender, component): a component was made or read (TDsnStage::OnControlCreate and the like).
using TControlCreate = TEvent<TObject*, TComponent*>;
/// (sender, control): a double click on a designed control, e.g. to open its editor
/// (TDsnStage::OnCoverDblClick).
using TCallCompoEditor = TEvent<TObject*, TComponent*>;
