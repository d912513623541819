/// @file
/// Exceptions of the graphics library.
#pragma once

#include "framework/core/Exception.h"

/// A picture that cannot be read: damaged, truncated, hostile or of an unknown kind.
class EInvalidGraphic : public Exception {
 public:
  /// Takes the message text (CP932) that says what is wrong with the picture.
  using Exception::Exception;
};

/// An operation the graphic or canvas cannot do in its present state.
class EInvalidGraphicOperation : public Exception {
 public:
  /// Takes the message text (CP932) that names the operation refused.
  using Exception::Exception;
};
