// How the model runs an operation; for the model's own files.
#pragma once

#include <exception>
#include <string>

#include "document/messages.h"
#include "model/trainer.h"

namespace quorvel {

// Every operation: the front end shows the state afterwards, and what
// escapes the outermost one is shown in the general error box. An operation
// that runs inside another one fails that one too ("Neue Aufgabe" failing
// ends the key n before "=").
template <class Handler>
void TrainerModel::Run(Handler handler) {
    const bool outermost = !running_;
    running_ = true;
    try {
        handler();
    } catch (const std::exception& e) {
        if (!outermost) throw;
        running_ = false;
        host_.Changed();
        host_.ShowError(MessageOf(e) + ".");
    }
    if (outermost) running_ = false;
    host_.Changed();
}

// While the front end shows a modal window, what it forwards to the model
// comes from the pupil: operations of their own.
template <class Call>
void TrainerModel::CallHost(Call call) {
    host_.Changed();
    const bool running = running_;
    running_ = false;
    call();
    running_ = running;
}

}  // namespace quorvel
