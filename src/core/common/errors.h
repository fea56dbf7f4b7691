// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

#include <exception>
#include <string>

namespace velora {

// Base of every failure that core raises. The message is meant for the user:
// the file it is about, where there is one, then what went wrong, worded
// alike wherever the same fault occurs ("x.vld: is damaged: ..."), so that
// every caller can put the file first and no one names it twice.
class VeloraError : public std::exception {
public:
    explicit VeloraError(QString reason) : VeloraError({}, std::move(reason)) {}
    VeloraError(QString file, QString reason);

    // The file the failure is about; empty when there is none or it is not
    // known where the failure arose.
    const QString& File() const { return m_file; }
    // What went wrong, without the file.
    const QString& Reason() const { return m_reason; }
    // "FILE: reason", or the reason alone.
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_file;
    QString m_reason;
    QString m_message;
    std::string m_utf8;
};

// A file could not be opened, read or written.
class FileError : public VeloraError {
public:
    using VeloraError::VeloraError;
};

// Input bytes that do not follow their format: truncated, lying counts,
// undecodable bodies, or more than the program can hold.
class FormatError : public VeloraError {
public:
    using VeloraError::VeloraError;
};

// A template or design file whose stream is no model stream: the program
// has always told it as "Wrong file format!", and tells it alone, without the
// file, which the user has just chosen.
class WrongFormatError : public FormatError {
public:
    WrongFormatError() : FormatError(QCoreApplication::translate("velora", "Wrong file format!")) {}
};

// Failure of the metafile reader, carrying its numeric error code (1 to 9).
class MetafileError : public VeloraError {
public:
    MetafileError(int code, QString reason) : VeloraError(std::move(reason)), m_code(code) {}
    MetafileError(int code, QString file, QString reason)
        : VeloraError(std::move(file), std::move(reason)), m_code(code) {}
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

// The one line that tells the user about any failure of work on a file:
// core's own message, "not enough memory" when an allocation failed, and
// the exception's text for anything else. The file is put first unless the
// failure already names one.
QString FailureText(const std::exception& error, const QString& file = {});

}  // namespace velora
