#pragma once
#include "platform/apperror.h"
#include "platform/prompts.h"

#include <exception>
#include <new>

// Runs one event handler; whatever it throws becomes a message instead of crossing
// into Qt's event loop. Returns false when the handler ended on an error.
template <typename F>
bool guarded(Prompts &prompts, F &&handler)
{
    try {
        handler();
        return true;
    } catch (const AppError &e) {
        prompts.error(e.message());
    } catch (const std::bad_alloc &) {
        prompts.error(QStringLiteral("Out of memory."));
    } catch (const std::exception &e) {
        prompts.error(QString::fromUtf8(e.what()));
    } catch (...) {
        prompts.error(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}
