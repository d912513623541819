// The information page's endpoint from the settings file, checked, and the page's address.
#include "app/InformationPage.h"

#include <cstring>

#include "framework/core/IniFile.h"

namespace {

constexpr char SettingsSection[] = "Information";
constexpr char EndpointKey[] = "Endpoint";

bool IsAsciiLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

bool IsUnreserved(char c) { return IsAsciiLetterOrDigit(c) || std::strchr("-._~", c); }

// Unreserved, reserved and "%": the characters of an address (RFC 3986).
bool IsAddressCharacter(char c) { return c != '\0' && (IsUnreserved(c) || std::strchr(":/?#[]@!$&'()*+,;=%", c)); }

// The length of the "http://" or "https://" that begins `text`; 0 for any other beginning.
std::size_t WebSchemeLength(const String& text) {
  for (const char* scheme : {"http://", "https://"}) {
    const std::size_t length = std::strlen(scheme);
    if (text.size() >= length && SameText(text.substr(0, length), scheme)) return length;
  }
  return 0;
}

String PercentEncoded(const String& text) {
  static constexpr char hex[] = "0123456789ABCDEF";
  String encoded;
  for (const char byte : CP932ToUtf8(text)) {
    if (IsUnreserved(byte)) {
      encoded += byte;
    } else {
      const auto value = static_cast<unsigned char>(byte);
      encoded += '%';
      encoded += hex[value >> 4];
      encoded += hex[value & 15];
    }
  }
  return encoded;
}

}  // namespace

std::optional<String> InformationEndpoint(TCustomIniFile& settings) {
  String endpoint = settings.ReadString(SettingsSection, EndpointKey, "");
  if (!IsWebAddress(endpoint)) return std::nullopt;
  return endpoint;
}

bool IsWebAddress(const String& text) {
  const std::size_t schemeLength = WebSchemeLength(text);
  if (schemeLength == 0) return false;
  for (const char c : text)
    if (!IsAddressCharacter(c)) return false;
  // The host: after any user name, before any port; "http://", "http://:80/" have none.
  const String authority = text.substr(schemeLength, text.find_first_of("/?#", schemeLength) - schemeLength);
  const std::size_t at = authority.rfind('@');
  const String host = at == String::npos ? authority : authority.substr(at + 1);
  return !host.empty() && host[0] != ':';
}

String InformationPageAddress(const String& endpoint, const String& programPath) {
  String base = endpoint;
  if (base.find_first_of("/?#", WebSchemeLength(base)) == String::npos) base += '/';
  return base + "info.php?pf=w&sn=" + PercentEncoded(ChangeFileExt(ExtractFileName(programPath), ""));
}
