#pragma once

#include <stdexcept>
#include <string>

namespace lrl {

// Base of every error the system raises. The message is the fixed text the user sees in the error box,
// so subclasses carry no extra fields that would have to be formatted into it later.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message)
    {
    }
    std::string message() const { return what(); }
};

// Stream errors: the generic read and write failures, and files that cannot be opened or created.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EReadError : public EStreamError {
public:
    EReadError()
        : EStreamError("Stream read error")
    {
    }
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
    EWriteError()
        : EStreamError("Stream write error")
    {
    }
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// The viewer's and the scheme's own errors.
class ESyntaxMemo : public Exception {
public:
    using Exception::Exception;
};

} // namespace lrl
