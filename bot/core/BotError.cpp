#include "bot/core/BotError.h"

#include <exception>
#include <new>

namespace quorvane {

BotError CurrentError() {
    try {
        throw;
    } catch (const BotError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return {7, "Out of memory"};
    } catch (const std::exception& e) {
        return {kErrOtherFailure, e.what()};
    } catch (...) {
        return {kErrOtherFailure, "Unknown failure"};
    }
}

std::string NumberAndDescription(const BotError& error) {
    return std::to_string(error.number()) + " " + error.description();
}

}  // namespace quorvane
