// String against std::wstring and the C run-time, in the same run: copies,
// concatenation, search, trim, replace, number formatting and parsing, and
// StringBuilder and StringReader on long texts.

#include "bench/BenchHarness.h"
#include "string/String.h"
#include "string/StringBuilder.h"
#include "string/StringReader.h"

#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <sstream>
#include <stdio.h>
#include <string>
#include <vector>

using torv::String;

namespace {

std::wstring sampleText(std::size_t units)
{
    static const wchar_t words[] = L"lorem ipsum dolor sit amet ab consectetur ";
    const std::size_t wordsLength = sizeof(words) / sizeof(words[0]) - 1;
    std::wstring text;
    text.reserve(units);
    while (text.size() < units)
        text += words[text.size() % wordsLength];
    return text;
}

void benchCopies()
{
    bench::printHeader("copy");
    struct Size {
        const char* name;
        std::size_t units;
        int copies;
    };
    // Fewer 64 KiB copies keep the baseline, which copies the text, short.
    const Size sizes[] = {
        {"copy 16 B x 100000", 8, 100000}, {"copy 1 KiB x 100000", 512, 100000}, {"copy 64 KiB x 1000", 32768, 1000}};
    for (const Size& size : sizes) {
        const std::wstring text = sampleText(size.units);
        const String source(text.c_str());
        bench::compare(
            size.name,
            [&] {
                for (int i = 0; i < size.copies; ++i) {
                    String copy = source;
                    bench::keep(copy);
                }
            },
            [&] {
                for (int i = 0; i < size.copies; ++i) {
                    std::wstring copy = text;
                    bench::keep(copy);
                }
            });
    }
}

void benchConcat()
{
    bench::printHeader("concatenation");
    const std::wstring left = sampleText(64);
    const std::wstring right = sampleText(48);
    const String leftString(left.c_str());
    const String rightString(right.c_str());
    bench::compare(
        "a + b, 64 + 48 units x 20000",
        [&] {
            for (int i = 0; i < 20000; ++i) {
                String joined = leftString + rightString;
                bench::keep(joined);
            }
        },
        [&] {
            for (int i = 0; i < 20000; ++i) {
                std::wstring joined = left + right;
                bench::keep(joined);
            }
        });
    bench::compare(
        "+= 8 units, 2000 times",
        [&] {
            String built;
            for (int i = 0; i < 2000; ++i)
                built += L"abcdefgh";
            bench::keep(built);
        },
        [&] {
            std::wstring built;
            for (int i = 0; i < 2000; ++i)
                built += L"abcdefgh";
            bench::keep(built);
        });
}

void benchSearchTrimReplace()
{
    bench::printHeader("find, trim, replace (64 KiB text)");
    const std::wstring text = sampleText(32768) + L"needle";
    const String source(text.c_str());
    bench::compare(
        "find text at the end x 20",
        [&] {
            for (int i = 0; i < 20; ++i)
                bench::keep(source.find(L"needle"));
        },
        [&] {
            for (int i = 0; i < 20; ++i)
                bench::keep(text.find(L"needle"));
        });

    const std::wstring padded = L"   \t" + sampleText(256) + L" \r\n  ";
    const String paddedString(padded.c_str());
    bench::compare(
        "trim 256 units x 20000",
        [&] {
            for (int i = 0; i < 20000; ++i) {
                String trimmed = paddedString.trim();
                bench::keep(trimmed);
            }
        },
        [&] {
            for (int i = 0; i < 20000; ++i) {
                std::size_t first = 0;
                std::size_t last = padded.size();
                while (first < last && std::iswspace(padded[first]))
                    ++first;
                while (last > first && std::iswspace(padded[last - 1]))
                    --last;
                std::wstring trimmed = padded.substr(first, last - first);
                bench::keep(trimmed);
            }
        });

    bench::compare(
        "replace 'ab' by 'xyz' x 10",
        [&] {
            for (int i = 0; i < 10; ++i) {
                String s = source;
                bench::keep(s.replace(L"ab", L"xyz"));
            }
        },
        [&] {
            for (int i = 0; i < 10; ++i) {
                std::wstring s;
                std::size_t from = 0;
                for (std::size_t at; (at = text.find(L"ab", from)) != std::wstring::npos; from = at + 2) {
                    s.append(text, from, at - from);
                    s += L"xyz";
                }
                s.append(text, from, std::wstring::npos);
                bench::keep(s);
            }
        });
}

template <class Value, class MakeValue>
void benchFormatting(const char* kind, const wchar_t* format, MakeValue makeValue)
{
    const int count = 20000;
    const std::string streamName = std::string(kind) + " << vs wostringstream";
    const std::string printfName = std::string(kind) + " << vs swprintf";
    const auto formatWithString = [&] {
        for (int i = 0; i < count; ++i) {
            String s;
            s << makeValue(i);
            bench::keep(s);
        }
    };
    bench::compare(streamName.c_str(), formatWithString, [&] {
        for (int i = 0; i < count; ++i) {
            std::wostringstream out;
            out << makeValue(i);
            bench::keep(out.str());
        }
    });
    bench::compare(printfName.c_str(), formatWithString, [&] {
        for (int i = 0; i < count; ++i) {
            wchar_t text[64];
            std::swprintf(text, 64, format, static_cast<Value>(makeValue(i)));
            std::wstring s(text);
            bench::keep(s);
        }
    });
}

// A line of count numbers written by make, as the parsing benchmarks read it.
template <class MakeValue>
std::wstring numberLine(int count, MakeValue make)
{
    torv::StringBuilder line;
    for (int i = 0; i < count; ++i)
        line << make(i) << L' ';
    return line.toString().c_str();
}

template <class Value, class Parse>
void benchParsing(const char* name, const std::wstring& line, int count, Parse parse)
{
    const String source(line.c_str());
    bench::compare(
        name,
        [&] {
            String rest = source;
            double sum = 0;
            for (int i = 0; i < count; ++i) {
                Value v = 0;
                rest >> v;
                sum += v;
            }
            bench::keep(sum);
        },
        [&] {
            const wchar_t* cursor = line.c_str();
            double sum = 0;
            for (int i = 0; i < count; ++i) {
                wchar_t* end = nullptr;
                sum += parse(cursor, &end);
                cursor = end;
            }
            bench::keep(sum);
        });
}

void benchNumbers()
{
    bench::printHeader("numbers (20000 values formatted; 2000 parsed from one line)");
    const auto makeInt = [](int i) { return i * 7919 - 50000000; };
    const auto makeDouble = [](int i) { return i * 3.14159265 - 1000.0; };
    benchFormatting<int>("int", L"%d", makeInt);
    benchFormatting<double>("double", L"%.12g", makeDouble);

    const int parsed = 2000;
    benchParsing<long>("int >> vs wcstol", numberLine(parsed, makeInt), parsed,
                       [](const wchar_t* s, wchar_t** end) { return std::wcstol(s, end, 10); });
    benchParsing<double>("double >> vs wcstod", numberLine(parsed, makeDouble), parsed,
                         [](const wchar_t* s, wchar_t** end) { return std::wcstod(s, end); });
}

// Each sample builds or reads its text this many times, so that the small
// size still takes long enough to time.
const int linearRounds = 20;

void appendEightUnits(torv::StringBuilder& built, int appends)
{
    for (int i = 0; i < appends; ++i)
        built << L"abcdefgh";
    bench::keep(built.length());
}

void buildWithNewBuilders(int appends)
{
    for (int round = 0; round < linearRounds; ++round) {
        torv::StringBuilder built;
        appendEightUnits(built, appends);
    }
}

// Under Wine every block above about 128 KiB is freshly mapped, and touching
// its pages costs more than the appends; a cleared builder keeps its buffer.
void buildWithClearedBuilder(torv::StringBuilder& built, int appends, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        built.clear();
        appendEightUnits(built, appends);
    }
}

