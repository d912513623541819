// Where the information page lives: its endpoint comes from the program's settings file, and only
// a web address is ever handed to the shell.
#pragma once

#include <optional>

#include "framework/core/Text.h"

class TCustomIniFile;

// The endpoint under [Information] Endpoint in `settings`; nothing when it is missing or is not
// a web address (IsWebAddress).
std::optional<String> InformationEndpoint(TCustomIniFile& settings);

// An http:// or https:// address (scheme in any case) with a host, made only of the characters
// an address may hold: never a program, a local path or another scheme.
bool IsWebAddress(const String& text);

// The page's address: the endpoint, "info.php?pf=w&sn=" and the program's file name without
// extension, percent-encoded. An endpoint without a path gets its "/", or the file name would
// run into the host name.
String InformationPageAddress(const String& endpoint, const String& programPath);
