// The program's version, shown in its information window.
#pragma once

inline constexpr char ProgramVersion[] = "1.0.0";
