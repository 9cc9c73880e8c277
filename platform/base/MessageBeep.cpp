#include "platform/base/MessageBeep.h"

#include <atomic>

namespace {

std::atomic<MessageBeepHandler> g_handler{nullptr};

} // namespace

BOOL MessageBeep(UINT type) {
    if (const MessageBeepHandler handler = g_handler.load())
        handler(type);
    return TRUE;
}

MessageBeepHandler SetMessageBeepHandler(MessageBeepHandler handler) {
    return g_handler.exchange(handler);
}
