/// @file
/// TDocumentRules: what a document may make when the component reader reads it. A document is any
/// stream the program did not build into itself (a file, a clipboard block, a stored setting):
/// however well-formed, it is untrusted. Its kind decides, before anything is made, which classes
/// it may create, which handlers of the form their events may bind, and how much it may cost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "framework/core/Exception.h"
#include "framework/core/TypeInfo.h"

class TComponent;
class TPersistent;

/// A document asked for something its kind does not allow; the message names what. Never skipped
/// as a bad property is: the whole read fails.
class EDocumentRefused : public EReadError {
 public:
  using EReadError::EReadError;
};

/// The rules of one kind of document, given to TComponentReader::ReadAsDocument. Nothing is
/// allowed until Allow says so.
class TDocumentRules {
 public:
  /// One event a class may bind, and the handlers of the form it may name.
  struct THandlers {
    String Event;                 ///< the event property's name ("OnClick")
    std::vector<String> Methods;  ///< the published methods it may name
  };

  /// The stream itself: a larger document is refused before it is read.
  static constexpr std::size_t kDefaultMaxBytes = std::size_t(64) << 20;
  /// Decoded pixels of all the document's pictures together: twenty-odd photos kept at the size
  /// of a page, and a 160 MB ceiling at four bytes a pixel.
  static constexpr std::uint64_t kDefaultMaxPixels = 40'000'000;

  /// `info` itself may be made, binding at most `handlers`. Allowing a class again replaces its
  /// handlers.
  TDocumentRules& Allow(const TClassInfo& info, std::vector<THandlers> handlers = {});
  /// Every class derived from `info`, and `info` itself, may be made, binding no handler.
  TDocumentRules& AllowDescendantsOf(const TClassInfo& info);
  /// Nothing may be made until allowed again.
  TDocumentRules& AllowNothing();

  /// EDocumentRefused unless the class of that name may be made.
  void CheckClass(const String& className) const;
  /// EDocumentRefused unless an instance of `info` may bind `method` to its event `event`.
  void CheckHandler(const TClassInfo& info, const String& event, const String& method) const;

  std::size_t MaxBytes = kDefaultMaxBytes;  ///< largest stream read, in bytes
  std::uint64_t MaxPixels = kDefaultMaxPixels;  ///< most decoded pixels of all pictures together (see PixelsOf)
  /// The pixels the data of a binary property of `instance` decodes to, read from its headers
  /// alone (0 when it is no picture); set by whoever knows the pictures. Raises when the data
  /// cannot say.
  std::function<std::uint64_t(const TPersistent& instance, std::span<const std::uint8_t> data)> PixelsOf;
  /// Sees each component made once its own properties are read; raises EDocumentRefused to refuse
  /// the document (a component that is no control, a control too large).
  std::function<void(const TComponent& component)> CheckComponent;

 private:
  struct TAllowed {
    const TClassInfo* Info;
    bool Descendants;
    std::vector<THandlers> Handlers;
  };
  const TAllowed* Find(const TClassInfo& info) const;

  std::vector<TAllowed> allowed_;
};
