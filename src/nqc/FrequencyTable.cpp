#include "nqc/FrequencyTable.h"

#include <string>

#include "performance/BrickTones.h"

std::string_view frequencyTableText()
{
    static const std::string text = [] {
        constexpr std::size_t NameWidth = 7;
        std::string lines;
        for (const BrickTone &tone : brickTones()) {
            lines += "#define   ";
            lines += tone.name;
            lines.append(NameWidth - tone.name.size(), ' ');
            lines += std::to_string(tone.hertz);
            lines += "\r\n";
        }
        return lines;
    }();
    return text;
}
