// Waiting in place for an answer the engine gives through a callback.
#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

#include "view/htmlview.h"

namespace quorvel {

// Runs ask, which hands the engine a callback taking a T, and runs a local
// event loop until the callback has answered, the view's page is lost, or
// timeoutMs has passed. Nothing if no answer came; an answer that comes
// later is dropped.
template <class T, class Ask>
std::optional<T> AwaitAnswer(HtmlView& view, Ask ask, int timeoutMs) {
    auto answer = std::make_shared<std::optional<T>>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    QObject::connect(&view, &HtmlView::PageLost, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    ask([answer, waiting](const T& result) {
        *answer = result;
        if (waiting) waiting->quit();
    });
    if (!*answer) loop.exec();
    return *answer;
}

}  // namespace quorvel
