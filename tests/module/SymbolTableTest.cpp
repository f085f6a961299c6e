#include "module/SymbolTable.h"
#include "module/Module.h"
#include "object/BaseNode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

namespace {

using namespace torv;

const unsigned int UNKNOWN = 0xFFFFFFFFu;

bool parse(SymbolTable& table, const std::string& text)
{
    std::istringstream in(text);
    return table.parseHeaderFile(in);
}

unsigned int valueOf(const SymbolTable& table, const wchar_t* name) { return table.lookupSymbol(String(name)); }

// Each line is read after "#define BASE 40960"; `value` is what NAME gets, UNKNOWN when nothing is stored.
// Lines end in "\r\n" or "\n" by turns: a rejected line is listed without its "\r", and loses nothing else.
void expectLine(const char* line, bool accepted, unsigned int value)
{
    SCOPED_TRACE(line);
    SymbolTable table;
    ASSERT_TRUE(parse(table, "#define BASE 40960\r\n"));
    EXPECT_EQ(accepted, parse(table, std::string(line) + (std::strlen(line) % 2 ? "\n" : "\r\n")));
    ASSERT_EQ(table.rejectedLines().size(), accepted ? 0u : 1u)
        << "a rejected line goes unlisted, or a good one listed";
    if (!accepted) {
        const SymbolTable::RejectedLine& rejected = table.rejectedLines()[0];
        EXPECT_TRUE(rejected.number == 1 && rejected.text == String(line) && !rejected.reason.isEmpty());
    }
    EXPECT_EQ(value, valueOf(table, L"NAME"));
    EXPECT_EQ(40960u, valueOf(table, L"BASE"));
}

TEST(SymbolLine, IsParsedAsDefinitionOrRejected)
{
    const std::pair<const char*, unsigned int> definitions[] = {
        {"#define NAME 4096", 4096},
        {"#define\tNAME\t4096\t// comment", 4096},
        {"  #define NAME (4096)", 4096},
        {"#define NAME 100L", 100},
        {"#define NAME BASE", 40960},
        {"#define NAME base", 40960},
        {"#define NAME 0x8000", 0},
        {"#define NAME (BASE-1)", 0},
        {"#define NAME _X", 0},
        {"#define NAME (-1)", 0xFFFFFFFFu},
        {"#define NAME 4294967296", 0x7FFFFFFFu}, // saturates at the largest long
        {"#define NAME", 0},
        {"#define NAME   ", 0},
        {"// #define NAME 3", 3}};
    for (const auto& definition : definitions)
        expectLine(definition.first, true, definition.second);
    for (const char* line : {"#define NAME -1", "#define NAME UNDEFINED", "#defineNAME 1", "#define", "#define    ",
                             "#define BASE 1", "#define base 1"})
        expectLine(line, false, UNKNOWN);
    for (const char* line :
         {"#undef NAME", "#pragma once", "#DEFINE NAME 1", "", "#define _APS_NEXT_RESOURCE_VALUE 101"})
        expectLine(line, true, UNKNOWN);
}

TEST(SymbolTable, BadLinesStreamStatesAndLongLinesFailButKeepTheGoodOnes)
{
    SymbolTable table;
    EXPECT_FALSE(parse(table, "#define X 1\r\n#define x 2\r\n#define B A\r\n#define A 7\r\n#define C A\r\n"));
    EXPECT_TRUE(valueOf(table, L"x") == 1u && valueOf(table, L"B") == UNKNOWN && table[String(L"C")] == 7u);
    EXPECT_EQ(1u, table.lookupValue(1).size());
    // The editor's prefix is case-sensitive.
    EXPECT_TRUE(parse(table, "#define _APS_X 1\r\n#define _aps_x 2\r\n"));
    EXPECT_EQ(SymbolTable::SymbolSet{String(L"_aps_x")}, table.lookupValue(2));

    SymbolTable copy(table);
    table = table;
    EXPECT_TRUE(parse(copy, "#define D 4\n"));
    EXPECT_TRUE(valueOf(table, L"D") == UNKNOWN && valueOf(copy, L"A") == 7u);

    table = SymbolTable();
    EXPECT_TRUE(parse(table, "") && table.lookupValue(0).empty());
    for (std::ios::iostate state : {std::ios::failbit, std::ios::badbit}) {
        std::istringstream in("#define X 1\n");
        in.setstate(state);
        EXPECT_TRUE(!table.parseHeaderFile(in) && valueOf(table, L"X") == UNKNOWN);
    }

    const std::string longest = "#define LONGEST 254 //" + std::string(254 - 22, 'x');
    EXPECT_TRUE(parse(table, longest + "\n#define AFTER 1\n") && valueOf(table, L"LONGEST") == 254u);
    SymbolTable broken;
    EXPECT_FALSE(parse(broken, "#define BEFORE 1\n" + longest + "x\n#define LATER 2\n"));
    EXPECT_TRUE(valueOf(broken, L"BEFORE") == 1u && valueOf(broken, L"LATER") == UNKNOWN);
    ASSERT_EQ(broken.rejectedLines().size(), 1u);
    EXPECT_EQ(broken.rejectedLines()[0].number, 2) << "the reading stops at the long line, and says so";
    EXPECT_STREQ(broken.rejectedLines()[0].reason.c_str(), L"the line has 255 or more characters");
}

// The library's own header as its Module read it at start-up, where one bad line would leave no symbols.
TEST(LibraryHeader, AllDefinitionsParse)
{
    const SymbolTable& table = torv::BaseNode::Class()->module->getResourceSymbols();
    std::size_t definitions = 0;
    for (unsigned int value : {1u, 2u, 3u, 4u, 24u, 32768u, 40959u, 40960u, 57342u, 57343u})
        definitions += table.lookupValue(value).size();
    for (unsigned int value = 4096; value <= 4145; ++value)
        definitions += table.lookupValue(value).size();
    EXPECT_EQ(63u, definitions) << "every definition of the header is kept";
    EXPECT_EQ(63u, table.symbols().size()) << "the walk misses or repeats names";
    for (const auto& [name, value] : table.symbols())
        EXPECT_TRUE(valueOf(table, name.c_str()) == value && table.lookupValue(value).count(name)) << name.c_str();
    EXPECT_EQ(3u, table[4096u].size()) << "one value, several names";
    EXPECT_EQ(4145u, valueOf(table, L"IDC_CONTROL10"));
    EXPECT_EQ(UNKNOWN, valueOf(table, L"_APS_NEXT_RESOURCE_VALUE"));
}

} // namespace
