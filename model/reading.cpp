// "Vorlesen": the page read aloud by the platform's voice.
#include "document/document.h"
#include "model/operation.h"
#include "fraction/cp1252.h"
#include "model/trainer.h"
#include "solution/lines.h"
#include "solution/spoken.h"

namespace quorvel {

namespace {

const std::string kNoVoice =
    "Vorlesen geht auf diesem Rechner nicht: Es ist keine deutsche Stimme eingerichtet."_w;
const std::string kEmptyPage = "Die Seite ist leer.";

}  // namespace

std::string TrainerModel::PageWords() const {
    const DocumentBody& document = state_.document;
    if (state_.pageBlank) return kEmptyPage;
    // In collect mode the newest piece of work, with the spoken forms of
    // its own blocks.
    const std::size_t start = Collecting() ? document.NewestStart() : 0;
    const std::string_view body = document.Text();
    const std::size_t blocksBefore = CountPreBlocks(body.substr(0, start));
    const std::vector<std::string>& spoken = document.Spoken();
    const std::vector<std::string> blocks(spoken.begin() + std::ptrdiff_t(std::min(blocksBefore, spoken.size())),
                                          spoken.end());
    const std::string words = SpokenText(SplitLines(body.substr(start)), blocks);
    return words.empty() ? kEmptyPage : words;
}

void TrainerModel::ReadAloud() {
    Run([&] {
        if (state_.speaking) {
            StopReading();
            return;
        }
        const std::string words = PageWords();
        bool started = false;
        state_.speaking = true;  // a voice may be done before Speak returns
        CallHost([&] { started = host_.Speak(words); });
        if (started) return;
        state_.speaking = false;
        if (!voiceMissingTold_) {
            voiceMissingTold_ = true;
            CallHost([&] { host_.ShowMessage(kNoVoice); });
        }
    });
}

void TrainerModel::SpeechEnded() {
    Run([&] { state_.speaking = false; });
}

void TrainerModel::StopReading() {
    state_.speaking = false;
    CallHost([&] { host_.StopSpeaking(); });
}

}  // namespace quorvel
