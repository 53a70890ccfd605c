#pragma once

#include <string_view>

// The 60 "#define" lines that open every written program, each ending in CR LF.
std::string_view frequencyTableText();
