#pragma once

#include <string_view>

// The 60 "#define" lines that open every written program, one per tone of the
// brick, each ending in CR LF: "#define   CSML   139".
std::string_view frequencyTableText();
