/// @file
/// TSet<E>: a set over an enumeration whose ordinals are 0..63, stored as a bit mask (bit i = member i).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

/// A set of members of the enumeration E, a value type. Members whose ordinal is 64 or more
/// cannot be held: adding one does nothing, and Contains answers false for it.
template <class E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumeration members");

 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {  ///< the set of `members`
    for (E m : members) bits_ |= Bit(m);
  }
  /// The set whose bit mask is `bits` (bit i = member i), as streamed and published.
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr std::uint64_t Bits() const { return bits_; }  ///< the bit mask (bit i = member i)
  constexpr bool Contains(E member) const { return (bits_ & Bit(member)) != 0; }  ///< whether `member` is in the set
  constexpr bool Empty() const { return bits_ == 0; }  ///< whether the set has no member
  /// Adds (Include) or removes (Exclude) `member`; returns this set.
  ///@{
  constexpr TSet& Include(E member) { bits_ |= Bit(member); return *this; }
  constexpr TSet& Exclude(E member) { bits_ &= ~Bit(member); return *this; }
  ///@}

  /// Union (+), difference (-) and intersection (*) with another set or a single member; the
  /// assigning forms change this set and return it.
  ///@{
  constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
  constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
  constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
  constexpr TSet operator+(E member) const { return FromBits(bits_ | Bit(member)); }
  constexpr TSet operator-(E member) const { return FromBits(bits_ & ~Bit(member)); }
  constexpr TSet& operator+=(TSet other) { bits_ |= other.bits_; return *this; }
  constexpr TSet& operator-=(TSet other) { bits_ &= ~other.bits_; return *this; }
  constexpr TSet& operator+=(E member) { return Include(member); }
  constexpr TSet& operator-=(E member) { return Exclude(member); }
  ///@}
  constexpr bool operator==(const TSet&) const = default;  ///< same members

 private:
  static constexpr std::uint64_t Bit(E member) {
    const auto ordinal = static_cast<std::uint64_t>(member);
    return ordinal < 64 ? std::uint64_t{1} << ordinal : 0;
  }

  std::uint64_t bits_ = 0;
};
