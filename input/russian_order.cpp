#include "input/russian_order.h"

#include <algorithm>
#include <array>

namespace korv {
namespace {

// Primary weight of every Windows-1251 byte; case pairs share a weight.
struct WeightTable {
    std::array<int, 256> weight{};

    WeightTable() {
        // Controls, blank and every symbol keep their byte order and come before
        // digits and letters; the symbols of the upper half follow the ASCII ones.
        for (int b = 0; b < 256; ++b) weight[b] = b;
        int next = 1000;
        for (int b = '0'; b <= '9'; ++b) weight[b] = next++;
        for (int b = 'A'; b <= 'Z'; ++b) {
            weight[b] = next;
            weight[b + ('a' - 'A')] = next++;
        }
        // Cyrillic capitals in alphabetical order with their lowercase bytes. The
        // Russian letters are at 0xC0..0xDF (capitals) and 0xE0..0xFF (lowercase).
        struct Letter {
            unsigned char upper, lower;
        };
        auto ru = [](int index) {  // index 0 = А
            return Letter{static_cast<unsigned char>(0xC0 + index), static_cast<unsigned char>(0xE0 + index)};
        };
        const Letter alphabet[] = {
            ru(0),  ru(1),  ru(2),  ru(3),  Letter{0xA5, 0xB4} /* Ґ */, Letter{0x81, 0x83} /* Ѓ */,
            ru(4),  Letter{0x80, 0x90} /* Ђ */, ru(5), Letter{0xA8, 0xB8} /* Ё */, Letter{0xAA, 0xBA} /* Є */,
            ru(6),  ru(7),  Letter{0xBD, 0xBE} /* Ѕ */, ru(8), Letter{0xB2, 0xB3} /* І */,
            Letter{0xAF, 0xBF} /* Ї */, ru(9), Letter{0xA3, 0xBC} /* Ј */, ru(10), Letter{0x8D, 0x9D} /* Ќ */,
            ru(11), Letter{0x8A, 0x9A} /* Љ */, ru(12), ru(13), Letter{0x8C, 0x9C} /* Њ */, ru(14), ru(15),
            ru(16), ru(17), ru(18), Letter{0x8E, 0x9E} /* Ћ */, ru(19), Letter{0xA1, 0xA2} /* Ў */, ru(20),
            ru(21), ru(22), ru(23), Letter{0x8F, 0x9F} /* Џ */, ru(24), ru(25), ru(26), ru(27), ru(28),
            ru(29), ru(30), ru(31),
        };
        for (const Letter& l : alphabet) {
            weight[l.upper] = next;
            weight[l.lower] = next++;
        }
    }
};

const WeightTable& table() {
    static const WeightTable t;
    return t;
}

}  // namespace

int RussianCompare(std::string_view a, std::string_view b) {
    const auto& w = table().weight;
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int wa = w[static_cast<unsigned char>(a[i])];
        const int wb = w[static_cast<unsigned char>(b[i])];
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int bytes = a.compare(b);
    return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
}

void SortRussian(std::vector<std::string>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const std::string& a, const std::string& b) { return RussianLess(a, b); });
}

}  // namespace korv
