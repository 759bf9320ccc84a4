// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// trace-compare A B: how far two pendulum-trace outputs of the same run part, as from two
// platforms' builds. Numbers are compared in units in the last place (the count of doubles
// between them); other words, such as the elapsed-time label and the picture's fingerprint of
// --pixels, as text. Prints, per decade of ticks, the largest distance of any number, then the
// first tick where a number differs, where a label differs and where the picture differs. Exits
// with status 0 when the traces are identical, 1 when they differ in anything, length included.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The position of a double on the line of all doubles, so that neighbours differ by one.
std::int64_t orderedBits(double value)
{
    const auto bits = std::bit_cast<std::int64_t>(value);
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
}

std::uint64_t ulpDistance(double a, double b)
{
    if (a == b)
        return 0;
    const std::int64_t x = orderedBits(a);
    const std::int64_t y = orderedBits(b);
    return x > y ? std::uint64_t(x) - std::uint64_t(y) : std::uint64_t(y) - std::uint64_t(x);
}

std::vector<std::string> words(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

// A number as %.17g writes it. The label's fixed six decimals end in a zero where %.17g never
// ends a fraction, so the label stays text; so do the words of the error line.
bool asNumber(const std::string &word, double &value)
{
    if (word.find('.') != std::string::npos && word.find_first_of("eE") == std::string::npos &&
        word.back() == '0')
        return false;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && ptr == word.data() + word.size();
}

// The picture's fingerprint that --pixels puts last: sixteen hexadecimal digits.
bool isFingerprint(const std::vector<std::string> &line, std::size_t i)
{
    return i + 1 == line.size() && line[i].size() == 16 &&
           line[i].find_first_not_of("0123456789abcdef") == std::string::npos;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: trace-compare TRACE_A TRACE_B\n", stderr);
        return 2;
    }
    std::ifstream a(argv[1]), b(argv[2]);
    if (!a || !b) {
        std::fputs("trace-compare: cannot read the traces\n", stderr);
        return 2;
    }
    long tick = 0, firstNumber = 0, firstText = 0, firstPicture = 0;
    std::uint64_t decadeWorst = 0;
    long decadeEnd = 1;
    bool lengthsDiffer = false;
    std::string lineA, lineB;
    for (;;) {
        const bool moreA = bool(std::getline(a, lineA));
        const bool moreB = bool(std::getline(b, lineB));
        if (moreA != moreB) {
            std::printf("one trace ends at tick %ld, the other goes on\n", tick);
            lengthsDiffer = true;
        }
        if (!moreA || !moreB)
            break;
        ++tick;
        const std::vector<std::string> wa = words(lineA), wb = words(lineB);
        std::uint64_t worst = 0;
        for (std::size_t i = 1; i < std::min(wa.size(), wb.size()); ++i) {
            double x = 0.0, y = 0.0;
            if (isFingerprint(wa, i)) {
                if (wa[i] != wb[i] && firstPicture == 0)
                    firstPicture = tick;
            } else if (asNumber(wa[i], x) && asNumber(wb[i], y)) {
                worst = std::max(worst, ulpDistance(x, y));
            } else if (wa[i] != wb[i] && firstText == 0) {
                firstText = tick;
            }
        }
        if (wa.size() != wb.size() && firstText == 0)
            firstText = tick;
        if (worst > 0 && firstNumber == 0)
            firstNumber = tick;
        decadeWorst = std::max(decadeWorst, worst);
        if (tick == decadeEnd) {
            std::printf("ticks to %ld: largest distance %llu ULP\n", tick,
                        static_cast<unsigned long long>(decadeWorst));
            decadeEnd *= 10;
        }
    }
    const auto report = [](const char *what, long first) {
        if (first)
            std::printf("first tick where %s differs: %ld\n", what, first);
        else
            std::printf("%s never differs\n", what);
    };
    std::printf("ticks compared: %ld\n", tick);
    report("a number", firstNumber);
    report("a label", firstText);
    report("the picture", firstPicture);
    return firstNumber || firstText || firstPicture || lengthsDiffer ? 1 : 0;
}
