// Turns a manual page source into a troff man page, at build time.
//
//     mdman SOURCE.md OUT.1
//
// The source is a small text format:
//   % NAME SECTION "date" "source" "manual"   the title line (first line)
//   # HEADING                                  a section
//   **bold**, *italic*                         inline faces
//   TERM  followed by  : definition            a tagged paragraph
//   four leading blanks                        an example, set as it stands
//   an empty line                              a new paragraph

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string Faces(const std::string &text)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '\\')
            escaped += "\\e";
        else if (c == '-')
            escaped += "\\-";
        else
            escaped += c;
    }
    std::string out;
    for (size_t i = 0; i < escaped.size();) {
        const bool bold = escaped.compare(i, 2, "**") == 0;
        const std::string mark = bold ? "**" : "*";
        if (escaped[i] == '*') {
            const size_t end = escaped.find(mark, i + mark.size());
            if (end != std::string::npos && end > i + mark.size()) {
                out += bold ? "\\fB" : "\\fI";
                out += escaped.substr(i + mark.size(), end - i - mark.size());
                out += "\\fR";
                i = end + mark.size();
                continue;
            }
        }
        out += escaped[i++];
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out = "\\&" + out;
    return out;
}

std::string Verbatim(const std::string &line)
{
    std::string out;
    for (const char c : line.substr(4)) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out = "\\&" + out;
    return out;
}

// Every character beyond ASCII as troff's \[uXXXX], so that the page reads
// the same whatever encoding the formatter assumes (translated pages).
std::string Ascii(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 1) {
            out += utf8[i++];
            continue;
        }
        unsigned long code = length == 0 ? 0xFFFD : lead & (0xFF >> (length + 1));
        size_t taken = 1;
        for (; length > 1 && taken < length && i + taken < utf8.size(); ++taken) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + taken]);
            if ((next & 0xC0) != 0x80)
                break;
            code = (code << 6) | (next & 0x3F);
        }
        if (length > 1 && taken != length)
            code = 0xFFFD; // a broken sequence
        char hex[16];
        std::snprintf(hex, sizeof hex, "\\[u%04lX]", code);
        out += hex;
        i += taken;
    }
    return out;
}

bool IsExample(const std::string &line) { return line.compare(0, 4, "    ") == 0; }
bool IsDefinition(const std::string &line) { return line.compare(0, 2, ": ") == 0; }

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: mdman SOURCE OUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "mdman: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    if (lines.empty() || lines[0].compare(0, 2, "% ") != 0) {
        std::cerr << "mdman: " << argv[1] << " does not start with a title line\n";
        return 1;
    }

    std::string out = ".TH " + lines[0].substr(2) + "\n";
    bool paragraph = false; // an empty line asks for a new paragraph
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        if (line.empty()) {
            paragraph = true;
        } else if (line.compare(0, 2, "# ") == 0) {
            out += ".SH " + line.substr(2) + "\n";
            paragraph = false;
        } else if (IsExample(line)) {
            out += paragraph ? ".PP\n" : "";
            out += ".RS 4\n.nf\n";
            for (; i < lines.size() && IsExample(lines[i]); ++i)
                out += Verbatim(lines[i]) + "\n";
            --i;
            out += ".fi\n.RE\n";
            paragraph = true;
        } else if (i + 1 < lines.size() && IsDefinition(lines[i + 1])) {
            out += ".TP\n" + Faces(line) + "\n" + Faces(lines[++i].substr(2)) + "\n";
            paragraph = false;
        } else {
            out += paragraph ? ".PP\n" : "";
            out += Faces(line) + "\n";
            paragraph = false;
        }
    }
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    file << Ascii(out);
    if (!file.flush()) {
        std::cerr << "mdman: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
