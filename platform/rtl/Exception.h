#pragma once
// The error classes of the runtime. Every error the program raises derives from
// Exception, so the application's default handler can show its text in an error box.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& msg) : std::runtime_error(msg) {}
    std::string Message() const { return what(); }
};

#define CONF_DECLARE_EXCEPTION(Name, Base)                               \
    class Name : public Base {                                           \
    public:                                                              \
        explicit Name(const std::string& msg) : Base(msg) {}             \
    }

CONF_DECLARE_EXCEPTION(EConvertError, Exception);         // text that is no number, bad Format
CONF_DECLARE_EXCEPTION(EListError, Exception);            // list index out of bounds, duplicates
CONF_DECLARE_EXCEPTION(EInvalidOperation, Exception);     // control used in a state that forbids it
CONF_DECLARE_EXCEPTION(EInvalidArgument, Exception);
CONF_DECLARE_EXCEPTION(EInvalidCast, Exception);             // an object of the wrong class for the operation
CONF_DECLARE_EXCEPTION(EInOutError, Exception);           // file could not be read or written
CONF_DECLARE_EXCEPTION(EFOpenError, EInOutError);
CONF_DECLARE_EXCEPTION(EFCreateError, EInOutError);
CONF_DECLARE_EXCEPTION(EOSError, Exception);              // an operating-system call failed
CONF_DECLARE_EXCEPTION(EThread, Exception);
CONF_DECLARE_EXCEPTION(EAbort, Exception);                // silent: the default handler shows nothing
