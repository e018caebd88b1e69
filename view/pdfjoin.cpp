#include "view/pdfjoin.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace quorvel {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool IsDelimiter(char c) { return std::string_view("()<>[]{}/%").find(c) != kNone; }
bool IsRegular(char c) { return !IsSpace(c) && !IsDelimiter(c); }

std::size_t SkipSpace(std::string_view s, std::size_t pos) {
    while (pos < s.size() && IsSpace(s[pos])) ++pos;
    return pos;
}

// A non-negative integer at pos (after blanks); pos moves past it.
std::optional<std::int64_t> ReadInt(std::string_view s, std::size_t& pos) {
    std::size_t p = SkipSpace(s, pos);
    const std::size_t start = p;
    std::int64_t value = 0;
    while (p < s.size() && s[p] >= '0' && s[p] <= '9' && p - start < 12) value = value * 10 + (s[p++] - '0');
    if (p == start || (p < s.size() && IsRegular(s[p]))) return std::nullopt;
    pos = p;
    return value;
}

// The number after key in s ("/Count 8", "/Pages 221 0 R"), searched from from.
std::optional<std::int64_t> ValueOf(std::string_view s, std::string_view key, std::size_t from = 0) {
    std::size_t pos = s.find(key, from);
    while (pos != kNone && pos + key.size() < s.size() && IsRegular(s[pos + key.size()])) pos = s.find(key, pos + 1);
    if (pos == kNone) return std::nullopt;
    pos += key.size();
    return ReadInt(s, pos);
}

// One part: where each object starts, by its number.
struct Part {
    std::string_view bytes;
    std::vector<std::size_t> starts;  // kNone for a free number
    std::size_t xref = 0;
    int root = -1;
    int info = -1;

    // The object's bytes after "n 0 obj", up to the next object or the table.
    std::string_view Body(int number, std::size_t end) const {
        std::string_view object = bytes.substr(starts[std::size_t(number)], end - starts[std::size_t(number)]);
        return object.substr(object.find("obj") + 3);
    }
};

std::optional<Part> Read(std::string_view bytes) {
    Part part;
    part.bytes = bytes;
    const std::size_t startxref = bytes.rfind("startxref");
    if (startxref == kNone) return std::nullopt;
    std::size_t pos = startxref + 9;
    const auto xref = ReadInt(bytes, pos);
    if (!xref || std::size_t(*xref) >= startxref || bytes.substr(std::size_t(*xref), 4) != "xref") return std::nullopt;
    part.xref = std::size_t(*xref);
    pos = part.xref + 4;
    while (true) {
        pos = SkipSpace(bytes, pos);
        if (bytes.substr(pos, 7) == "trailer") break;
        const auto first = ReadInt(bytes, pos);
        const auto count = ReadInt(bytes, pos);
        if (!first || !count || *first + *count > 100'000'000) return std::nullopt;
        if (part.starts.size() < std::size_t(*first + *count)) part.starts.resize(std::size_t(*first + *count), kNone);
        for (std::int64_t i = *first; i < *first + *count; ++i) {
            const auto offset = ReadInt(bytes, pos);
            const auto generation = ReadInt(bytes, pos);
            pos = SkipSpace(bytes, pos);
            if (!offset || !generation || pos >= bytes.size()) return std::nullopt;
            const char type = bytes[pos++];
            if (type == 'n') {
                if (*generation != 0 || std::size_t(*offset) >= part.xref) return std::nullopt;
                part.starts[std::size_t(i)] = std::size_t(*offset);
            }
        }
    }
    const auto root = ValueOf(bytes, "/Root", pos);
    const auto info = ValueOf(bytes, "/Info", pos);
    if (!root || std::size_t(*root) >= part.starts.size() || part.starts[std::size_t(*root)] == kNone) return std::nullopt;
    part.root = int(*root);
    if (info && std::size_t(*info) < part.starts.size() && part.starts[std::size_t(*info)] != kNone) part.info = int(*info);
    for (std::size_t i = 0; i < part.starts.size(); ++i) {
        if (part.starts[i] == kNone) continue;
        std::size_t at = part.starts[i];
        const auto number = ReadInt(bytes, at);
        const auto generation = ReadInt(bytes, at);
        if (!number || std::size_t(*number) != i || !generation || bytes.substr(SkipSpace(bytes, at), 3) != "obj") {
            return std::nullopt;
        }
    }
    return part;
}

