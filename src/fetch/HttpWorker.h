#pragma once

#include <functional>
#include <memory>
#include <string>

namespace listorix {

// One request of a fetch, performed away from the main thread. The fetch dispatch
// sees its workers through this class, so that tests put a worker of their own in
// the place of TThreadHttp.
//
// The dispatch sets the request (its absolute URL) and the two callbacks on the main thread, then
// calls Resume. The worker writes StatusText, Body and Succeeded before it reports,
// and reports only through the two callbacks, both run on the main thread: OnStatus
// (the synchronised ShowStatus) and then OnDone (the termination notice, after the
// request has ended). Their argument is the worker. After OnDone the worker stays
// alive until its owner frees it, which waits for its thread if it has one.
class HttpWorker
{
public:
    using Callback = std::function<void(HttpWorker&)>;

    virtual ~HttpWorker() = default;

    // Starts the request of a created ("suspended") worker. Main thread, once.
    virtual void Resume() = 0;
    // Main thread: ends the pending request at once, as the client's close does:
    // what arrived so far is the answer and the request counts as succeeded. Returns
    // once the request no longer runs; harmless before Resume (the request then ends
    // at once) and after the request has ended.
    virtual void Close() = 0;

    Callback OnDone;
    Callback OnStatus;
    std::string Url;
    // The request's name for the status line; may be empty.
    std::string DisplayName;
    // What the status label is to show.
    std::string StatusText;
    // The answer body.
    std::string Body;
    // The request ended without error.
    bool Succeeded = false;
};

} // namespace listorix
