// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <exception>
#include <string>

namespace velora {

// Base of every failure that core raises. The message is meant for the user:
// it names the file where there is one and says what went wrong.
class VeloraError : public std::exception {
public:
    explicit VeloraError(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// A file could not be opened, read or written.
class FileError : public VeloraError {
public:
    using VeloraError::VeloraError;
};

// Input bytes that do not follow their format: truncated, lying counts,
// undecodable bodies.
class FormatError : public VeloraError {
public:
    using VeloraError::VeloraError;
};

// Failure of the metafile reader, carrying its numeric error code (1 to 9).
class MetafileError : public VeloraError {
public:
    MetafileError(int code, QString message) : VeloraError(std::move(message)), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

// The user has already been told (a message box was shown); callers end the
// operation without a second message.
class UserAlreadyToldError : public VeloraError {
public:
    explicit UserAlreadyToldError(QString message = {}) : VeloraError(std::move(message)) {}
};

}  // namespace velora
