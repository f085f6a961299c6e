#include "Report.h"

#include "platform/WinApi.h"

#include <cstdio>
#include <string>

namespace inspect {

namespace {

std::string utf8(const std::wstring& text)
{
    return torv::String(text.c_str(), static_cast<int>(text.size())).toUtf8();
}

std::string utf8(const torv::String& text) { return text.toUtf8(); }

// "DEU (0x0407)"; a language the system has no code for shows its number only.
std::string languageName(LANGID language)
{
    char number[16];
    std::snprintf(number, sizeof number, "0x%04X", static_cast<unsigned>(language));
    wchar_t code[10] = {};
    if (language == 0xFFFF || !GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, code, 10))
        return number;
    return utf8(std::wstring(code)) + " (" + number + ")";
}

const char* askedName(torv::LanguageChoice::Asked asked)
{
    switch (asked) {
    case torv::LanguageChoice::Asked::CommandLine:
        return "command line";
    case torv::LanguageChoice::Asked::Registry:
        return "registry";
    case torv::LanguageChoice::Asked::System:
        break;
    }
    return "system";
}

std::string orNone(const std::wstring& text) { return text.empty() ? "(none)" : utf8(text); }

void printSearch(std::ostream& out, const Inspection& inspection)
{
    const torv::LanguageChoice& choice = inspection.choice;
    out << "Translation search (asked: " << askedName(choice.asked);
    if (!choice.askedCode.isEmpty())
        out << " \"" << utf8(choice.askedCode) << '"';
    out << "):\n  languages tried:";
    for (const LANGID language : choice.candidates)
        out << ' ' << languageName(language);
    out << '\n';
    for (const torv::LanguageChoice::Probe& probe : choice.probes)
        out << "  " << (probe.found ? "found    " : "missing  ") << utf8(probe.path) << '\n';
    out << "  taken: " << orNone(std::wstring(choice.translation.c_str())) << ", language "
        << languageName(choice.language) << '\n';
}

// The text as a JSON string, with its quotes.
std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string quoted(const std::wstring& text) { return quoted(utf8(text)); }
std::string quoted(const torv::String& text) { return quoted(utf8(text)); }

// Items of one JSON array, written by `each(item)`, separated by commas.
template <class Items, class Each>
void jsonArray(std::ostream& out, const Items& items, Each each)
{
    out << '[';
    bool first = true;
    for (const auto& item : items) {
        out << (first ? "" : ",");
        first = false;
        each(item);
    }
    out << ']';
}

} // namespace

void printText(std::ostream& out, const Inspection& inspection)
{
    out << "Module: " << utf8(inspection.path) << "\n  loaded " << utf8(inspection.howLoaded) << "\n\nVersion:\n";
    for (const auto& [name, value] : inspection.version)
        out << "  " << utf8(name) << " = " << utf8(value) << '\n';
    if (!inspection.versionProblem.empty())
        out << "  " << utf8(inspection.versionProblem) << '\n';
    out << "  data folder: " << orNone(inspection.dataFolder) << "\n\nSymbols";
    if (!inspection.hasSymbolHeader)
        out << ": none (no embedded \"RESOURCE.H\")";
    out << '\n';
    for (const auto& [name, value] : inspection.symbols.symbols())
        out << "  " << utf8(name) << " = " << value << '\n';
    for (const torv::SymbolTable::RejectedLine& line : inspection.symbols.rejectedLines())
        out << "  rejected line " << line.number << ": " << utf8(line.text) << "  (" << utf8(line.reason) << ")\n";
    out << "\nString table languages:";
    for (const LANGID language : inspection.stringLanguages)
        out << ' ' << languageName(language);
    out << "\n\n";
    if (!inspection.asLibrary) {
        out << "Translation search, help file and classes: not shown for a data file\n";
        return;
    }
    if (inspection.searched)
        printSearch(out, inspection);
    else
        out << "Translation search: none ran to its end\n";
    out << "Help file: " << orNone(inspection.helpFile) << "\n\nClasses:\n";
    for (const ClassEntry& c : inspection.classes)
        out << std::string(static_cast<size_t>(2 + 2 * c.depth), ' ') << utf8(c.name)
            << (c.base.empty() ? "" : "  : " + utf8(c.base)) << '\n';
}

void printJson(std::ostream& out, const Inspection& inspection)
{
    out << "{\"module\":" << quoted(inspection.path)
        << ",\"loadedAsLibrary\":" << (inspection.asLibrary ? "true" : "false")
        << ",\"howLoaded\":" << quoted(inspection.howLoaded) << ",\"version\":{";
    bool first = true;
    for (const auto& [name, value] : inspection.version) {
        out << (first ? "" : ",") << quoted(name) << ':' << quoted(value);
        first = false;
    }
    out << "},\"dataFolder\":" << quoted(inspection.dataFolder) << ",\"symbols\":";
    jsonArray(out, inspection.symbols.symbols(), [&](const auto& symbol) {
        out << "{\"name\":" << quoted(symbol.first) << ",\"value\":" << symbol.second << '}';
    });
    out << ",\"rejectedLines\":";
    jsonArray(out, inspection.symbols.rejectedLines(), [&](const torv::SymbolTable::RejectedLine& line) {
        out << "{\"line\":" << line.number << ",\"text\":" << quoted(line.text) << ",\"reason\":" << quoted(line.reason)
            << '}';
    });
    out << ",\"stringLanguages\":";
    jsonArray(out, inspection.stringLanguages, [&](LANGID language) { out << language; });
    if (inspection.asLibrary && inspection.searched) {
        const torv::LanguageChoice& choice = inspection.choice;
        out << R"(,"translationSearch":{"asked":)" << quoted(std::string(askedName(choice.asked)))
            << ",\"askedCode\":" << quoted(choice.askedCode) << ",\"languagesTried\":";
        jsonArray(out, choice.candidates, [&](LANGID language) { out << language; });
        out << ",\"files\":";
        jsonArray(out, choice.probes, [&](const torv::LanguageChoice::Probe& probe) {
            out << "{\"path\":" << quoted(probe.path) << ",\"found\":" << (probe.found ? "true" : "false") << '}';
        });
        out << ",\"taken\":" << quoted(choice.translation) << ",\"language\":" << choice.language << '}';
    }
    if (inspection.asLibrary) {
        out << ",\"helpFile\":" << quoted(inspection.helpFile) << ",\"classes\":";
        jsonArray(out, inspection.classes, [&](const ClassEntry& c) {
            out << "{\"name\":" << quoted(c.name) << ",\"base\":" << quoted(c.base) << ",\"depth\":" << c.depth << '}';
        });
    }
    out << "}\n";
}

} // namespace inspect
