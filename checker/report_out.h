// Report text gathered in memory and handed to the stream in large pieces, with the escapes of
// JSON; shared by the writers of every report format.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string_view>
#include <type_traits>

namespace check {

// Text gathered in memory and handed to the stream in large pieces: a stream's own inserters
// cost more than the text they write.
class Out {
  public:
    explicit Out(std::ostream& out) : out_(out) {}
    ~Out() { Flush(); }
    Out(const Out&) = delete;
    Out& operator=(const Out&) = delete;

    Out& operator<<(std::string_view text) {
        if (text.size() > sizeof(buffer_) - used_) {
            Flush();
            if (text.size() > sizeof(buffer_)) {
                out_.write(text.data(), static_cast<std::streamsize>(text.size()));
                return *this;
            }
        }
        memcpy(buffer_ + used_, text.data(), text.size());
        used_ += text.size();
        return *this;
    }
    Out& operator<<(char c) { return *this << std::string_view(&c, 1); }
    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, char>, int> = 0>
    Out& operator<<(T number) {
        char digits[24];
        std::to_chars_result end = std::to_chars(digits, digits + sizeof(digits), number);
        return *this << std::string_view(digits, static_cast<size_t>(end.ptr - digits));
    }
    // A JSON string. The script's texts are ANSI bytes: a byte from 0x80 up is written as the
    // character of the same number, so that the output is always valid UTF-8. Runs of bytes
    // that need no escape are copied in one piece.
    Out& Json(std::string_view text) {
        static const char* digits = "0123456789abcdef";
        static const struct Plain {
            bool is[256];
            Plain() : is() {
                for (int c = 0x20; c < 0x7F; ++c) is[c] = c != '"' && c != '\\';
            }
        } plain;
        *this << '"';
        size_t run = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            // Eight bytes at a time while none of them needs an escape.
            while (i + 8 <= text.size() && Plain8(text.data() + i)) i += 8;
            if (i == text.size()) break;
            unsigned char c = static_cast<unsigned char>(text[i]);
            if (plain.is[c]) continue;
            *this << text.substr(run, i - run);
            run = i + 1;
            if (c == '"' || c == '\\') {
                char escaped[2] = {'\\', static_cast<char>(c)};
                *this << std::string_view(escaped, 2);
            } else {
                char escaped[6] = {'\\', 'u', '0', '0', digits[c >> 4], digits[c & 15]};
                *this << std::string_view(escaped, 6);
            }
        }
        return *this << text.substr(run) << '"';
    }
    // Blanks up to `width` after a text of `length`.
    Out& Pad(size_t length, size_t width) {
        static const char blanks[] = "                                ";
        return *this << std::string_view(blanks, length < width ? width - length : 0);
    }

  private:
    // Whether eight bytes are all printable ASCII other than `"` and `\\`.
    static bool Plain8(const char* p) {
        uint64_t x;
        memcpy(&x, p, 8);
        const uint64_t ones = 0x0101010101010101ull;
        const uint64_t highs = 0x8080808080808080ull;
        auto zero = [&](uint64_t v) { return (v - ones) & ~v & highs; };
        uint64_t below = (x - 0x2020202020202020ull) & ~x & highs;
        return ((x & highs) | below | zero(x ^ 0x7F7F7F7F7F7F7F7Full) | zero(x ^ (ones * '"')) |
                zero(x ^ (ones * '\\'))) == 0;
    }

    void Flush() {
        out_.write(buffer_, static_cast<std::streamsize>(used_));
        used_ = 0;
    }

    std::ostream& out_;
    char buffer_[8192];
    size_t used_ = 0;
};

}  // namespace check
