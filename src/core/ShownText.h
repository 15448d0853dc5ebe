// A text for the screen, made of pieces in three encodings: the program's own fixed texts, which
// are code page 932 whatever the system, the system's texts (file names, system messages), which
// are in the system's ANSI code page, and names the ANSI code page cannot hold, in UTF-8. Only
// the window layer turns it into characters.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovimar {

class ShownText {
public:
    enum class Source { Program, System, Utf8 };
    struct Piece {
        Source From;
        std::string Bytes;
    };

    ShownText() = default;
    // Plain bytes are the program's own text (the fixed messages and ASCII).
    ShownText(std::string_view program) { Append(Source::Program, program); }
    ShownText(const std::string &program) { Append(Source::Program, program); }
    ShownText(const char *program) { Append(Source::Program, program); }

    static ShownText System(std::string_view bytes) {
        ShownText text;
        text.Append(Source::System, bytes);
        return text;
    }
    static ShownText Utf8(std::string_view bytes) {
        ShownText text;
        text.Append(Source::Utf8, bytes);
        return text;
    }

    ShownText &operator+=(const ShownText &other) {
        for (const Piece &piece : other.pieces_)
            Append(piece.From, piece.Bytes);
        return *this;
    }
    friend ShownText operator+(ShownText left, const ShownText &right) {
        left += right;
        return left;
    }

    const std::vector<Piece> &Pieces() const { return pieces_; }
    // All pieces' bytes as they are.
    std::string Bytes() const {
        std::string bytes;
        for (const Piece &piece : pieces_)
            bytes += piece.Bytes;
        return bytes;
    }

private:
    // Neighbours of one source are one piece; empty pieces are dropped.
    void Append(Source from, std::string_view bytes) {
        if (bytes.empty()) return;
        if (!pieces_.empty() && pieces_.back().From == from)
            pieces_.back().Bytes += bytes;
        else
            pieces_.push_back({from, std::string(bytes)});
    }

    std::vector<Piece> pieces_;
};

} // namespace tovimar
