#include "Fuzzer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace fuzz {

std::wstring widen(const Bytes& input)
{
    std::wstring units;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const auto byte = static_cast<unsigned char>(input[i]);
        if (byte == 0xFF && i + 2 < input.size()) {
            units += static_cast<wchar_t>(static_cast<unsigned char>(input[i + 1]) << 8 |
                                          static_cast<unsigned char>(input[i + 2]));
            i += 2;
        } else {
            units += static_cast<wchar_t>(byte);
        }
    }
    return units;
}

namespace {

const std::size_t MAX_INPUT = 4096;
const std::size_t MAX_POOL = 512;

struct Options {
    std::string target = "all";
    double seconds = 10;
    unsigned long long iterations = ~0ull;
    unsigned long long seed = 1;
    std::string corpus = "corpus";
    std::string failures = "fuzz-failures";
    std::string replay;
    std::string replayCommand = "torv_fuzz.exe";
};

// The input under test, saved by the exception filter when it crashes.
const Target* runningTarget = nullptr;
const Bytes* runningInput = nullptr;
const Options* options = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;

class Mutator {
public:
    Mutator(unsigned long long seed, const std::vector<Bytes>& dictionary) : random(seed), dictionary(dictionary) {}

    Bytes mutate(const std::vector<Bytes>& pool)
    {
        Bytes input = pick(pool);
        for (std::size_t steps = below(4) + 1; steps > 0; --steps)
            step(input, pool);
        if (input.size() > MAX_INPUT)
            input.resize(MAX_INPUT);
        return input;
    }

    bool chance(std::size_t oneIn) { return below(oneIn) == 0; }

private:
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(random() % n); }
    const Bytes& pick(const std::vector<Bytes>& from) { return from[below(from.size())]; }

    void step(Bytes& input, const std::vector<Bytes>& pool)
    {
        static const char interesting[] = {'\0', '\\', '/', ':', '.',    ' ',    '\n',  '"',
                                           '\t', '-',  '0', '9', '\xFF', '\x7F', '\x80'};
        const std::size_t at = below(input.size() + 1);
        switch (below(7)) {
        case 0:
            if (at < input.size())
                input[at] = static_cast<char>(input[at] ^ (1 << below(8)));
            break;
        case 1:
            input.insert(at, 1, static_cast<char>(below(256)));
            break;
        case 2:
            input.insert(at, 1, interesting[below(sizeof interesting)]);
            break;
        case 3:
            input.erase(at, below(8) + 1);
            break;
        case 4:
            if (!dictionary.empty())
                input.insert(at, pick(dictionary));
            break;
        case 5:
            input.insert(at, input.substr(below(input.size() + 1), below(64) + 1));
            break;
        default: {
            // Splice: this input's head with another's tail.
            const Bytes& other = pick(pool);
            input = input.substr(0, at) + other.substr(below(other.size() + 1));
        }
        }
    }

    std::mt19937_64 random;
    const std::vector<Bytes>& dictionary;
};

std::string saveFailure(const Target& target, const Bytes& input)
{
    std::filesystem::create_directories(options->failures);
    const std::string name = std::string(target.name) + "-" + std::to_string(std::hash<Bytes>()(input)) + ".input";
    const std::string file =
        std::filesystem::absolute(std::filesystem::path(options->failures) / name).generic_string();
    std::ofstream(file, std::ios::binary) << input;
    const std::string command = options->replayCommand + " " + target.name + " --replay " + file;
    std::ofstream(file + ".replay") << command << '\n';
    return command;
}

void reportFailure(const Target& target, const Bytes& input, const std::string& failure)
{
    const std::string command = saveFailure(target, input);
    std::fprintf(stderr, "%s: %s\n  input saved; replay with: %s\n", target.name, failure.c_str(), command.c_str());
    std::fflush(stderr);
}

LONG WINAPI saveCrashingInput(EXCEPTION_POINTERS* exception)
{
    if (runningTarget && runningInput) {
        char code[32];
        std::snprintf(code, sizeof code, "crash 0x%08lx",
                      static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
        reportFailure(*runningTarget, *runningInput, code);
    }
    return previousFilter ? previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

std::string runGuarded(const Target& target, const Bytes& input)
{
    runningTarget = &target;
    runningInput = &input;
    try {
        return target.run(input);
    } catch (const std::exception& e) {
        return std::string("exception: ") + e.what();
    }
}

std::vector<Bytes> loadSeeds(const Target& target)
{
    std::vector<Bytes> seeds;
    const std::filesystem::path folder = std::filesystem::path(options->corpus) / target.name;
    std::error_code error;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        files.push_back(entry.path());
    // Sorted, so that a seed gives the same run everywhere.
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (seeds.empty())
        seeds.emplace_back();
    return seeds;
}

bool fuzzTarget(const Target& target)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto elapsed = [&start] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    std::vector<Bytes> pool = loadSeeds(target);
    const std::size_t seeds = pool.size();
    Mutator mutator(options->seed, target.dictionary);
    unsigned long long runs = 0;
    for (; runs < seeds || (runs < options->iterations && elapsed() < options->seconds); ++runs) {
        const Bytes input = runs < seeds ? pool[runs] : mutator.mutate(pool);
        const std::string failure = runGuarded(target, input);
        if (!failure.empty()) {
            reportFailure(target, input, failure);
            return false;
        }
        // Mutants join the pool now and then, so that mutations stack up.
        if (runs >= seeds && pool.size() < MAX_POOL && mutator.chance(8))
            pool.push_back(input);
    }
    std::printf("%-10s %llu inputs (%zu seeds) in %.1f s, seed %llu: all properties held\n", target.name, runs, seeds,
                elapsed(), options->seed);
    return true;
}

bool replay(const Target& target)
{
    std::ifstream in(options->replay, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", options->replay.c_str());
        return false;
    }
    const Bytes input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string failure = runGuarded(target, input);
    std::printf("%s: %s\n", target.name, failure.empty() ? "all properties held" : failure.c_str());
    return failure.empty();
}

bool parse(int argc, char** argv, Options& into)
{
    if (argc < 2)
        return false;
    into.target = argv[1];
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const char* value = argv[i + 1];
        if (flag == "--seconds")
            into.seconds = std::atof(value);
        else if (flag == "--iterations")
            into.iterations = std::strtoull(value, nullptr, 10);
        else if (flag == "--seed")
            into.seed = std::strtoull(value, nullptr, 10);
        else if (flag == "--corpus")
            into.corpus = value;
        else if (flag == "--failures")
            into.failures = value;
        else if (flag == "--replay")
            into.replay = value;
        else if (flag == "--replay-command")
            into.replayCommand = value;
        else
            return false;
    }
    return argc % 2 == 0;
}

} // namespace

} // namespace fuzz

int main(int argc, char** argv)
{
    static fuzz::Options options;
    if (!fuzz::parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s all|TARGET [--seconds S] [--iterations N] [--seed N] [--corpus DIR]"
                     " [--failures DIR] [--replay-command TEXT] | TARGET --replay FILE\n",
                     argv[0]);
        return 2;
    }
    fuzz::options = &options;
    fuzz::previousFilter = SetUnhandledExceptionFilter(fuzz::saveCrashingInput);
    bool ok = true;
    bool known = false;
    for (const fuzz::Target& target : fuzz::targets()) {
        if (options.target != "all" && options.target != target.name)
            continue;
        known = true;
        ok = (options.replay.empty() ? fuzz::fuzzTarget(target) : fuzz::replay(target)) && ok;
    }
    if (!known)
        std::fprintf(stderr, "unknown target %s\n", options.target.c_str());
    return ok && known ? 0 : 1;
}
