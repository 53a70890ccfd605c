#include "performance/BrickTones.h"

// Programs written before rely on exactly these numbers: seventeen of them, in
// the rows E to GS, lie 1 to 4 Hz above the equal-tempered values.
const std::array<BrickTone, ToneCount> &brickTones()
{
    // clang-format off: one pitch a row
    static constexpr std::array<BrickTone, ToneCount> tones{{
        {"CML", 131}, {"CL", 262}, {"C", 523}, {"CH", 1047}, {"CMH", 2093},
        {"CSML", 139}, {"CSL", 277}, {"CS", 554}, {"CSH", 1109}, {"CSMH", 2217},
        {"DML", 147}, {"DL", 294}, {"D", 587}, {"DH", 1175}, {"DMH", 2349},
        {"DSML", 156}, {"DSL", 311}, {"DS", 622}, {"DSH", 1245}, {"DSMH", 2489},
        {"EML", 165}, {"EL", 330}, {"E", 660}, {"EH", 1320}, {"EMH", 2640},
        {"FML", 175}, {"FL", 350}, {"F", 699}, {"FH", 1398}, {"FMH", 2797},
        {"FSML", 185}, {"FSL", 370}, {"FS", 741}, {"FSH", 1482}, {"FSMH", 2963},
        {"GML", 196}, {"GL", 392}, {"G", 785}, {"GH", 1570}, {"GMH", 3140},
        {"GSML", 208}, {"GSL", 416}, {"GS", 832}, {"GSH", 1663}, {"GSMH", 3326},
        {"AML", 220}, {"AL", 440}, {"A", 880}, {"AH", 1760}, {"AMH", 3520},
        {"ASML", 233}, {"ASL", 466}, {"AS", 932}, {"ASH", 1865}, {"ASMH", 3729},
        {"BML", 247}, {"BL", 494}, {"B", 988}, {"BH", 1976}, {"BMH", 3951},
    }};
    // clang-format on
    return tones;
}
