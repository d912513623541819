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

enum TCoverAccept : std::uint8_t { caAllAccept, caNoAccept, caChildrenAccept };
enum TSelectAcceptFlag : std::uint8_t { saCreate, saMove };
using TSelectAccept = TSet<TSelectAcceptFlag>;

using TDeleteQuery = TEvent<TObject*, TComponent*, bool&>;
using TCoverQuery = TEvent<TObject*, TComponent*, TCoverAccept&>;
using TSelectQuery = TEvent<TObject*, TComponent*, TSelectAccept&>;
using TMoveQuery = TEvent<TObject*, TComponent*, bool&>;
using TControlCreate = TEvent<TObject*, TComponent*>;
using TCallCompoEditor = TEvent<TObject*, TComponent*>;
