#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "composer/NoteRecord.h"

// The NQC program that plays entries 0 to lastIndex of the score: the
// frequency table, task main() starting task music(), and one PlayTone/Wait
// pair per note and Wait lines per rest. ASCII, every line ending in CR LF.
//
// The text is held as a list of pieces to be written one after the other. A
// run of equal notes is composed once and its pieces point at the same block
// of text, so a long melody costs little memory and the file can be written
// with one gathering write. The score is only read: the pieces of 255 ticks
// are counted on copies.
class NqcProgram {
public:
    // Records first to end - 1, with the opening lines (frequency table and
    // task heads) and the closing "}" where asked: parts of one program can be
    // composed separately and written one after the other.
    struct Part {
        std::size_t first;
        std::size_t end;
        bool opening;
        bool closing;
    };

    NqcProgram(const std::vector<NoteRecord> &score, Part part);
    // The whole program for entries 0 to lastIndex.
    NqcProgram(const std::vector<NoteRecord> &score, int lastIndex);
    NqcProgram(const NqcProgram &) = delete;
    NqcProgram &operator=(const NqcProgram &) = delete;

    const std::vector<std::string_view> &pieces() const { return m_pieces; }
    std::string text() const;

private:
    void append(std::string_view text);
    void appendRepeated(std::string_view text, std::size_t count);
    std::string &blockWithRoomFor(std::size_t size);

    std::deque<std::string> m_blocks; // never grown past their capacity, so views stay valid
    std::vector<std::string_view> m_pieces;
};

std::string nqcProgramText(const std::vector<NoteRecord> &score, int lastIndex);
