#include "string/String.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <string>

namespace torv {

std::ostream& operator<<(std::ostream& out, const String& s)
{
    if (!s.isEmpty())
        out << s.stringAnsi();
    return out;
}

namespace {

void readQuoted(std::istream& in, std::string& token)
{
    char c;
    while (in.get(c) && c != '"') {
        if (c == '\\' && !in.get(c))
            break;
        token += c;
    }
}

void readBare(std::istream& in, char first, std::string& token)
{
    token += first;
    char c;
    while (in.get(c)) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            in.putback(c);
            break;
        }
        token += c;
    }
}

} // namespace

std::istream& operator>>(std::istream& in, String& s)
{
    s = String::NIL;
    char first;
    if (!(in >> std::ws).get(first))
        return in;
    const std::ios_base::fmtflags flags = in.flags();
    in.unsetf(std::ios_base::skipws);
    std::string token;
    if (first == '"')
        readQuoted(in, token);
    else
        readBare(in, first, token);
    in.flags(flags);
    // Reaching the end of the stream ends the token; it is not a failure.
    if (in.eof())
        in.clear(std::ios_base::eofbit);
    s = String(token.c_str());
    return in;
}

} // namespace torv
