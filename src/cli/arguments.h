// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <utility>
#include <vector>

namespace velora::cli {

// Bad usage: the message says what is wrong; the tool then prints the usage
// and exits with 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};

// One option a command accepts.
struct OptionSpec {
    QString name;  // with leading dashes, e.g. "--size"
    bool takesValue = true;
    bool repeatable = false;
};

// A positional count that takes any number of arguments.
inline constexpr int kAnyPositionalCount = -1;

// The arguments of one command after parsing against its options.
class ParsedArguments {
public:
    const QStringList& Positional() const { return m_positional; }
    bool Has(const QString& option) const { return m_values.contains(option); }
    // The single value of an option, or the fallback when it is absent.
    QString Value(const QString& option, const QString& fallback = {}) const;
    // Every value of a repeatable option, in command-line order.
    QStringList Values(const QString& option) const { return m_values.value(option); }
    // Every value of the named options as (option, value), in command-line
    // order across all of them.
    std::vector<std::pair<QString, QString>> Occurrences(const QStringList& options) const;

    // Parses args (without the command name). Throws UsageError on unknown
    // options, missing values, repeated single options or a wrong number of
    // positional arguments (unless positionalCount is kAnyPositionalCount).
    static ParsedArguments Parse(const QStringList& args, const std::vector<OptionSpec>& options,
                                 int positionalCount);

private:
    QStringList m_positional;
    QMap<QString, QStringList> m_values;
    std::vector<std::pair<QString, QString>> m_order;
};

// A size in pixels; with SizeParts::EitherMayBeLeftOut one side may be 0,
// left for the caller to work out.
struct SizeArgument {
    int width = 0;
    int height = 0;
};
enum class SizeParts { Both, EitherMayBeLeftOut };
// "WxH" (or, when allowed, "Wx" or "xH") with every part given a whole
// number from 1 to largest. Bad text and a part out of range are the same
// UsageError, naming the option and what it takes.
SizeArgument ParseSize(const QString& option, const QString& text, int largest,
                       SizeParts parts = SizeParts::Both);
// A plain integer; bad text is a UsageError naming the option.
int ParseInt(const QString& option, const QString& text);
// "X,Y" as two integers.
QPoint ParsePoint(const QString& option, const QString& text);

}  // namespace velora::cli
