// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <QPoint>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace velora::cli {

QString ParsedArguments::Value(const QString& option, const QString& fallback) const {
    const QStringList values = m_values.value(option);
    return values.isEmpty() ? fallback : values.front();
}

std::vector<std::pair<QString, QString>> ParsedArguments::Occurrences(
    const QStringList& options) const {
    std::vector<std::pair<QString, QString>> found;
    std::copy_if(m_order.begin(), m_order.end(), std::back_inserter(found),
                 [&](const auto& occurrence) { return options.contains(occurrence.first); });
    return found;
}

ParsedArguments ParsedArguments::Parse(const QStringList& args,
                                       const std::vector<OptionSpec>& options,
                                       int positionalCount) {
    ParsedArguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith('-') || arg == "-") {
            parsed.m_positional.append(arg);
            continue;
        }
        const auto option = std::find_if(options.begin(), options.end(),
                                         [&](const OptionSpec& o) { return o.name == arg; });
        if (option == options.end()) throw UsageError(QString("unknown option %1").arg(arg));
        if (parsed.Has(arg) && !option->repeatable) {
            throw UsageError(QString("%1 may be given only once").arg(arg));
        }
        QString value;
        if (option->takesValue) {
            if (i + 1 >= args.size()) throw UsageError(QString("%1 needs a value").arg(arg));
            value = args[++i];
        }
        parsed.m_values[arg].append(value);
        parsed.m_order.emplace_back(arg, value);
    }
    if (positionalCount != kAnyPositionalCount && parsed.m_positional.size() != positionalCount) {
        throw UsageError(positionalCount == 1 ? QString("expected one file argument")
                                              : QString("unexpected arguments"));
    }
    return parsed;
}

int ParseInt(const QString& option, const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) throw UsageError(QString("%1 expects a whole number, not \"%2\"").arg(option, text));
    return value;
}

SizeArgument ParseSize(const QString& option, const QString& text, int largest, SizeParts parts) {
    static const QRegularExpression pattern("^\\s*(\\d*)\\s*[xX]\\s*(\\d*)\\s*$");
    const QRegularExpressionMatch match = pattern.match(text);
    const QString width = match.captured(1);
    const QString height = match.captured(2);
    const bool leftOut = width.isEmpty() || height.isEmpty();
    bool valid = match.hasMatch() && !(width.isEmpty() && height.isEmpty()) &&
                 (!leftOut || parts == SizeParts::EitherMayBeLeftOut);
    // A part left out reads as 0; a given part must lie in the range.
    const auto part = [&](const QString& digits) {
        if (digits.isEmpty()) return 0;
        bool ok = false;
        const int value = digits.toInt(&ok);
        valid = valid && ok && value >= 1 && value <= largest;
        return value;
    };
    const SizeArgument size{part(width), part(height)};
    if (!valid) {
        const QString forms = parts == SizeParts::Both ? QString("WIDTHxHEIGHT")
                                                       : QString("WIDTHxHEIGHT, WIDTHx or xHEIGHT");
        throw UsageError(QString("%1 expects %2 with whole numbers from 1 to %3, not \"%4\"")
                             .arg(option, forms)
                             .arg(largest)
                             .arg(text));
    }
    return size;
}

QPoint ParsePoint(const QString& option, const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 2)
        throw UsageError(QString("%1 expects X,Y, not \"%2\"").arg(option, text));
    return QPoint(ParseInt(option, parts[0]), ParseInt(option, parts[1]));
}

}  // namespace velora::cli