// The body of an object with every reference "n 0 R" renumbered through
// numbers; a stream's data is copied as it is. Nothing if it refers to an
// object that is not there.
// A font subset is named by a tag of six capitals and "+" (/AAAAAA+Arial);
// each part brings subsets of its own under the same tags, and a file may
// name different subsets alike by no tag: the part's number goes into the
// tag's last two letters.
bool IsSubsetTag(std::string_view name) {
    if (name.size() < 8 || name[7] != '+') return false;
    return std::all_of(name.begin() + 1, name.begin() + 7, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// The object's body with its references renumbered and, in a part after
// the first, its subset tags made its own.
std::optional<std::string> Renumbered(std::string_view body, const std::vector<int>& numbers, std::size_t part) {
    std::string out;
    out.reserve(body.size() + 16);
    std::size_t p = 0;
    while (p < body.size()) {
        const char c = body[p];
        const std::size_t start = p;
        if (c == '(') {  // a literal string, with escapes and balanced brackets
            int depth = 0;
            do {
                if (body[p] == '\\') ++p;
                else if (body[p] == '(') ++depth;
                else if (body[p] == ')') --depth;
                ++p;
            } while (p < body.size() && depth > 0);
        } else if (body.substr(p, 2) == "<<" || body.substr(p, 2) == ">>") {
            p += 2;
        } else if (c == '<') {  // a hexadecimal string
            p = std::min(body.find('>', p), body.size() - 1) + 1;
        } else if (c == '%') {  // a comment
            while (p < body.size() && body[p] != '\n' && body[p] != '\r') ++p;
        } else if (c == '/') {  // a name
            ++p;
            while (p < body.size() && IsRegular(body[p])) ++p;
            if (part > 0 && IsSubsetTag(body.substr(start, p - start))) {
                std::string name(body.substr(start, p - start));
                name[5] = char('A' + part / 26 % 26);
                name[6] = char('A' + part % 26);
                out += name;
                continue;
            }
        } else if (IsRegular(c)) {
            while (p < body.size() && IsRegular(body[p])) ++p;
            const std::string_view token = body.substr(start, p - start);
            if (token == "stream") {
                out += body.substr(start);
                return out;
            }
            std::size_t after = start;
            const auto number = ReadInt(body, after);
            const auto generation = number ? ReadInt(body, after) : std::nullopt;
            after = SkipSpace(body, after);
            if (generation && after < body.size() && body[after] == 'R' &&
                (after + 1 == body.size() || !IsRegular(body[after + 1]))) {
                if (std::size_t(*number) >= numbers.size() || numbers[std::size_t(*number)] < 0) return std::nullopt;
                out += std::to_string(numbers[std::size_t(*number)]) + " " + std::to_string(*generation) + " R";
                p = after + 1;
                continue;
            }
        } else {
            ++p;
        }
        out += body.substr(start, p - start);
    }
    return out;
}

}  // namespace

std::optional<std::string> JoinPdfs(const std::vector<std::string>& inputs) {
    std::vector<Part> parts;
    for (const std::string& input : inputs) {
        std::optional<Part> part = Read(input);
        if (!part) return std::nullopt;
        parts.push_back(*part);
    }
    if (parts.empty()) return std::nullopt;

    // New numbers from 1 on, part after part; the parts' catalogs and all
    // but the first document information give way to the joined ones.
    std::vector<std::vector<int>> numbers;
    std::vector<std::vector<std::size_t>> ends;  // where each object ends
    std::vector<int> trees;                      // each part's page tree, by its old number
    int next = 1;
    std::int64_t pages = 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const Part& part = parts[k];
        std::vector<std::size_t> sorted;
        for (std::size_t start : part.starts) {
            if (start != kNone) sorted.push_back(start);
        }
        std::sort(sorted.begin(), sorted.end());
        sorted.push_back(part.xref);
        std::vector<std::size_t> end(part.starts.size(), kNone);
        std::vector<int> renumber(part.starts.size(), -1);
        for (std::size_t i = 0; i < part.starts.size(); ++i) {
            if (part.starts[i] == kNone) continue;
            end[i] = *std::upper_bound(sorted.begin(), sorted.end(), part.starts[i]);
            if (int(i) == part.root || (k > 0 && int(i) == part.info)) continue;
            renumber[i] = next++;
        }
        const auto tree = ValueOf(part.Body(part.root, end[std::size_t(part.root)]), "/Pages");
        if (!tree || std::size_t(*tree) >= renumber.size() || renumber[std::size_t(*tree)] < 0) return std::nullopt;
        const auto count = ValueOf(part.Body(int(*tree), end[std::size_t(*tree)]), "/Count");
        if (!count) return std::nullopt;
        pages += *count;
        trees.push_back(int(*tree));
        numbers.push_back(std::move(renumber));
        ends.push_back(std::move(end));
    }
    const int tree = next++;
    const int catalog = next++;

    std::string out(parts[0].bytes.substr(0, parts[0].bytes.find("\n%") + 1));
    out += parts[0].bytes.substr(out.size(), parts[0].bytes.find('\n', out.size()) + 1 - out.size());
    std::vector<std::size_t> offsets(std::size_t(next), 0);
    std::string kids;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        for (std::size_t i = 0; i < parts[k].starts.size(); ++i) {
            const int number = numbers[k][i];
            if (number < 0) continue;
            std::optional<std::string> body = Renumbered(parts[k].Body(int(i), ends[k][i]), numbers[k], k);
            if (!body) return std::nullopt;
            if (int(i) == trees[k]) {
                const std::size_t open = body->find("<<");
                if (open == kNone) return std::nullopt;
                body->insert(open + 2, "/Parent " + std::to_string(tree) + " 0 R\n");
                kids += (kids.empty() ? "" : " ") + std::to_string(number) + " 0 R";
            }
            offsets[std::size_t(number)] = out.size();
            out += std::to_string(number) + " 0 obj";
            out += *body;
        }
    }
    offsets[std::size_t(tree)] = out.size();
    out += std::to_string(tree) + " 0 obj\n<</Type /Pages\n/Count " + std::to_string(pages) + "\n/Kids [" + kids +
           "]>>\nendobj\n";
    offsets[std::size_t(catalog)] = out.size();
    out += std::to_string(catalog) + " 0 obj\n<</Type /Catalog\n/Pages " + std::to_string(tree) + " 0 R>>\nendobj\n";

    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(next) + "\n0000000000 65535 f \n";
    char entry[32];
    for (int i = 1; i < next; ++i) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offsets[std::size_t(i)]);
        out += entry;
    }
    out += "trailer\n<</Size " + std::to_string(next) + "\n/Root " + std::to_string(catalog) + " 0 R";
    if (parts[0].info >= 0) out += "\n/Info " + std::to_string(numbers[0][std::size_t(parts[0].info)]) + " 0 R";
    out += ">>\nstartxref\n" + std::to_string(xref) + "\n%%EOF";
    return out;
}

}  // namespace quorvel
