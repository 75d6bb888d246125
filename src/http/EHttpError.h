#pragma once

#include <stdexcept>
#include <string>

namespace listorix {

// What THttpClient::Get raises: the message is the server's reason phrase or the
// client's own text, the error code the status code the client held at that moment.
class EHttpError final : public std::runtime_error
{
public:
    EHttpError(const std::string& message, int errorCode)
        : std::runtime_error(message), m_errorCode(errorCode)
    {
    }

    int errorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

} // namespace listorix