void readWithReader(const String& line, int count, int rounds = linearRounds)
{
    for (int round = 0; round < rounds; ++round) {
        torv::StringReader reader(line);
        long sum = 0;
        for (int i = 0; i < count; ++i) {
            int v = 0;
            reader >> v;
            sum += v;
        }
        bench::keep(sum);
    }
}

void readWithWcstol(const std::wstring& line, int count)
{
    for (int round = 0; round < linearRounds; ++round) {
        const wchar_t* cursor = line.c_str();
        long sum = 0;
        for (int i = 0; i < count; ++i) {
            wchar_t* end = nullptr;
            sum += std::wcstol(cursor, &end, 10);
            cursor = end;
        }
        bench::keep(sum);
    }
}

void benchBuilderAndReader()
{
    bench::printHeader("StringBuilder and StringReader (x20 per sample)");
    const auto makeInt = [](int i) { return i * 7919 - 50000000; };
    const int small = 2000;
    const int large = 20000;
    for (const int count : {small, large}) {
        const std::string appendName = "builder << 8 units x " + std::to_string(count);
        bench::compare(
            appendName.c_str(), [&] { buildWithNewBuilders(count); },
            [&] {
                for (int round = 0; round < linearRounds; ++round) {
                    std::wstring built;
                    for (int i = 0; i < count; ++i)
                        built += L"abcdefgh";
                    bench::keep(built);
                }
            });
    }
    for (const int count : {small, large}) {
        const std::wstring line = numberLine(count, makeInt);
        const String source(line.c_str());
        const std::string readName = "reader >> int x " + std::to_string(count) + " vs wcstol";
        bench::compare(
            readName.c_str(), [&] { readWithReader(source, count); }, [&] { readWithWcstol(line, count); });
    }
    // Growth from the small to the large size: the small one runs ten times
    // as often, so that both take as long and share the machine alike; a
    // ratio of 1 is linear growth (10x the time for 10x the size).
    const int growth = large / small;
    torv::StringBuilder smallBuilder, largeBuilder;
    bench::compare(
        "growth: builder 20000 / 10x2000", [&] { buildWithClearedBuilder(largeBuilder, large, linearRounds); },
        [&] { buildWithClearedBuilder(smallBuilder, small, growth * linearRounds); });
    const String smallLine(numberLine(small, makeInt).c_str());
    const String largeLine(numberLine(large, makeInt).c_str());
    bench::compare(
        "growth: reader 20000 / 10x2000", [&] { readWithReader(largeLine, large); },
        [&] { readWithReader(smallLine, small, growth * linearRounds); });
}

} // namespace

int main()
{
    benchCopies();
    benchConcat();
    benchSearchTrimReplace();
    benchNumbers();
    benchBuilderAndReader();
    return 0;
}
