#include "document/document.h"

#include <algorithm>
#include <iterator>

namespace quorvel {

const std::string& DocumentHeader() {
    static const std::string header =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
        "<html>\r\n"
        "  <head>\r\n"
        "  <title>Quorvel</title>\r\n"
        "  <meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">\r\n"
        "  <meta name=\"generator\" content=\"Quorvel Bruchrechentrainer\">\r\n"
        "  <style type=\"text/css\">\r\n"
        "    body{font-family:Arial,Helvetica,Verdana,sans-serif; margin-left:0,5cm; margin-right:0,5cm;}\r\n"
        "  </style>\r\n"
        "</head>\r\n"
        "\r\n"
        "<body>\r\n";
    return header;
}

const std::string& PageBreakMarker() {
    static const std::string marker = "\r\n<div style=\"page-break-before:always\"></div>";
    return marker;
}

std::string Normalise(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", i), text.size());
        out.append(text, i, end - i);  // the run up to the next line break, at once
        if (end == text.size()) break;
        out += "\r\n";
        i = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return out;
}

std::string WrapInDocument(std::string_view body) {
    std::string document = DocumentHeader();
    document += body;
    document += "\r\n</body>\r\n</html>";
    return document;
}

// One pass: every line break becomes CR LF, and a last line without one
// gets it.
std::string FileContents(std::string_view document) {
    std::string out = Normalise(document);
    if (!out.empty() && !out.ends_with("\r\n")) out += "\r\n";
    return out;
}

namespace {

// Tags that act on the whole document when parsed in its body (a help page
// brings them): such a part is not added piecemeal.
bool HasPageLevelTag(std::string_view text) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (std::string_view tag : {"<!doctype", "<html", "<head", "<body", "<title", "<meta", "<base", "<frameset"}) {
        const auto at = std::search(text.begin(), text.end(), tag.begin(), tag.end(),
                                    [&](char a, char b) { return lower(a) == b; });
        if (at != text.end()) return true;
    }
    return false;
}

// The characters that end a tag's name.
bool IsTagSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

}  // namespace

BodyChange ChangeOfBody(std::string_view shown, std::string_view next) {
    if (shown == next) return {BodyChangeKind::Same, {}};
    if (next.size() > shown.size() && next.starts_with(shown)) {
        const std::string_view part = next.substr(shown.size());
        return {HasPageLevelTag(part) ? BodyChangeKind::Load : BodyChangeKind::Append, part};
    }
    if (HasPageLevelTag(shown) || HasPageLevelTag(next)) return {BodyChangeKind::Load, next};
    return {BodyChangeKind::Replace, next};
}

std::size_t CountPreBlocks(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
        if (at + 4 >= text.size()) break;
        const std::string_view name = text.substr(at + 1, 3);
        const char after = text[at + 4];
        const bool pre = (name[0] | 0x20) == 'p' && (name[1] | 0x20) == 'r' && (name[2] | 0x20) == 'e';
        if (pre && (after == '>' || after == '/' || IsTagSpace(after))) ++count;
    }
    return count;
}

void DocumentBody::ShowPage(std::string_view text, bool collect, std::vector<std::string> spoken) {
    Add(text, collect, false, std::move(spoken));
}

void DocumentBody::ShowInstructions(std::string_view text, bool collect) { Add(text, collect, true, {}); }

void DocumentBody::Add(std::string_view text, bool collect, bool instructions, std::vector<std::string> spoken) {
    RemoveHint();
    ++revision_;
    const Int counterBefore = pageBreakCounter_;
    if (!collect) {
        body_ = Normalise(text);
        spoken_.clear();
        instructions_.clear();
    } else {
        ++pageBreakCounter_;
    }
    const std::size_t begin = collect ? body_.size() : 0;
    if (collect) body_ += Normalise(text);
    const std::size_t end = body_.size();
    // Exactly one form per block, whatever the caller gave.
    spoken.resize(CountPreBlocks(std::string_view(body_).substr(begin)));
    const std::size_t spokenBegin = spoken_.size();
    spoken_.insert(spoken_.end(), std::make_move_iterator(spoken.begin()), std::make_move_iterator(spoken.end()));
    newestStart_ = begin;
    if (pageBreakCounter_ == 2) {
        pageBreakCounter_ = 0;
        body_ += PageBreakMarker();
    }
    if (instructions) instructions_.push_back({begin, end, spokenBegin, spoken_.size(), body_.size(), counterBefore});
}

// The instructions make way for the hint too, so that the two never stand
// in the body together.
void DocumentBody::ShowHint(std::string_view text, bool aboveNewest, std::vector<std::string> spoken) {
    RemoveHint();
    RemoveInstructions();
    ++revision_;
    const std::string normalised = Normalise(text);
    const std::size_t begin = aboveNewest ? newestStart_ : body_.size();
    const std::size_t spokenBegin = CountPreBlocks(std::string_view(body_).substr(0, begin));
    spoken.resize(CountPreBlocks(normalised));
    body_.insert(begin, normalised);
    spoken_.insert(spoken_.begin() + std::ptrdiff_t(spokenBegin), std::make_move_iterator(spoken.begin()),
                   std::make_move_iterator(spoken.end()));
    hint_ = Hint{begin, begin + normalised.size(), spokenBegin, spokenBegin + spoken.size(), newestStart_};
    newestStart_ = begin;
}

void DocumentBody::RemoveHint() {
    if (!hint_) return;
    ++revision_;
    body_.erase(hint_->begin, hint_->end - hint_->begin);
    spoken_.erase(spoken_.begin() + std::ptrdiff_t(hint_->spokenBegin), spoken_.begin() + std::ptrdiff_t(hint_->spokenEnd));
    newestStart_ = hint_->newestBefore;
    hint_.reset();
}

std::string DocumentBody::TextWithoutHint() const {
    if (!hint_) return body_;
    return body_.substr(0, hint_->begin) + body_.substr(hint_->end);
}

void DocumentBody::RemoveInstructions() {
    if (instructions_.empty()) return;
    ++revision_;
    for (auto at = instructions_.rbegin(); at != instructions_.rend(); ++at) {
        spoken_.erase(spoken_.begin() + std::ptrdiff_t(at->spokenBegin), spoken_.begin() + std::ptrdiff_t(at->spokenEnd));
        if (at->appendedTo == body_.size()) {
            body_.resize(at->begin);
            pageBreakCounter_ = at->counterBefore;
        } else {
            body_.erase(at->begin, at->end - at->begin);
            if (newestStart_ >= at->end) newestStart_ -= at->end - at->begin;
        }
    }
    newestStart_ = std::min(newestStart_, body_.size());
    instructions_.clear();
}

void DocumentBody::Clear() {
    hint_.reset();
    ++revision_;
    body_.clear();
    spoken_.clear();
    instructions_.clear();
    newestStart_ = 0;
}

}  // namespace quorvel
