// Any text shown and saved: Normalise leaves only CR LF breaks and is
// idempotent, and saving and splitting lines lose no byte.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/document.h"
#include "solution/lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string normal = Normalise(text);
    for (std::size_t i = 0; i < normal.size(); ++i) {
        if (normal[i] == '\r' && (i + 1 == normal.size() || normal[i + 1] != '\n')) std::abort();
        if (normal[i] == '\n' && (i == 0 || normal[i - 1] != '\r')) std::abort();
    }
    if (Normalise(normal) != normal) std::abort();

    const std::string document = WrapInDocument(normal);
    if (FileContents(document) != document + "\r\n") std::abort();

    SolutionLines lines;
    lines.SetText(normal);
    const bool endsWithBreak = normal.size() >= 2 && normal.compare(normal.size() - 2, 2, "\r\n") == 0;
    if (lines.Join() != normal + (normal.empty() || endsWithBreak ? "" : "\r\n")) std::abort();

    DocumentBody body;
    body.ShowPage(text, true);
    body.ShowPage(text, true);
    if (body.Text() != normal + normal + PageBreakMarker()) std::abort();
    return 0;
}
