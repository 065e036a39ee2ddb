#pragma once
// The bot's one error type: a number and a description. Thrown where an operation fails and caught
// by the handler that reports it in the status log and decides what follows.

#include <stdexcept>
#include <string>

namespace quorvane {

enum ErrorNumber : int {
    kErrOtherFailure = 5,
    kErrOverflow = 6,
    kErrOutOfRange = 9,
    kErrTypeMismatch = 13,
    kErrFileNotFound = 53,
    kErrInputPastEnd = 62,
};

class BotError : public std::runtime_error {
  public:
    BotError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    int number() const { return number_; }
    std::string description() const { return what(); }

    static BotError FileNotFound() { return {kErrFileNotFound, "File not found"}; }
    static BotError InputPastEnd() { return {kErrInputPastEnd, "Input past end of file"}; }
    static BotError TypeMismatch() { return {kErrTypeMismatch, "Type mismatch"}; }
    static BotError Overflow() { return {kErrOverflow, "Overflow"}; }
    static BotError OutOfRange() { return {kErrOutOfRange, "Subscript out of range"}; }

  private:
    int number_;
};

// The error being handled, as a BotError: inside a catch block, any other exception becomes
// kErrOtherFailure with its own text, so a handler reports every failure the same way.
BotError CurrentError();

// "number description", the form in which every handler reports an error.
std::string NumberAndDescription(const BotError& error);

}  // namespace quorvane
