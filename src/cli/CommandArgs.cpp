// The arguments of a command read, shown and checked from its declaration.

#include <algorithm>
#include <ostream>
#include <stdexcept>

#include "cli/Cli.h"

namespace arc::cli {
namespace {

/// The words of a choice placeholder ("only|none"); empty for a free value.
std::vector<std::string_view> Choices(std::string_view placeholder) {
    if (placeholder.find('|') == std::string_view::npos) return {};
    std::vector<std::string_view> words;
    for (std::size_t start = 0;;) {
        const std::size_t bar = placeholder.find('|', start);
        words.push_back(placeholder.substr(start, bar - start));
        if (bar == std::string_view::npos) return words;
        start = bar + 1;
    }
}

/// "a or b", "a, b or c".
std::string OneOf(const std::vector<std::string_view>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
        text += words[i];
    }
    return text;
}

/// An error when `value` is not one of the placeholder's choices.
std::optional<std::string> CheckChoice(std::string_view what, std::string_view placeholder,
                                       const std::string& value) {
    const std::vector<std::string_view> words = Choices(placeholder);
    if (words.empty() || std::find(words.begin(), words.end(), value) != words.end())
        return std::nullopt;
    return std::string(what) + " takes " + OneOf(words) + ", not '" + value + "'";
}

/// "arcanote-cli NAME USAGE".
std::string CommandSynopsis(const CliCommand& command) {
    const std::string usage = UsageLine(command);
    return "arcanote-cli " + std::string(command.name) + (usage.empty() ? "" : " " + usage);
}

bool IsOption(std::string_view arg) {
    return arg.size() > 2 && arg.starts_with("--");
}

}  // namespace

/// "--db FILE", "--entries LABEL...", "--save".
std::string OptionWithValue(const CliOption& option) {
    std::string text(option.name);
    if (!option.value.empty()) text += ' ' + std::string(option.value);
    if (option.traits & kRepeatable) text += "...";
    return text;
}

void PrintColumns(std::ostream& out,
                  const std::vector<std::pair<std::string, std::string_view>>& rows) {
    std::size_t width = 0;
    for (const auto& [left, help] : rows)
        width = std::max(width, left.size());
    for (const auto& [left, help] : rows)
        out << "  " << left << std::string(width - left.size() + 2, ' ') << help << '\n';
}

const CliOption& CommandArgs::Declared(std::string_view option) const {
    for (const CliOption& declared : command_->options)
        if (declared.name == option) return declared;
    throw std::logic_error("option " + std::string(option) + " is not declared by " +
                           std::string(command_->name));
}

bool CommandArgs::Has(std::string_view option) const {
    Declared(option);
    return given_.find(option) != given_.end();
}

std::optional<std::string> CommandArgs::Value(std::string_view option) const {
    const std::vector<std::string>& values = Values(option);
    if (values.empty()) return std::nullopt;
    return values.back();
}

const std::vector<std::string>& CommandArgs::Values(std::string_view option) const {
    static const std::vector<std::string> kNone;
    Declared(option);
    const auto found = given_.find(option);
    return found == given_.end() ? kNone : found->second;
}

std::optional<std::string> CommandArgs::Parse(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!IsOption(arg)) {
            if (operands_.size() >= RequiredOperands() && TakesWords()) {
                operands_.push_back(arg);
                continue;
            }
            if (operands_.size() >= command_->operands.size())
                return "unexpected argument '" + arg + "'";
            const std::vector<std::string_view> words =
                Choices(command_->operands[operands_.size()].name);
            if (!words.empty() && std::find(words.begin(), words.end(), arg) == words.end())
                return "unexpected argument '" + arg + "' (" + OneOf(words) + ")";
            operands_.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const auto declared =
            std::find_if(command_->options.begin(), command_->options.end(),
                         [&](const CliOption& option) { return option.name == name; });
        if (declared == command_->options.end()) return "unknown option '" + arg + "'";
        const CliOption& option = *declared;
        std::vector<std::string> found;
        if (equals != std::string::npos) {
            if (option.value.empty()) return name + " takes no value";
            found.push_back(arg.substr(equals + 1));
        } else if (option.traits & kRepeatable) {
            while (i + 1 < args.size() && !IsOption(args[i + 1]))
                found.push_back(args[++i]);
        } else if (!option.value.empty() && i + 1 < args.size()) {
            found.push_back(args[++i]);
        }
        if (!option.value.empty() && found.empty()) return name + " needs a value";
        for (const std::string& value : found)
            if (auto error = CheckChoice(name, option.value, value)) return error;
        std::vector<std::string>& values = given_[name];
        if (!(option.traits & kRepeatable)) values.clear();
        values.insert(values.end(), found.begin(), found.end());
    }
    if (operands_.size() < RequiredOperands()) {
        const std::string_view missing = command_->operands[operands_.size()].name;
        const std::vector<std::string_view> words = Choices(missing);
        return "missing " + (words.empty() ? std::string(missing) : OneOf(words));
    }
    for (const CliOption& option : command_->options) {
        const bool given = given_.count(option.name) != 0;
        if ((option.traits & kRequired) && !given) return "missing " + OptionWithValue(option);
        if (!given) continue;
        if (!option.needs.empty() && given_.count(option.needs) == 0)
            return std::string(option.name) + " goes with " + std::string(option.needs);
        if (!option.excludes.empty() && given_.count(option.excludes) != 0)
            return std::string(option.name) + " and " + std::string(option.excludes) +
                   " exclude each other";
    }
    return std::nullopt;
}

bool CommandArgs::TakesWords() const {
    const auto& operands = command_->operands;
    return !operands.empty() && operands.back().name.starts_with('[');
}

std::size_t CommandArgs::RequiredOperands() const {
    return command_->operands.size() - (TakesWords() ? 1 : 0);
}

std::vector<std::string> CommandArgs::Words() const {
    const std::size_t first = std::min(RequiredOperands(), operands_.size());
    return {operands_.begin() + static_cast<std::ptrdiff_t>(first), operands_.end()};
}

std::string UsageLine(const CliCommand& command) {
    std::string line;
    for (const CliOperand& operand : command.operands)
        line += std::string(line.empty() ? "" : " ") + std::string(operand.name);
    for (const CliOption& option : command.options) {
        if (!line.empty()) line += ' ';
        line += option.traits & kRequired ? OptionWithValue(option)
                                          : '[' + OptionWithValue(option) + ']';
    }
    return line;
}

void PrintCommandHelp(const CliCommand& command, std::ostream& out) {
    out << "usage: " << CommandSynopsis(command) << "\n\n" << command.summary << '\n';
    std::vector<std::pair<std::string, std::string_view>> rows;
    for (const CliOperand& operand : command.operands)
        rows.emplace_back(operand.name, operand.help);
    if (!rows.empty()) {
        out << "\nArguments:\n";
        PrintColumns(out, rows);
        rows.clear();
    }
    for (const CliOption& option : command.options)
        rows.emplace_back(OptionWithValue(option), option.help);
    rows.emplace_back("--help", "print this help and exit");
    out << "\nOptions:\n";
    PrintColumns(out, rows);
}

int UsageError(std::ostream& err, const CliCommand& command, std::string_view problem) {
    err << "arcanote-cli " << command.name << ": " << problem
        << "\nusage: " << CommandSynopsis(command) << '\n';
    return 2;
}

}  // namespace arc::cli
