// A hash table of names in any case of the ASCII letters, as the platform matches them: it keeps
// small numbers (the caller's indexes) and asks the caller for the name behind each.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace check {

inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

// Equal in any case of the ASCII letters.
inline bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a == b) return true;  // most names are written as the program asks for them
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    }
    return true;
}

class NameTable {
  public:
    static constexpr uint32_t kNone = 0xFFFFFFFFu;

    // Empties the table, with room for `count` names.
    void Reset(size_t count) {
        size_t size = 16;
        while (size < count * 2) size *= 2;
        slots_.assign(size, kNone);
        used_ = 0;
    }

    // The number kept for `name`, or kNone. `nameOf(number)` gives the name behind a number.
    template <class NameOf>
    uint32_t Find(std::string_view name, NameOf nameOf) const {
        if (slots_.empty()) return kNone;
        for (size_t at = Hash(name) & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
            if (slots_[at] == kNone || EqualNoCase(nameOf(slots_[at]), name)) return slots_[at];
        }
    }

    // The number kept for `name`; `number` (then kept) when there is none.
    template <class NameOf>
    uint32_t FirstOf(std::string_view name, uint32_t number, NameOf nameOf) {
        if (slots_.empty()) Reset(8);
        size_t at = Hash(name) & (slots_.size() - 1);
        for (; slots_[at] != kNone; at = (at + 1) & (slots_.size() - 1)) {
            if (EqualNoCase(nameOf(slots_[at]), name)) return slots_[at];
        }
        slots_[at] = number;
        if (++used_ * 2 > slots_.size()) Grow(nameOf);
        return number;
    }

  private:
    static size_t Hash(std::string_view name) {
        uint64_t h = 14695981039346656037ull;
        for (char c : name) h = (h ^ static_cast<unsigned char>(UpperAscii(c))) * 1099511628211ull;
        return static_cast<size_t>(h ^ (h >> 29));
    }

    template <class NameOf>
    void Grow(NameOf nameOf) {
        std::vector<uint32_t> old;
        old.swap(slots_);
        slots_.assign(old.size() * 2, kNone);
        for (uint32_t number : old) {
            if (number == kNone) continue;
            size_t at = Hash(nameOf(number)) & (slots_.size() - 1);
            while (slots_[at] != kNone) at = (at + 1) & (slots_.size() - 1);
            slots_[at] = number;
        }
    }

    std::vector<uint32_t> slots_;
    size_t used_ = 0;
};

}  // namespace check
