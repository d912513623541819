/// @file
/// Fixed facts of the component stream: signature, record prefix flags and the limits a reader
/// enforces on untrusted input.
#pragma once

#include <cstdint>

#include "framework/core/Exception.h"
#include "framework/core/Filer.h"

namespace streamformat {

/// The four bytes that begin every stream (and every record of a multi-record stream).
inline constexpr char Signature[4] = {'T', 'P', 'F', '0'};

/// A record's optional first byte is PrefixMark | flags; a class name's length byte never
/// reaches PrefixMark.
inline constexpr std::uint8_t PrefixMark = 0xF0;
/// The flags of a record's prefix.
enum TFilerFlag : std::uint8_t {
  ffInherited = 1,  ///< found by name in the owner instead of created
  ffChildPos = 2,   ///< an integer value with the position among the parent's children follows
  ffInline = 4,     ///< a frame embedded in its owner
};
inline constexpr std::uint8_t AllFilerFlags = ffInherited | ffChildPos | ffInline;  ///< any other bit is invalid

/// Deepest nesting of component records, and of lists and collections inside one value. Real
/// layouts stay below ten; the limits only keep hostile input from exhausting the stack.
///@{
inline constexpr int MaxRecordDepth = 64;
inline constexpr int MaxValueDepth = 64;
///@}

/// Highest tag the format defines.
inline constexpr std::uint8_t LastValueType = static_cast<std::uint8_t>(TValueType::vaUTF8String);

}  // namespace streamformat

/// Failure texts of the stream reader and writer besides the framework's shared ones.
namespace streammessages {
/// Format strings for Format(): %s a name, %d a number.
///@{
inline constexpr const char* InvalidFormat = "Invalid stream format";
inline constexpr const char* TooDeep = "Invalid stream format: nesting deeper than %d levels";
inline constexpr const char* UnknownProperty = "Property %s does not exist";
inline constexpr const char* MethodNotFound = "Method %s not found";
inline constexpr const char* AncestorNotFound = "Ancestor for %s not found";
inline constexpr const char* RootClassMismatch = "The stream holds a %s, not a %s";
inline constexpr const char* NotAComponent = "%s is not a component class";
inline constexpr const char* NameTooLong = "Name too long for the component stream: %s";
inline constexpr const char* ValueTooLarge = "Value too large for the component stream";
///@}
}  // namespace streammessages
