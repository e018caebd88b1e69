// The solution document: the body text behind the HTML view, and the
// template that makes a complete HTML 4.01 document of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fraction/int32.h"

namespace quorvel {

// The twelve lines that open every document, each ended by CR LF.
const std::string& DocumentHeader();

// CR LF followed by a div that starts a new printed page.
const std::string& PageBreakMarker();

// Every CR LF, lone CR and lone LF becomes CR LF.
std::string Normalise(std::string_view text);

// DocumentHeader, body, CR LF, "</body>" CR LF, "</html>" (no line break after it).
std::string WrapInDocument(std::string_view body);

// The bytes of a saved file: every line of the document followed by CR LF.
std::string FileContents(std::string_view document);

// How a view that shows one body brings another onto its page, so that the
// page shows what a full load of the new document would show.
enum class BodyChangeKind {
    Same,     // nothing to do
    Append,   // add part at the end of the page's body
    Replace,  // replace the page's body by part (the whole new body)
    Load,     // load the new document in full: a part brings tags that act on the whole page
};
struct BodyChange {
    BodyChangeKind kind;
    std::string_view part;  // into next
};
BodyChange ChangeOfBody(std::string_view shown, std::string_view next);

// How many pre elements text opens: its "<pre" tags, in any case.
std::size_t CountPreBlocks(std::string_view text);

// The body shown in the view. In single mode each text replaces it; in
// collect mode texts accumulate with a page break after every second one.
// The instructions page is marked as such by its caller, so that the
// pupil's work can take its place without dropping anything else.
//
// Beside the text the body keeps the spoken form of each of its pre blocks,
// in their order, for a view to give its page; they are never part of the
// text.
class DocumentBody {
public:
    // Replaces or extends the body by text, whose pre blocks speak spoken,
    // one form per block in order; a block without one has the empty form.
    void ShowPage(std::string_view text, bool collect, std::vector<std::string> spoken = {});
    // The same for the instructions page.
    void ShowInstructions(std::string_view text, bool collect);

    const std::string& Text() const { return body_; }
    // One spoken form for each pre block of Text(), in order.
    const std::vector<std::string>& Spoken() const { return spoken_; }
    Int PageBreakCounter() const { return pageBreakCounter_; }
    void Clear();

    // True while the body holds an instructions page.
    bool HoldsInstructions() const { return !instructions_.empty(); }
    // Takes the instructions pages out of the body and keeps everything
    // else. The newest text, if it is one, goes as if it had never been
    // shown, page break and count included.
    void RemoveInstructions();

    // The hint section: text put in front of the newest text (aboveNewest)
    // or at the end, marked so that the next hint replaces it and any other
    // text shown, and Clear, take it out first. It starts no page and takes
    // nothing else with it.
    void ShowHint(std::string_view text, bool aboveNewest, std::vector<std::string> spoken = {});
    void RemoveHint();
    bool HoldsHint() const { return hint_.has_value(); }
    // The body without the hint section: what is saved.
    std::string TextWithoutHint() const;

    // Where the text shown last begins in the body: a view shows it from there.
    std::size_t NewestStart() const { return newestStart_; }

    // Counts every change of the body, so that a view can tell which body
    // its page was made from.
    std::uint64_t Revision() const { return revision_; }

private:
    void Add(std::string_view text, bool collect, bool instructions, std::vector<std::string> spoken);

    struct Insertion {
        std::size_t begin, end;  // the text in the body
        std::size_t spokenBegin, spokenEnd;  // its blocks' spoken forms
        std::size_t appendedTo;  // the body's end after it, a page break included
        Int counterBefore;
    };
    std::string body_;
    std::vector<std::string> spoken_;
    Int pageBreakCounter_ = 0;
    std::vector<Insertion> instructions_;  // in the order of the body
    struct Hint {
        std::size_t begin, end;  // the text in the body
        std::size_t spokenBegin, spokenEnd;
        std::size_t newestBefore;  // NewestStart before the hint came
    };
    std::optional<Hint> hint_;
    std::size_t newestStart_ = 0;
    std::uint64_t revision_ = 1;
};

}  // namespace quorvel
