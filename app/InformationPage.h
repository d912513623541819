// Where the information page lives: the one place that names the web endpoint.
#pragma once

// The page's address is this endpoint, then "info.php?pf=w&sn=" and the program's file name.
inline constexpr char InformationEndpoint[] = "https://tavelko.example.com/";
